"""The measurements, one function each. Every function returns plain figures; none judges them."""

import json
import subprocess
import time

import proc_stats
import x11_wire

# Window pixels of the sign at 96 DPI: a point of the picture that no label covers, and the box
# of the date label (Label1), which changes only at midnight and so stays still between bounces.
PICTURE_POINT = (20, 20)
DATE_LABEL_BOX = (56, 104, 218, 41)

BOUNCE_TICKS = 402
BOUNCE_TICK_MS = 20


class Failure(RuntimeError):
    pass


def _ms(nanoseconds):
    return nanoseconds / 1e6


def _sleep_until(monotonic_ns):
    remaining = (monotonic_ns - time.monotonic_ns()) / 1e9
    if remaining > 0:
        time.sleep(remaining)


def _wait_mapped(conn, run, name, timeout_s=10):
    event = conn.next_event(x11_wire.MAP_NOTIFY, run.start_ns + int(timeout_s * 1e9))
    if event is None:
        raise Failure(f"{name}: no window was mapped within {timeout_s} s")
    return event


def _wait_painted(conn, window, name, timeout_s=10):
    """The time of the first look at the window that found more than its fill colour: a mapped
    window that nothing has drawn on shows one uniform colour (its background, or the black
    root where it has none)."""
    _, _, width, height = conn.geometry(window)
    deadline = time.monotonic_ns() + int(timeout_s * 1e9)
    while True:
        sent = time.monotonic_ns()
        if not x11_wire.is_uniform(conn.image(window, 0, 0, width, height)):
            return sent
        if sent > deadline:
            raise Failure(f"{name}: the window stayed unpainted for {timeout_s} s")
        time.sleep(0.0005)


def start_to_first_paint(conn, subjects, runs, warm_up_runs=1):
    """Per subject: {'outside': [ms...], 'signal': [ms...]} from exec to the first paint.

    'outside' is seen by this harness through the X server: the window was mapped and its pixels
    are no longer one fill colour. 'signal' is the sign's own first-paint line (CLOCK_MONOTONIC,
    the same clock as the harness). The subjects take turns, so both see the same machine state;
    the first round of each only warms the caches and is not counted."""
    figures = {subject.name: {"outside": [], "signal": []} for subject in subjects}
    for round_number in range(warm_up_runs + runs):
        for subject in subjects:
            conn.drop_events()
            run = subject.launch()
            window = None
            try:
                window = _wait_mapped(conn, run, subject.name).window
                painted_ns = _wait_painted(conn, window, subject.name)
                signal = run.wait_for_line("first-paint ", 10) if subject.paint_log else None
                if subject.paint_log and signal is None:
                    raise Failure(f"{subject.name}: no first-paint line on stderr")
            finally:
                run.stop()
                if window is not None:
                    conn.next_event(x11_wire.DESTROY_NOTIFY, time.monotonic_ns() + int(5e9),
                                    window=window)
            if round_number < warm_up_runs:
                continue
            figures[subject.name]["outside"].append(_ms(painted_ns - run.start_ns))
            if signal is not None:
                figures[subject.name]["signal"].append(
                    _ms(int(signal[1].split()[1]) - run.start_ns))
    return figures


def _memory_after(subject, seconds):
    run = subject.launch()
    try:
        _sleep_until(run.start_ns + int(seconds * 1e9))
        if run.process.poll() is not None:
            raise Failure(f"{subject.name}: ended with status {run.process.returncode}")
        return proc_stats.memory_kib(run.pid)
    finally:
        run.stop()


def memory(subjects, rounds, seconds=5.0):
    """Per subject: {'Rss': [kiB...], 'Pss': [...], 'Pss_Anon': [...]}, `seconds` after exec, one
    figure a round.

    Each program runs alone, because PSS splits every shared page among the processes that map
    it: with the other program running, the libraries both use would be halved for each. The
    subjects take turns, so that a change in the rest of the machine touches both alike."""
    figures = {subject.name: {"Rss": [], "Pss": [], "Pss_Anon": []} for subject in subjects}
    for _ in range(rounds):
        for subject in subjects:
            for name, kib in _memory_after(subject, seconds).items():
                figures[subject.name][name].append(kib)
    return figures


def _idle_cpu(subject, settle_s, idle_s):
    run = subject.launch()
    try:
        begin = run.start_ns + int(settle_s * 1e9)
        _sleep_until(begin)
        before = proc_stats.CpuReading(run.pid)
        _sleep_until(begin + int(idle_s * 1e9))
        after = proc_stats.CpuReading(run.pid)
        if run.process.poll() is not None:
            raise Failure(f"{subject.name}: ended with status {run.process.returncode}")
        return after.since(before)
    finally:
        run.stop()


def idle(subjects, rounds, round_s, settle_s=4.0):
    """Per subject: {'stat_ms': [...], 'schedstat_ms': [...]}, the CPU used over round_s seconds
    of each round, untouched, once settle_s seconds have passed since the start.

    Each program runs alone. Side by side, whichever ticks a moment after the other finds the
    code of the libraries both use (libc, Xlib, Xft) already in the processor's caches and pays
    less for its tick; where the ticks fall depends on when each was started, so runs side by
    side favour one program or the other by chance. The subjects take turns, and the first of
    a round alternates, so that a change in the rest of the machine touches both alike."""
    figures = {subject.name: {"stat_ms": [], "schedstat_ms": []} for subject in subjects}
    for round_number in range(rounds):
        order = subjects if round_number % 2 == 0 else list(reversed(subjects))
        for subject in order:
            stat_ms, schedstat_ms = _idle_cpu(subject, settle_s, round_s)
            figures[subject.name]["stat_ms"].append(stat_ms)
            figures[subject.name]["schedstat_ms"].append(schedstat_ms)
    return figures


