#!/usr/bin/env python3
"""Times whole runs of quillmar-cli as a user starts them, beside matplotlib drawing the same
chart, and prints the medians as a table. Usage: run-bench.py CLI PRICEFILE WORKDIR [RUNS]
"""

import statistics
import subprocess
import sys
import time

CHART = ["--type", "candle", "--add", "ma", "--add", "ema", "--add", "bollinger",
         "--add", "macd", "--add", "rsi", "--add", "volume"]


def median_ms(command, runs):
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL)  # warm the file cache
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
        times.append((time.perf_counter() - start) * 1000)
    return statistics.median(times)


def main():
    cli, data, work = sys.argv[1], sys.argv[2], sys.argv[3]
    runs = int(sys.argv[4]) if len(sys.argv) > 4 else 11
    settings = ["--settings-dir", work]
    bars = 128  # about what the 1024-pixel candle chart shows
    cases = [
        ("quillmar-cli chart, PNG", [cli, "chart", data, *CHART, *settings, "-o",
                                     f"{work}/chart.png"]),
        ("quillmar-cli chart, GIF", [cli, "chart", data, *CHART, *settings, "-o",
                                     f"{work}/chart.gif"]),
        ("quillmar-cli values", [cli, "values", data, *CHART, *settings]),
        ("python3 + matplotlib, PNG", [sys.executable, f"{sys.path[0]}/mpl-chart.py", data,
                                       str(bars), f"{work}/mpl.png"]),
    ]
    print(f"| Command ({runs} runs) | Median wall-clock time |")
    print("|---|---|")
    for name, command in cases:
        print(f"| {name} | {median_ms(command, runs):.0f} ms |", flush=True)


if __name__ == "__main__":
    main()
