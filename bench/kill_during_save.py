#!/usr/bin/env python3
"""Kills `tintora-cli resave` and `new` with SIGKILL at random moments while they write over an
existing theme, and checks that the target is always either the old file or the complete new one,
and that the next save in the folder leaves no temporary file behind.

    bench/kill_during_save.py [build/cli/tintora-cli] [runs]
"""
import os
import random
import signal
import subprocess
import sys
import tempfile
import time

cli = sys.argv[1] if len(sys.argv) > 1 else "build/cli/tintora-cli"
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 200
folder = tempfile.mkdtemp(prefix="tintora-kill-")


def path(name):
    return os.path.join(folder, name)


def run(*args):
    subprocess.run([cli, *args], check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def read(name):
    with open(path(name), "rb") as f:
        return f.read()


def temporaries():
    return [n for n in os.listdir(folder) if n.startswith(".tintora-") and n.endswith(".tmp")]


# The old file, and what each command writes when it is left to finish.
run("new", path("old.thm"), "--name", "Old", "--created", "1.1.2000 0:0:0")
run("new", path("source.thm"), "--name", "New " * 30, "--created", "2.2.2002 0:0:0")
commands = {
    "resave": ["resave", path("source.thm"), path("target.thm")],
    "new": ["new", path("target.thm"), "--name", "Made", "--created", "3.3.2003 0:0:0"],
}
old = read("old.thm")
expected = {}
duration = {}
for name, args in commands.items():
    started = time.perf_counter()
    run(*args)
    duration[name] = time.perf_counter() - started
    expected[name] = read("target.thm")

most = 0
counts = {name: {"old": 0, "new": 0, "other": 0, "temporaries left": 0} for name in commands}
for i in range(runs):
    name = "resave" if i % 2 == 0 else "new"
    with open(path("target.thm"), "wb") as f:
        f.write(old)
    process = subprocess.Popen([cli, *commands[name]], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(random.uniform(0, duration[name] * 1.2))
    try:
        os.kill(process.pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    process.wait()
    now = read("target.thm")
    counts[name]["old" if now == old else "new" if now == expected[name] else "other"] += 1
    # A kill between creating the temporary file and renaming it leaves one; the next save in
    # the folder removes it, so they never pile up.
    counts[name]["temporaries left"] += len(temporaries())
    most = max(most, len(temporaries()))

left_before = len(temporaries())
run("new", path("after.thm"))
left_after = len(temporaries())

for name, c in counts.items():
    print(f"{name}: {c['old']} old, {c['new']} new, {c['other']} other; "
          f"temporary files seen after kills: {c['temporaries left']} (run takes {duration[name] * 1000:.1f} ms)")
print(f"most temporary files at one time: {most}; before the last save: {left_before}, after it: {left_after}")
failed = any(c["other"] for c in counts.values()) or left_after or most > 1
print("FAILED" if failed else "ok")
sys.exit(1 if failed else 0)
