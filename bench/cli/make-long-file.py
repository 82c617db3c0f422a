#!/usr/bin/env python3
"""Writes a 20-year daily price file (1997 to 2016, every weekday) in the downloads' layout:
header, M/d/yyyy dates, newest first. Fixed seed, so every run writes the same file.
Usage: make-long-file.py OUTPUT_FILE
"""

import datetime as dt
import math
import random
import sys


def main():
    rng = random.Random(20)
    close = 25.0
    rows = []
    day = dt.date(1997, 1, 2)
    while day <= dt.date(2016, 12, 30):
        if day.weekday() < 5:
            open_ = close * math.exp(rng.gauss(0, 0.004))
            close = open_ * math.exp(rng.gauss(0.0003, 0.018))
            high = max(open_, close) * math.exp(abs(rng.gauss(0, 0.008)))
            low = min(open_, close) * math.exp(-abs(rng.gauss(0, 0.008)))
            volume = int(1_500_000 * math.exp(rng.gauss(0, 0.4)) / 100) * 100
            rows.append(f"{day.month}/{day.day}/{day.year},{open_:.2f},{high:.2f},{low:.2f},"
                        f"{close:.2f},{volume}")
        day += dt.timedelta(days=1)
    with open(sys.argv[1], "w", encoding="ascii", newline="\n") as out:
        out.write("Date,Open,High,Low,Close,Volume\n")
        out.write("".join(row + "\n" for row in reversed(rows)))


if __name__ == "__main__":
    main()
