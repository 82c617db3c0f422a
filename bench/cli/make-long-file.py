#!/usr/bin/env python3
"""Writes a 20-year daily price file (1997 to 2016, every weekday) in the downloads' layout:
header, M/d/yyyy dates, newest first. Fixed seed, so every run writes the same file. Given a
number of rows, writes that many weekdays from 1900 on instead.
Usage: make-long-file.py OUTPUT_FILE [ROWS]
"""

import datetime as dt
import math
import random
import sys


def main():
    rng = random.Random(20)
    close = 25.0
    rows = []
    rows_wanted = int(sys.argv[2]) if len(sys.argv) > 2 else None
    day = dt.date(1997, 1, 2) if rows_wanted is None else dt.date(1900, 1, 1)
    while (day <= dt.date(2016, 12, 30) if rows_wanted is None else len(rows) < rows_wanted):
        if day.weekday() < 5:
            open_ = close * math.exp(rng.gauss(0, 0.004))
            close = open_ * math.exp(rng.gauss(0.0003, 0.018))
            if rows_wanted is not None:  # over centuries the prices stay those of a share
                close = min(max(close, 5.0), 500.0)
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
