"""Measures the built sign and xclock side by side under one private Xvfb and writes a results
table. A figure that could not be taken is reported as such; the run fails only when nothing
could be measured at all."""

import argparse
import datetime
import os
import platform
import select
import subprocess
import sys

import phases
import report
import subjects
import x11_wire

SCREEN = (1280, 1024)
PEER_COMMAND = ["xclock", "-digital", "-update", "1"]


def start_xvfb():
    """Starts Xvfb on the first free display and returns (process, display number)."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24",
         "-br", "-nolisten", "tcp", "-noreset"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    answer = b""
    while not answer.endswith(b"\n"):
        readable, _, _ = select.select([read_end], [], [], 15)
        chunk = os.read(read_end, 64) if readable else b""
        if not chunk:
            server.kill()
            raise SystemExit("bench: Xvfb did not start (no display number within 15 s)")
        answer += chunk
    os.close(read_end)
    return server, int(answer)


def program_environment(display):
    env = dict(os.environ)
    env["DISPLAY"] = f":{display}"
    env.pop("XAUTHORITY", None)
    env.pop("WAYLAND_DISPLAY", None)
    # One locale for both programs; the date text's length depends on it.
    locales = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout.split()
    env["LC_ALL"] = "en_US.UTF-8" if "en_US.utf8" in locales else "C.UTF-8"
    return env


def machine_description():
    model = "unknown CPU"
    try:
        with open("/proc/cpuinfo") as cpuinfo:
            for line in cpuinfo:
                if line.startswith("model name"):
                    model = line.split(":", 1)[1].strip()
                    break
    except OSError:
        pass
    return f"{model}, {os.cpu_count()} cores, Linux {platform.release()}"


def attempt(label, action):
    """Runs one phase; a failure becomes the text shown in its row."""
    print(f"bench: {label} ...", file=sys.stderr, flush=True)
    try:
        return action()
    except (phases.Failure, x11_wire.XError, OSError, subprocess.CalledProcessError) as error:
        print(f"bench: {label} failed: {error}", file=sys.stderr, flush=True)
        return str(error)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--program", required=True, help="the built sign (build/orvanta)")
    parser.add_argument("--path-bench", required=True, help="the PathJoin micro-benchmark")
    parser.add_argument("--out", required=True, help="file for the results table")
    parser.add_argument("--runs", type=int, default=7, help="start-up runs per program")
    parser.add_argument("--memory-rounds", type=int, default=3, help="memory readings per program")
    parser.add_argument("--cycles", type=int, default=3, help="bounce cycles")
    parser.add_argument("--idle-seconds", type=float, default=60.0,
                        help="idle time measured per program, split over the rounds")
    parser.add_argument("--idle-rounds", type=int, default=3)
    args = parser.parse_args()

    server, display = start_xvfb()
    sign = quiet_sign = peer = conn = None
    try:
        env = program_environment(display)
        conn = x11_wire.Connection(display)
        conn.watch_top_level_windows()
        # The pointer starts in the middle of the screen, which is over the sign: park it in a
        # corner that neither window covers, so that nothing but the bounce phase moves it.
        park = (conn.screen_width - 1, conn.screen_height - 1)
        subprocess.run(["xdotool", "mousemove", str(park[0]), str(park[1])], env=env, check=True)

        sign_env = dict(env, ORVANTA_PAINT_LOG="1")
        sign = subjects.Subject(report.SIGN, [args.program], sign_env,
                                program_to_copy=args.program, paint_log=True)
        # Idle CPU is measured as users run the sign, without the paint log's writes.
        quiet_sign = subjects.Subject(report.SIGN, [args.program], env,
                                      program_to_copy=args.program)
        peer = subjects.Subject(report.PEER, PEER_COMMAND, env)
        paint_count_s = min(10.0, args.idle_seconds)

        results = {
            "startup": attempt(
                "start to first paint",
                lambda: phases.start_to_first_paint(conn, [sign, peer], args.runs)),
            "memory": attempt(
                "memory after 5 s",
                lambda: phases.memory([sign, peer], args.memory_rounds)),
            "idle": attempt(
                f"CPU over {args.idle_seconds:.0f} s idle",
                lambda: phases.idle([quiet_sign, peer], args.idle_rounds,
                                    args.idle_seconds / args.idle_rounds)),
            "idle_paints": attempt(
                f"paints in {paint_count_s:.0f} s idle",
                lambda: phases.idle_paints(sign, paint_count_s)),
            "bounce": attempt(
                "bounce cycles",
                lambda: phases.bounce(conn, sign, args.cycles, park, env)),
            "path": attempt("PathJoin micro-benchmark",
                            lambda: phases.path_join(args.path_bench, env)),
        }
    finally:
        for subject in (sign, quiet_sign, peer):
            if subject:
                subject.clean_up()
        if conn:
            conn.close()
        server.terminate()
        server.wait()

    settings = {
        "runs": args.runs,
        "memory_rounds": args.memory_rounds,
        "idle_s": args.idle_seconds,
        "idle_rounds": args.idle_rounds,
        "paint_count_s": paint_count_s,
        "peer_command": " ".join(PEER_COMMAND),
        "screen": f"{SCREEN[0]}x{SCREEN[1]}x24, no window manager",
        "when": datetime.datetime.now().strftime("%Y-%m-%d %H:%M"),
        "machine": machine_description(),
    }
    text = report.render(results, settings)
    print(text)
    with open(args.out, "w") as out:
        out.write(text)
    print(f"bench: results written to {args.out}", file=sys.stderr)
    if all(isinstance(value, str) for value in results.values()):
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