def idle_paints(sign, seconds, settle_s=4.0):
    """The sign's paint-log lines over `seconds` untouched, once settle_s seconds have passed."""
    run = sign.launch()
    try:
        begin = run.start_ns + int(settle_s * 1e9)
        _sleep_until(begin + int(seconds * 1e9))
        return run.lines_between(begin, begin + int(seconds * 1e9))
    finally:
        run.stop()


def _parse_timer_line(text, kind):
    """The nanoseconds of a 'timer-start 20 <ns>' / 'timer-stop 20 <ns>' line, else None."""
    parts = text.split()
    if len(parts) == 3 and parts[0] == kind and parts[1] == str(BOUNCE_TICK_MS):
        return int(parts[2])
    return None


def _one_bounce(conn, run, window, origin, park, env):
    rest = conn.image(window, *DATE_LABEL_BOX)
    cpu_before = proc_stats.CpuReading(run.pid)
    moved_ns = time.monotonic_ns()
    # One move onto the picture starts the bounce; the pointer then leaves at once, so that it is
    # already outside when the cycle ends and no later move can start the next one.
    mover = subprocess.Popen(
        ["xdotool", "mousemove", str(origin[0] + PICTURE_POINT[0]),
         str(origin[1] + PICTURE_POINT[1]), "sleep", "0.05", "mousemove", str(park[0]),
         str(park[1])], env=env)
    first_change = home_again = None
    deadline = moved_ns + int(20e9)
    while time.monotonic_ns() < deadline:
        sent = time.monotonic_ns()
        same = conn.image(window, *DATE_LABEL_BOX) == rest
        if not same and first_change is None:
            first_change = sent
        elif same and first_change is not None:
            home_again = sent
            break
        time.sleep(0.002)
    cpu_after = proc_stats.CpuReading(run.pid)
    ended_ns = time.monotonic_ns()
    mover.wait()
    if first_change is None or home_again is None:
        raise Failure("sign: the date label did not leave and come home within 20 s")

    time.sleep(0.2)  # the stop line may trail the last paint a little
    started = stopped = None
    for text in run.lines_between(moved_ns, time.monotonic_ns()):
        if started is None:
            started = _parse_timer_line(text, "timer-start")
        elif stopped is None:
            stopped = _parse_timer_line(text, "timer-stop")
    log = run.lines_between(moved_ns, ended_ns)
    stat_ms, schedstat_ms = cpu_after.since(cpu_before)
    wall_ms = _ms(ended_ns - moved_ns)
    return {
        # Tick 1 to tick 402 seen on screen spans 401 tick intervals.
        "outside_ms": _ms(home_again - first_change) * BOUNCE_TICKS / (BOUNCE_TICKS - 1),
        "signal_ms": _ms(stopped - started) if started and stopped else None,
        "wall_ms": wall_ms,
        "cpu_stat_ms": stat_ms,
        "cpu_schedstat_ms": schedstat_ms,
        "paints": sum(1 for text in log if text.startswith("paint ")),
        "full_paints": sum(1 for text in log if text.startswith("paint full")),
    }


def bounce(conn, sign, cycles, park, env):
    """Per cycle: its length seen on screen and by the sign's timer lines, the sign's CPU from
    the move to the end, and its paints in that span."""
    conn.drop_events()
    run = sign.launch()
    try:
        window = _wait_mapped(conn, run, sign.name).window
        if run.wait_for_line("first-paint ", 10) is None:
            raise Failure("sign: no first-paint line on stderr")
        origin = conn.geometry(window)[:2]
        time.sleep(1.5)
        results = []
        for _ in range(cycles):
            results.append(_one_bounce(conn, run, window, origin, park, env))
            time.sleep(1.0)
        return results
    finally:
        run.stop()


def path_join(path_bench, env):
    """The micro-benchmark's runs as (name, ns per call, bytes per second or None), plus the
    linear fit of each size series and how well the runs follow it (texts in place of ns)."""
    result = subprocess.run(
        [path_bench, "--benchmark_format=json", "--benchmark_min_time=0.05"], env=env,
        capture_output=True, text=True, check=True)
    rows = []
    for entry in json.loads(result.stdout)["benchmarks"]:
        if entry.get("run_type") == "aggregate":
            if entry.get("aggregate_name") == "BigO":
                rows.append((entry["name"], f"{entry['cpu_coefficient']:.3g} ns * {entry['big_o']}",
                             None))
            elif entry.get("aggregate_name") == "RMS":
                # How far the runs stray from the fitted line: small when the cost is linear.
                rows.append((entry["name"], f"{entry['rms'] * 100:.0f}% from the fit", None))
            continue
        time_ns = entry["cpu_time"] * {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[entry["time_unit"]]
        rows.append((entry["name"], time_ns, entry.get("bytes_per_second")))
    return rows
