#!/usr/bin/env python3
"""Writes the sample price files in samples/: made-up symbols with eleven years of daily bars
on a stock exchange's trading days, in the layouts the reader understands.

The output is the same on every run (fixed seeds, own normal variates), so the files can be
regenerated and compared. Usage: scripts/make-samples.py [OUTPUT_FOLDER]
"""

import datetime as dt
import math
import pathlib
import random
import sys

FIRST_DAY = dt.date(2006, 1, 3)
LAST_DAY = dt.date(2016, 12, 30)


def easter(year):
    """Easter Sunday of the Gregorian calendar (the anonymous algorithm)."""
    a, b, c = year % 19, year // 100, year % 100
    d, e = b // 4, b % 4
    f = (b + 8) // 25
    g = (b - f + 1) // 3
    h = (19 * a + b - d - g + 15) % 30
    i, k = c // 4, c % 4
    l = (32 + 2 * e + 2 * i - h - k) % 7
    m = (a + 11 * h + 22 * l) // 451
    month = (h + l - 7 * m + 114) // 31
    day = (h + l - 7 * m + 114) % 31 + 1
    return dt.date(year, month, day)


def nth_weekday(year, month, weekday, n):
    """The n-th given weekday (0 Monday) of a month; n = -1 for the last."""
    if n > 0:
        first = dt.date(year, month, 1)
        return first + dt.timedelta(days=(weekday - first.weekday()) % 7 + 7 * (n - 1))
    last = dt.date(year + month // 12, month % 12 + 1, 1) - dt.timedelta(days=1)
    return last - dt.timedelta(days=(last.weekday() - weekday) % 7)


def observed(day):
    """A fixed holiday on a weekend is taken on the nearest weekday."""
    if day.weekday() == 5:
        return day - dt.timedelta(days=1)
    if day.weekday() == 6:
        return day + dt.timedelta(days=1)
    return day


def holidays(year):
    days = {
        nth_weekday(year, 1, 0, 3),  # third Monday of January
        nth_weekday(year, 2, 0, 3),  # third Monday of February
        easter(year) - dt.timedelta(days=2),  # Good Friday
        nth_weekday(year, 5, 0, -1),  # last Monday of May
        observed(dt.date(year, 7, 4)),
        nth_weekday(year, 9, 0, 1),  # first Monday of September
        nth_weekday(year, 11, 3, 4),  # fourth Thursday of November
        observed(dt.date(year, 12, 25)),
    }
    new_year = dt.date(year, 1, 1)
    if new_year.weekday() != 5:  # a Saturday New Year is not moved back into December
        days.add(observed(new_year))
    return days


# Days the exchange stayed shut for other reasons (a storm, a day of mourning).
CLOSURES = {dt.date(2007, 1, 2), dt.date(2012, 10, 29), dt.date(2012, 10, 30)}


def trading_days():
    shut = set(CLOSURES)
    for year in range(FIRST_DAY.year, LAST_DAY.year + 1):
        shut |= holidays(year)
    day = FIRST_DAY
    while day <= LAST_DAY:
        if day.weekday() < 5 and day not in shut:
            yield day
        day += dt.timedelta(days=1)


class Walk:
    """Daily bars of a geometric random walk with gaps at the open and a lively volume."""

    def __init__(self, seed, price, yearly_drift, yearly_volatility, volume):
        self.rng = random.Random(seed)
        self.close = price
        self.drift = yearly_drift / 252
        self.sigma = yearly_volatility / math.sqrt(252)
        self.volume = volume

    def normal(self):
        # Box-Muller on the generator's uniform numbers, stable across Python versions.
        u1 = 1.0 - self.rng.random()
        u2 = self.rng.random()
        return math.sqrt(-2.0 * math.log(u1)) * math.cos(2.0 * math.pi * u2)

    def bar(self):
        open_ = self.close * math.exp(0.3 * self.sigma * self.normal())
        move = self.drift + self.sigma * self.normal()
        close = open_ * math.exp(move)
        high = max(open_, close) * math.exp(abs(0.5 * self.sigma * self.normal()))
        low = min(open_, close) * math.exp(-abs(0.5 * self.sigma * self.normal()))
        open_, high, low, close = (round(v, 2) for v in (open_, high, low, close))
        high = max(high, open_, close)
        low = min(low, open_, close)
        self.close = close
        activity = 1.0 + 2.0 * abs(move) / self.sigma
        volume = int(self.volume * activity * math.exp(0.35 * self.normal()) / 100) * 100
        return open_, high, low, close, volume


def series(walk, skip=()):
    """(day, open, high, low, close, volume) on every trading day outside the skipped ones."""
    rows = []
    for day in trading_days():
        values = walk.bar()
        if not any(first <= day <= last for first, last in skip):
            rows.append((day,) + values)
    return rows


def us_date(day):
    return f"{day.month}/{day.day}/{day.year}"


def write(folder, name, lines):
    path = folder / name
    path.write_text("".join(line + "\n" for line in lines), encoding="ascii", newline="\n")
    print(f"{path}: {len(lines)} lines")


def main():
    folder = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "samples")
    folder.mkdir(parents=True, exist_ok=True)

    # The downloads' layout: newest first, the dates as the United States write them. Trading
    # was halted for a week in March 2009.
    acme = series(Walk(1, 31.40, 0.07, 0.32, 2_400_000),
                  skip=[(dt.date(2009, 3, 9), dt.date(2009, 3, 13))])
    write(folder, "ACME = Acme Industries.csv",
          ["Date,Open,High,Low,Close,Volume"]
          + [f"{us_date(d)},{o:.2f},{h:.2f},{l:.2f},{c:.2f},{v}" for d, o, h, l, c, v in reversed(acme)])

    # A spreadsheet export: tabs, no open, thousands separators in the volume; a month of
    # August 2011 missing from the source.
    bolt = series(Walk(2, 12.05, 0.04, 0.45, 850_000),
                  skip=[(dt.date(2011, 8, 1), dt.date(2011, 8, 31))])
    write(folder, "BOLT.csv",
          ["Date\tHigh\tLow\tClose\tVolume"]
          + [f"{us_date(d)}\t{h:.2f}\t{l:.2f}\t{c:.2f}\t{v:,}" for d, _, h, l, c, v in bolt])

    # An old charting program's format: yyyymmdd numbers and columns padded with spaces.
    krnx = series(Walk(3, 58.70, 0.05, 0.22, 310_000))
    write(folder, "KRNX.csv",
          [f"{d:%Y%m%d} {h:9.2f} {l:9.2f} {c:9.2f} {v:10d}" for d, _, h, l, c, v in krnx])

    # An index: year-first dates and the close alone.
    qmix = series(Walk(4, 1248.29, 0.06, 0.16, 1))
    write(folder, "QMIX.csv",
          ["Date,Close"] + [f"{d:%Y-%m-%d},{c:.2f}" for d, _, _, _, c, _ in qmix])


if __name__ == "__main__":
    main()
