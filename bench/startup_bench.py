#!/usr/bin/env python3
"""Whole-process start-up of the command line and the desktop program.

Runs each command N times (default 15) on a settled data directory and
prints the median CPU time (user + system, from the kernel's accounting of
the finished child) and the median wall time. The data directory is made
by a first run and left for two seconds, as a practitioner's is: the start
then knows the program's files by their identity and reads none of them.

    bench/startup_bench.py [BUILD_DIR] [-n RUNS]

The desktop program is measured up to its main window shown (offscreen, it
quits as soon as the window is on screen: QV_QUIT_WHEN_SHOWN=1).
"""
import os, resource, statistics, subprocess, sys, tempfile, time

build = "build"
runs = 15
args = sys.argv[1:]
while args:
    a = args.pop(0)
    if a == "-n":
        runs = int(args.pop(0))
    else:
        build = a
cli = os.path.join(build, "bin", "quorendaville-cli")
desktop = os.path.join(build, "bin", "quorendaville")
data = tempfile.mkdtemp(prefix="qv-startup-")
birth = ["--date", "14/07/1968", "--time", "06:35", "--corr", "-2", "--coords", "45N28-009E11"]
env = dict(os.environ, QT_QPA_PLATFORM="offscreen", QV_QUIT_WHEN_SHOWN="1")

commands = [
    ("--version", [cli, "--version"]),
    ("chart", [cli, "chart", *birth, "--data-dir", data]),
    ("atlas find", [cli, "atlas", "find", "GUBBIO", "--data-dir", data]),
    ("remedies symptom", [cli, "remedies", "symptom", "Tosse", "--data-dir", data]),
    ("wheel (SVG)", [cli, "wheel", *birth, "--out", os.path.join(data, "w.svg"), "--data-dir", data]),
]
if os.path.exists(desktop):
    commands.append(("desktop to main window", [desktop, "--data-dir", data]))

subprocess.run(commands[1][1], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
subprocess.run(commands[1][1], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
time.sleep(2.2)
subprocess.run(commands[1][1], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)

print(f"{'command':26} {'CPU ms':>8} {'wall ms':>8}   (median of {runs})")
for name, cmd in commands:
    cpu, wall = [], []
    for _ in range(runs):
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        t0 = time.perf_counter()
        subprocess.run(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
        wall.append((time.perf_counter() - t0) * 1000)
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        cpu.append(((after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)) * 1000)
    print(f"{name:26} {statistics.median(cpu):8.1f} {statistics.median(wall):8.1f}")
