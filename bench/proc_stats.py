"""Readings of a running process from /proc: CPU time and memory."""

import os

_CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


class CpuReading:
    """CPU used so far by a process, two ways.

    stat_ms: utime + stime from /proc/PID/stat (what `ps` and `top` show), in whole clock ticks,
    so it moves in steps of 1000 / CLK_TCK ms. schedstat_ms: the scheduler's own run-time sum for
    every thread, in nanoseconds, which resolves the few milliseconds an idle clock spends.
    """

    def __init__(self, pid):
        with open(f"/proc/{pid}/stat") as stat:
            # The command name in parentheses may hold blanks; fields start after its ')'.
            fields = stat.read().rsplit(")", 1)[1].split()
        # fields[0] is field 3 (state), so utime (14) and stime (15) are at 11 and 12.
        self.stat_ms = (int(fields[11]) + int(fields[12])) * 1000.0 / _CLOCK_TICKS
        run_ns = 0
        for task in os.listdir(f"/proc/{pid}/task"):
            with open(f"/proc/{pid}/task/{task}/schedstat") as schedstat:
                run_ns += int(schedstat.read().split()[0])
        self.schedstat_ms = run_ns / 1e6

    def since(self, earlier):
        """(stat_ms, schedstat_ms) used between an earlier reading and this one."""
        return self.stat_ms - earlier.stat_ms, self.schedstat_ms - earlier.schedstat_ms


def memory_kib(pid):
    """{'Rss': kiB, 'Pss': kiB, 'Pss_Anon': kiB} from /proc/PID/smaps_rollup. Pss_Anon is the
    heap, stacks and other anonymous memory, which no other program shares, so unlike Pss it
    does not move with whatever else on the machine maps the same libraries."""
    figures = {}
    with open(f"/proc/{pid}/smaps_rollup") as rollup:
        for line in rollup:
            name, _, rest = line.partition(":")
            if name in ("Rss", "Pss", "Pss_Anon"):
                figures[name] = int(rest.split()[0])
    return figures
