"""Turns the figures into a Markdown results table with ratios and target verdicts.

Verdicts are reported, never enforced: the benchmark's job is to show the figures."""

import os
import statistics

SIGN = "sign"
PEER = "xclock"
BOUNCE_NOMINAL_MS = 8040.0
CLOCK_TICK_MS = 1000.0 / os.sysconf("SC_CLK_TCK")


def _median(values):
    values = [value for value in values if value is not None]
    return statistics.median(values) if values else None


def _number(value, digits=1):
    return "n/a" if value is None else f"{value:.{digits}f}"


def _ratio(sign, peer):
    if sign is None or peer is None or peer == 0:
        return None
    return sign / peer


def _verdict(ok):
    if ok is None:
        return "not measured"
    return "met" if ok else "missed"


class Table:
    def __init__(self):
        self.rows = []

    def compare(self, figure, sign, peer, limit, digits=1, step=None):
        """A row judged by the ratio sign / peer against `limit` (ratio at most limit). Figures
        that move in steps of `step` are not judged while either is under ten steps: one step
        more or less would swing the ratio."""
        ratio = _ratio(sign, peer)
        if not limit:
            verdict = "-"
        elif step and None not in (sign, peer) and min(sign, peer) < 10 * step:
            verdict = f"too coarse to judge ({step:g} ms steps)"
        else:
            verdict = _verdict(None if ratio is None else ratio <= limit)
        self.rows.append((figure, _number(sign, digits), _number(peer, digits),
                          _number(ratio, 2) + ("x" if ratio is not None else ""),
                          f"<= {limit:.1f}x" if limit else "-", verdict))

    def sign_only(self, figure, sign_text, target, ok):
        self.rows.append((figure, sign_text, "-", "-", target, _verdict(ok)))

    def failed(self, figure, reason):
        self.rows.append((figure, f"failed: {reason}", "", "", "", "not measured"))

    def markdown(self):
        header = ("Figure", "Sign", "xclock", "Sign / xclock", "Target", "Result")
        lines = ["| " + " | ".join(header) + " |", "|" + "---|" * len(header)]
        lines += ["| " + " | ".join(row) + " |" for row in self.rows]
        return "\n".join(lines)


def _startup_rows(table, startup, runs):
    if isinstance(startup, str):
        table.failed("Start to first paint", startup)
        return
    signal = _median(startup[SIGN]["signal"])
    sign_seen = _median(startup[SIGN]["outside"])
    peer_seen = _median(startup[PEER]["outside"])
    table.compare(f"Start to first paint, ms, median of {runs} (sign: its first-paint line; "
                  "xclock: seen painted)", signal, peer_seen, 1.2)
    table.compare(f"Start to first paint, ms, median of {runs} (both seen painted; cross-check)",
                  sign_seen, peer_seen, 1.2)


def _memory_rows(table, memory, rounds):
    if isinstance(memory, str):
        table.failed("PSS / RSS after 5 s", memory)
        return
    for kind, what, limit in (("Pss", "PSS", 1.5), ("Rss", "RSS", None),
                              ("Pss_Anon", "anonymous PSS (heap, stacks)", None)):
        if not memory[SIGN][kind] or not memory[PEER][kind]:
            continue  # a kernel without Pss_Anon in smaps_rollup
        table.compare(f"{what} after 5 s, MiB, median of {rounds} (each running alone)",
                      _median(memory[SIGN][kind]) / 1024.0, _median(memory[PEER][kind]) / 1024.0,
                      limit, 2)


def idle_paint_counts(log):
    full = [line for line in log if line.startswith("paint full")]
    part = [line for line in log if line.startswith("paint part")]
    boxes = sorted({line.rsplit("=", 1)[-1] for line in part})
    return len(full), len(part), boxes


def _idle_rows(table, idle, paints, settings):
    idle_s, rounds = settings["idle_s"], settings["idle_rounds"]
    if isinstance(idle, str):
        table.failed(f"CPU over {idle_s:.0f} s idle", idle)
    else:
        how = (f"sum of {rounds} rounds of {idle_s / rounds:.0f} s, each program running alone, "
               "without the paint log")
        table.compare(f"CPU over {idle_s:.0f} s idle, ms (scheduler run time; {how})",
                      sum(idle[SIGN]["schedstat_ms"]), sum(idle[PEER]["schedstat_ms"]), 1.0, 1)
        table.compare(f"CPU over {idle_s:.0f} s idle, ms (utime+stime; cross-check)",
                      sum(idle[SIGN]["stat_ms"]), sum(idle[PEER]["stat_ms"]), 1.0, 0,
                      step=CLOCK_TICK_MS)
    paint_count_s = settings["paint_count_s"]
    if isinstance(paints, str):
        table.failed(f"Paints in {paint_count_s:.0f} s idle", paints)
        return
    full, part, boxes = idle_paint_counts(paints)
    table.sign_only(f"Paints in {paint_count_s:.0f} s idle: full / part (label boxes per part)",
                    f"{full} / {part} ({', '.join(boxes) or '-'})",
                    "no full paints; about one part paint a second",
                    full == 0 and part > 0)


