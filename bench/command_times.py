#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""How long the headless commands take as whole processes, against their goals: the median of
several runs of each, wall time from start to exit.

    python3 bench/command_times.py [--vesk build/vesk] [--runs 5] [--ephe ../shared/ephe]

Goals: `info --year 2024 --month 4` at most 60 ms, `info --year 2024 --month 4 --place Dallas`
at most 40 ms, and the place list over 271 years at most 60 ms and a tenth of swetest's search
for the same 100 eclipses (`swetest -solecl -local`, run the same way when it is installed;
Debian package swetest).
The map of 2024 April into a PNG is timed without a goal: the cost of a window's first picture,
its data files read."""
import argparse
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


def median_seconds(command, runs):
    """The median wall time of runs of a command (its output discarded); None when it fails."""
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        done = subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        times.append(time.perf_counter() - start)
        if done.returncode != 0:
            return None
    return statistics.median(times)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--vesk", default="build/vesk")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--ephe", default="../shared/ephe", help="swetest's ephemeris folder")
    args = parser.parse_args()

    place_list = [args.vesk, "list", "--place", "139.69,35.69", "--from", "2000", "--years",
                  "271", "--min-mag", "0"]
    picture = tempfile.TemporaryDirectory()
    cases = [("info --year 2024 --month 4", [args.vesk, "info", "--year", "2024", "--month", "4"],
              0.060),
             ("info --year 2024 --month 4 --place Dallas",
              [args.vesk, "info", "--year", "2024", "--month", "4", "--place", "Dallas"], 0.040),
             ("list --place 139.69,35.69 (271 years)", place_list, 0.060),
             ("render --year 2024 --month 4 (the relief map)",
              [args.vesk, "render", "--year", "2024", "--month", "4", "--out",
               f"{picture.name}/map.png"], None)]
    failed = False
    measured = {}
    for name, command, goal in cases:
        seconds = median_seconds(command, args.runs)
        measured[name] = seconds
        if seconds is None:
            print(f"{name}: the command failed")
            failed = True
            continue
        verdict = "" if goal is None else (" ok" if seconds <= goal else " OVER")
        goal_text = "" if goal is None else f" (goal {goal * 1000:.0f} ms)"
        print(f"{name}: {seconds * 1000:.0f} ms{goal_text}{verdict}")
        failed = failed or (goal is not None and seconds > goal)

    swetest = shutil.which("swetest")
    if swetest is None:
        print("swetest is not installed: the place list's goal is not measured")
    else:
        reference = median_seconds([swetest, f"-edir{args.ephe}", "-solecl", "-local",
                                    "-geopos139.69,35.69,0", "-b1.1.2000", "-n100"], args.runs)
        mine = measured[cases[2][0]]
        if reference is None or mine is None:
            print("swetest failed")
            failed = True
        else:
            ratio = mine / reference
            print(f"swetest -solecl -local, 100 eclipses: {reference * 1000:.0f} ms; "
                  f"the list takes {ratio:.3f} of it (goal 0.1){' ok' if ratio <= 0.1 else ' OVER'}")
            failed = failed or ratio > 0.1
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
