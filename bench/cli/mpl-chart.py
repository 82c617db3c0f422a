#!/usr/bin/env python3
"""The reference for the command-line benchmark: the chart quillmar-cli draws, drawn with
matplotlib from the same file. Candles of the newest BARS bars with an arithmetic and an
exponential average and Bollinger bands over them, and MACD, Wilder's RSI and volume in panes
below, 1024 x 600 pixels, saved as PNG.
Usage: mpl-chart.py PRICEFILE BARS OUTPUT.png
"""

import csv
import datetime as dt
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402


def read(path):
    with open(path, newline="") as f:
        rows = list(csv.reader(f))[1:]
    rows.sort(key=lambda r: dt.datetime.strptime(r[0], "%m/%d/%Y"))
    values = np.array([[float(x) for x in r[1:6]] for r in rows])
    return values[:, 0], values[:, 1], values[:, 2], values[:, 3], values[:, 4]


def sma(x, n):
    out = np.full_like(x, np.nan)
    c = np.cumsum(np.insert(x, 0, 0.0))
    out[n - 1:] = (c[n:] - c[:-n]) / n
    return out


def ema(x, n):
    out = np.empty_like(x)
    a = 2.0 / (n + 1)
    out[0] = x[0]
    for i in range(1, len(x)):
        out[i] = a * x[i] + (1 - a) * out[i - 1]
    return out


def rsi(x, n):
    d = np.diff(x, prepend=x[0])
    gain, loss = np.maximum(d, 0), np.maximum(-d, 0)
    g, l_ = np.empty_like(x), np.empty_like(x)
    g[0], l_[0] = gain[:n].mean(), loss[:n].mean()
    for i in range(1, len(x)):
        g[i] = ((n - 1) * g[i - 1] + gain[i]) / n
        l_[i] = ((n - 1) * l_[i - 1] + loss[i]) / n
    return 100 - 100 / (1 + g / np.where(l_ == 0, 1e-9, l_))


def main():
    path, bars, output = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    o, h, l_, c, v = read(path)
    ma13, ema55 = sma(c, 13), ema(c, 55)
    mid = sma(c, 21)
    dev = np.array([c[max(0, i - 20):i + 1].std() for i in range(len(c))])
    macd = ema(c, 12) - ema(c, 26)
    signal = ema(macd, 9)
    strength = rsi(c, 13)

    s = slice(len(c) - bars, len(c))
    x = np.arange(bars)
    fig = plt.figure(figsize=(10.24, 6.0), dpi=100, facecolor="black")
    grid = fig.add_gridspec(6, 1, hspace=0.05)
    panes = [fig.add_subplot(grid[0:3]), fig.add_subplot(grid[3]), fig.add_subplot(grid[4]),
             fig.add_subplot(grid[5])]
    for ax in panes:
        ax.set_facecolor("black")
        ax.tick_params(colors="silver", labelsize=7)
        ax.yaxis.tick_right()
        ax.grid(color="#333333")
    price = panes[0]
    up = c[s] >= o[s]
    price.vlines(x, l_[s], h[s], color="white", linewidth=0.8)
    price.bar(x[up], (c[s] - o[s])[up], bottom=o[s][up], width=0.6, color="black",
              edgecolor="white", linewidth=0.6)
    price.bar(x[~up], (o[s] - c[s])[~up], bottom=c[s][~up], width=0.6, color="white")
    price.plot(x, ma13[s], color="#0080ff", linewidth=0.8)
    price.plot(x, ema55[s], color="#00ff00", linewidth=0.8)
    price.plot(x, mid[s] + 2 * dev[s], color="red", linewidth=0.8)
    price.plot(x, mid[s] - 2 * dev[s], color="red", linewidth=0.8)
    price.set_title("chart", color="silver", fontsize=8, loc="left")
    panes[1].plot(x, macd[s], color="blue", linewidth=0.8)
    panes[1].plot(x, signal[s], color="magenta", linewidth=0.8)
    panes[2].plot(x, strength[s], color="#0080ff", linewidth=0.8)
    for level in (25, 50, 75):
        panes[2].axhline(level, color="#555555", linewidth=0.6)
    panes[3].bar(x, v[s], width=0.6, color=np.where(up, "green", "red"))
    fig.savefig(output, facecolor="black")


if __name__ == "__main__":
    main()
