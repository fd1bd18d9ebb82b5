#!/usr/bin/env python3
"""Start-up of tessaly.exe beside Wine's own notepad, and the opening of a
40-image icon file, under Wine on $DISPLAY: from process start until the
window is mapped with its name (and, for the file, until the title names
it). Median of several runs; the ratios are ours / notepad.

  bench/startup_compare.py path/to/tessaly.exe [runs]
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "session"))
import session_test as session  # noqa: E402


def started(command, pattern, work):
    before = set(subprocess.run(["xdotool", "search", "--name", ""], capture_output=True, text=True).stdout.split())
    begin = time.perf_counter()
    process = subprocess.Popen(command, cwd=work, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    while True:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", pattern],
                               capture_output=True, text=True).stdout.split()
        if [w for w in found if w not in before]:
            break
        if time.perf_counter() - begin > 60:
            raise SystemExit("%s did not start" % command)
        time.sleep(0.005)
    return time.perf_counter() - begin, process


def main():
    exe = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    work = tempfile.mkdtemp(prefix="tessaly-timing-")
    icon = os.path.join(work, "forty.ico")
    sizes = [16, 24, 32, 48, 64, 72, 96, 128, 256, 20]
    parts = []
    for depth, n in ((0, 10), (1, 10), (2, 10), (3, 10)):
        for i, size in enumerate(sizes):
            part = os.path.join(work, "p%d_%d.png" % (depth, i))
            subprocess.run([session.CONVERT, "-size", "%dx%d" % (size, size), "plasma:", part], check=True,
                           capture_output=True)
            parts.append(part)
    subprocess.run([session.CONVERT, *parts, icon], check=True, capture_output=True)

    ours, notepad, opening = [], [], []
    for _ in range(runs):
        t, p = started(["wine", exe], "^Tessaly$", work)
        ours.append(t)
        # The file named on the title bar is the end of the opening.
        window = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Tessaly$"],
                                capture_output=True, text=True).stdout.split()[-1]
        time.sleep(1.0)
        subprocess.run(["xdotool", "key", "--window", window, "ctrl+o"])
        while not subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^(Open|開く)$"],
                                 capture_output=True, text=True).stdout.split():
            time.sleep(0.01)
        time.sleep(0.3)
        subprocess.run(["xdotool", "type", "--delay", "10", "Z:" + icon.replace("/", "\\")])
        begin = time.perf_counter()
        subprocess.run(["xdotool", "key", "Return"])
        while subprocess.run(["xdotool", "getwindowname", window], capture_output=True,
                             text=True).stdout.strip() != "forty - Tessaly":
            time.sleep(0.002)
        opening.append(time.perf_counter() - begin)
        p.kill()
        p.wait()
        time.sleep(0.5)
        t, p = started(["wine", "notepad"], "Notepad|メモ帳", work)
        notepad.append(t)
        p.kill()
        p.wait()
        time.sleep(0.5)
    m = statistics.median
    print("start-up: tessaly %.3f s, notepad %.3f s, ratio %.2f" % (m(ours), m(notepad), m(ours) / m(notepad)))
    print("opening a 40-image icon: %.3f s (%.2f of notepad's start-up)" % (m(opening), m(opening) / m(notepad)))


if __name__ == "__main__":
    main()