def _bounce_rows(table, bounce):
    if isinstance(bounce, str):
        table.failed("Bounce cycle", bounce)
        return
    cycles = len(bounce)
    signal = _median([cycle["signal_ms"] for cycle in bounce])
    seen = _median([cycle["outside_ms"] for cycle in bounce])

    def length_row(figure, length):
        if length is None:
            table.sign_only(figure, "n/a (no timer lines on stderr)", "8040 ms +- 1%", None)
            return
        off = (length - BOUNCE_NOMINAL_MS) / BOUNCE_NOMINAL_MS * 100
        table.sign_only(figure, f"{length:.1f} ({off:+.2f}%)", "8040 ms +- 1%", abs(off) <= 1.0)

    length_row(f"Bounce cycle, ms, median of {cycles} (timer-start to timer-stop lines)", signal)
    length_row(f"Bounce cycle, ms, median of {cycles} (seen on screen: tick 1 to tick 402)", seen)
    for key, how in (("cpu_stat_ms", "utime+stime"), ("cpu_schedstat_ms",
                                                       "scheduler run time; cross-check")):
        percents = [cycle[key] / cycle["wall_ms"] * 100 for cycle in bounce]
        cpu = _median([cycle[key] for cycle in bounce])
        table.sign_only(f"CPU during a bounce, % of a core, median of {cycles} ({how})",
                        f"{_median(percents):.2f} ({cpu:.1f} ms)", "< 1%",
                        _median(percents) < 1.0)


def details(results):
    """Every single run, under the table, so that medians can be checked."""
    lines = []
    startup = results["startup"]
    if not isinstance(startup, str):
        for name in (SIGN, PEER):
            for kind, values in startup[name].items():
                if values:
                    runs = ", ".join(f"{value:.1f}" for value in values)
                    lines.append(f"- start to first paint, {name}, {kind} (ms): {runs}")
    memory = results["memory"]
    if not isinstance(memory, str):
        for name in (SIGN, PEER):
            readings = "; ".join(
                f"{kind} " + ", ".join(str(kib) for kib in memory[name][kind])
                for kind in ("Pss", "Rss", "Pss_Anon"))
            lines.append(f"- after 5 s, {name} (kiB): {readings}")
    idle = results["idle"]
    if not isinstance(idle, str):
        for name in (SIGN, PEER):
            run_times = ", ".join(f"{ms:.1f}" for ms in idle[name]["schedstat_ms"])
            ticks = ", ".join(f"{ms:.0f}" for ms in idle[name]["stat_ms"])
            lines.append(f"- idle CPU by round, {name}: scheduler run time {run_times} ms; "
                         f"utime+stime {ticks} ms")
        ratios = ", ".join(f"{_ratio(sign, peer):.2f}x" for sign, peer in
                           zip(idle[SIGN]["schedstat_ms"], idle[PEER]["schedstat_ms"]))
        lines.append(f"- idle CPU by round, sign / xclock (scheduler run time): {ratios}")
    bounce = results["bounce"]
    if not isinstance(bounce, str):
        for number, cycle in enumerate(bounce, 1):
            signal = _number(cycle["signal_ms"])
            lines.append(
                f"- bounce {number}: {signal} ms by timer lines, {cycle['outside_ms']:.1f} ms on "
                f"screen; CPU {cycle['cpu_stat_ms']:.0f} ms utime+stime, "
                f"{cycle['cpu_schedstat_ms']:.1f} ms scheduler, over {cycle['wall_ms']:.0f} ms; "
                f"{cycle['paints']} paints ({cycle['full_paints']} full)")
    return "\n".join(lines)


def path_join_table(rows):
    if isinstance(rows, str):
        return f"PathJoin micro-benchmark failed: {rows}"
    lines = ["| PathJoin case (/N: folder length, or length of each backslash run) | CPU per call "
             "| Throughput |",
             "|---|---|---|"]
    for name, time_ns, bytes_per_second in rows:
        if isinstance(time_ns, str):
            lines.append(f"| {name} | {time_ns} | |")
            continue
        per_call = f"{time_ns / 1e3:.1f} us" if time_ns >= 1e4 else f"{time_ns:.0f} ns"
        rate = f"{bytes_per_second / 1e6:.0f} MB/s" if bytes_per_second else ""
        lines.append(f"| {name} | {per_call} | {rate} |")
    return "\n".join(lines)


def render(results, settings):
    table = Table()
    _startup_rows(table, results["startup"], settings["runs"])
    _memory_rows(table, results["memory"], settings["memory_rounds"])
    _idle_rows(table, results["idle"], results["idle_paints"], settings)
    _bounce_rows(table, results["bounce"])
    parts = [
        f"Orvanta sign vs `{settings['peer_command']}`, one private Xvfb "
        f"({settings['screen']}), {settings['when']}",
        "",
        f"Machine: {settings['machine']}",
        "",
        table.markdown(),
        "",
        details(results),
        "",
        path_join_table(results["path"]),
    ]
    return "\n".join(parts) + "\n"
