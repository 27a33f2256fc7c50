#!/usr/bin/env python3
"""Times whole processes of the start bench, alternating, and prints medians.

Usage: time_start.py RUNS NAME=COMMAND [NAME=COMMAND ...]

Each round runs every command once, in the order given; the last one is the
yardstick the ratios are taken against. CPU is the process's user + system
time (from wait4, so children it waited for count too), wall the time from
start to end. A run taking over 30 s is ended and reported. Run it under a
display, for example:

  bench/time_start.py 21 program=build/bin/vexo_bench_start \\
      "bare=build/bin/vexo_bench_start --bare"
"""
import os
import shlex
import statistics
import subprocess
import sys
import threading
import time


def run(command):
    started = time.monotonic()
    process = subprocess.Popen(shlex.split(command), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    limit = threading.Timer(30, process.kill)
    limit.start()
    _, status, usage = os.wait4(process.pid, 0)
    limit.cancel()
    wall = time.monotonic() - started
    return status, (usage.ru_utime + usage.ru_stime) * 1000, wall * 1000, usage.ru_maxrss / 1024


def main(argv):
    if len(argv) < 3 or not argv[1].isdigit() or any("=" not in a for a in argv[2:]):
        sys.stderr.write(__doc__)
        return 2
    commands = dict(a.split("=", 1) for a in argv[2:])
    figures = {name: ([], [], []) for name in commands}
    for _ in range(int(argv[1])):
        for name, command in commands.items():
            status, cpu, wall, peak = run(command)
            if status != 0:
                print(f"{name}: ended with status {status}", file=sys.stderr)
            for kept, value in zip(figures[name], (cpu, wall, peak)):
                kept.append(value)
    medians = {name: [statistics.median(v) for v in kept] for name, kept in figures.items()}
    cpu_0, wall_0, _ = medians[list(commands)[-1]]
    print("load average %.1f %.1f %.1f" % os.getloadavg())
    print(f"{'':14s} {'CPU ms':>8s} {'wall ms':>8s} {'peak MiB':>8s} {'CPU/last':>8s} {'wall/last':>9s}")
    for name, (cpu, wall, peak) in medians.items():
        print(f"{name:14s} {cpu:8.1f} {wall:8.1f} {peak:8.1f} {cpu / cpu_0:8.2f} {wall / wall_0:9.2f}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
