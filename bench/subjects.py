"""The programs under measurement and how to start and stop one run of each."""

import os
import shutil
import signal
import subprocess
import tempfile
import threading
import time


class Run:
    """One started program. Its stderr is read on a thread; each line is kept with the
    CLOCK_MONOTONIC time at which the harness received it."""

    def __init__(self, argv, env, cwd, start_ns):
        self.start_ns = start_ns
        self.process = subprocess.Popen(
            argv, env=env, cwd=cwd, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.PIPE)
        self.pid = self.process.pid
        self.lines = []
        self._lock = threading.Lock()
        self._line_arrived = threading.Condition(self._lock)
        self._reader = threading.Thread(target=self._read_stderr, daemon=True)
        self._reader.start()

    def _read_stderr(self):
        for raw in self.process.stderr:
            received = time.monotonic_ns()
            with self._lock:
                self.lines.append((received, raw.decode("utf-8", "replace").rstrip("\n")))
                self._line_arrived.notify_all()

    def wait_for_line(self, prefix, timeout_s):
        """The first stderr line that starts with prefix, as (received_ns, text), or None."""
        deadline = time.monotonic() + timeout_s
        with self._lock:
            while True:
                for line in self.lines:
                    if line[1].startswith(prefix):
                        return line
                remaining = deadline - time.monotonic()
                if remaining <= 0 or self.process.poll() is not None:
                    return None
                self._line_arrived.wait(remaining)

    def lines_between(self, begin_ns, end_ns):
        with self._lock:
            return [text for received, text in self.lines if begin_ns <= received < end_ns]

    def stop(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self._reader.join(timeout=5)


class Subject:
    """A program to measure: a name for the table and how to start it."""

    def __init__(self, name, argv, env, program_to_copy=None, paint_log=False):
        self.name = name
        self.paint_log = paint_log
        self._argv = argv
        self._env = env
        self._program_to_copy = program_to_copy
        self._folders = []

    def launch(self):
        cwd = None
        argv = list(self._argv)
        if self._program_to_copy:
            # The sign keeps setting.dat beside its program file, so every run gets a fresh copy
            # in a fresh folder: no remembered position from an earlier run, and nothing written
            # into the build tree.
            cwd = tempfile.mkdtemp(prefix="orvanta-bench-")
            self._folders.append(cwd)
            argv[0] = os.path.join(cwd, os.path.basename(self._program_to_copy))
            shutil.copy2(self._program_to_copy, argv[0])
        start_ns = time.monotonic_ns()
        return Run(argv, self._env, cwd, start_ns)

    def clean_up(self):
        for folder in self._folders:
            shutil.rmtree(folder, ignore_errors=True)
        self._folders.clear()
