#!/usr/bin/env python3
"""Draws render time against thickness, the effect and Cairo, from the sweep CSV that
bench-report.py writes (thickness_px,effect_ms,cairo_ms).

Usage: plot-bench.py SWEEP.csv OUT.png [NOTE]   NOTE, e.g. the load average, goes under the title.
"""
import csv
import sys

import matplotlib

matplotlib.use("Agg")  # files only, no display
import matplotlib.pyplot as plt
from matplotlib import ticker


def read_sweep(path):
    thickness, effect, cairo = [], [], []
    with open(path, newline="") as f:
        for row in csv.DictReader(f):
            if not row["effect_ms"] or not row["cairo_ms"]:
                continue
            thickness.append(float(row["thickness_px"]))
            effect.append(float(row["effect_ms"]))
            cairo.append(float(row["cairo_ms"]))
    return thickness, effect, cairo


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    thickness, effect, cairo = read_sweep(sys.argv[1])
    if not thickness:
        sys.exit(f"{sys.argv[1]}: no complete rows")

    fig, ax = plt.subplots(figsize=(8, 5), dpi=100)
    ax.plot(thickness, effect, "o-", label="Inkline through the simulated host")
    ax.plot(thickness, cairo, "s-", label="Cairo, same paths")
    # Both axes span two decades or more: log scales keep the thin strokes readable.
    ax.set_xscale("log")
    ax.set_yscale("log")
    ax.set_xticks(thickness)
    ax.set_xticklabels([f"{t:g}" for t in thickness])
    ax.xaxis.set_minor_formatter(ticker.NullFormatter())
    # Milliseconds as plain numbers at 1, 2 and 5 of every decade, not powers of ten.
    ax.yaxis.set_major_locator(ticker.LogLocator(subs=(1.0, 2.0, 5.0)))
    ax.yaxis.set_major_formatter(ticker.FuncFormatter(lambda value, _: f"{value:g}"))
    ax.yaxis.set_minor_formatter(ticker.NullFormatter())
    ax.set_xlabel("Thickness (px)")
    ax.set_ylabel("time per frame (ms, fastest of the repetitions)")
    title = "Demo masks x3 at 1920x1080, plain stroke, 8-bit"
    if len(sys.argv) == 4:
        title += "\n" + sys.argv[3]
    ax.set_title(title, fontsize=11)
    ax.grid(True, which="both", alpha=0.3)
    ax.legend()
    fig.tight_layout()
    fig.savefig(sys.argv[2])


if __name__ == "__main__":
    main()
