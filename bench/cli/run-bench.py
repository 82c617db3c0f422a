#!/usr/bin/env python3
"""Times whole runs of quillmar-cli as a user starts them, beside the references doing the same
work (matplotlib drawing the same chart, pandas reading the same million-line file), in one run,
and prints the medians and the ratios as a table. FLOOR is qt_floor (QtFloor.cpp): the least a
chart program on Qt does, timed for what starting Qt costs, and with --libraries-only, what
loading Qt's libraries alone costs.
Usage: run-bench.py CLI FLOOR PRICEFILE MILLIONFILE WORKDIR [RUNS]
"""

import statistics
import subprocess
import sys
import time

CHART = ["--type", "candle", "--add", "ma", "--add", "ema", "--add", "bollinger",
         "--add", "macd", "--add", "rsi", "--add", "volume"]


def main():
    cli, floor, data, million, work = sys.argv[1:6]
    runs = int(sys.argv[6]) if len(sys.argv) > 6 else 11
    settings = ["--settings-dir", work]
    bars = 128  # about what the 1024-pixel candle chart shows
    mpl = [sys.executable, f"{sys.path[0]}/mpl-chart.py", data, str(bars), f"{work}/mpl.png"]
    pandas = [sys.executable, "-c", f"import pandas; pandas.read_csv({million!r})"]
    # (name, command, the reference it is compared with)
    cases = [
        ("quillmar-cli chart, PNG", [cli, "chart", data, *CHART, *settings, "-o",
                                     f"{work}/chart.png"], "matplotlib"),
        ("quillmar-cli chart, GIF", [cli, "chart", data, *CHART, *settings, "-o",
                                     f"{work}/chart.gif"], "matplotlib"),
        ("quillmar-cli values", [cli, "values", data, *CHART, *settings], None),
        ("python3 + matplotlib, PNG", mpl, None),
        ("qt_floor: Qt started, one line of text, PNG", [floor, f"{work}/floor.png"],
         "matplotlib"),
        ("qt_floor --libraries-only: Qt's libraries loaded, nothing run",
         [floor, "--libraries-only"], "matplotlib"),
        ("quillmar-cli values, 1,000,000 lines", [cli, "values", million, *settings], "pandas"),
        ("python3 + pandas.read_csv, 1,000,000 lines", pandas, None),
    ]
    # Each round runs every case once, so that a change in the machine's load falls on all.
    times = {name: [] for name, _, _ in cases}
    for _, command, _ in cases:
        subprocess.run(command, check=True, stdout=subprocess.DEVNULL)  # warm the file cache
    for _ in range(runs):
        for name, command, _ in cases:
            start = time.perf_counter()
            subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
            times[name].append((time.perf_counter() - start) * 1000)
    medians = {name: statistics.median(t) for name, t in times.items()}
    reference = {"matplotlib": medians["python3 + matplotlib, PNG"],
                 "pandas": medians["python3 + pandas.read_csv, 1,000,000 lines"]}
    print(f"| Command ({runs} rounds) | Median wall-clock time | Faster than the reference |")
    print("|---|---|---|")
    for name, _, against in cases:
        ratio = f"{reference[against] / medians[name]:.1f} times" if against else ""
        print(f"| {name} | {medians[name]:.0f} ms | {ratio} |", flush=True)


if __name__ == "__main__":
    main()
