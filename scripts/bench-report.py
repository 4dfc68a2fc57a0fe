#!/usr/bin/env python3
"""Turns the scene benchmark's JSON output into the comparison table.

Usage: bench-report.py RESULTS.json SWEEP.csv

Prints, as markdown, one row per scene with the fastest repetition of the effect and of Cairo
and their ratio, then the cost of one extra small stroke, (t(n101) - t(n1)) / 100, on a cleared
layer and over the layer. Writes the plain 8-bit scenes (plain8/tN) to SWEEP.csv as
thickness_px,effect_ms,cairo_ms for the thickness plot.

The fastest repetition is taken because the machine is shared: other work only ever adds time.
"""
import csv
import json
import re
import sys

TO_MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
EXTRA_STROKES = 100  # small/n101 has this many more strokes than small/n1


def fastest_runs(results):
    """{(renderer, scene): fastest repetition in ms}, and the scenes in the order the program
    lists them (the runs themselves come shuffled)."""
    fastest = {}
    listed = {}
    for run in results["benchmarks"]:
        if run.get("run_type") != "iteration" or run.get("error_occurred"):
            continue
        # "effect/plain8/t10/real_time": renderer, scene, and the timing suffix Benchmark adds.
        renderer, scene = run["run_name"].removesuffix("/real_time").split("/", 1)
        ms = run["real_time"] * TO_MS[run["time_unit"]]
        key = (renderer, scene)
        fastest[key] = min(ms, fastest.get(key, ms))
        listed[scene] = min(run["family_index"], listed.get(scene, run["family_index"]))
    return fastest, sorted(listed, key=listed.get)


def milliseconds(value):
    if value is None:
        return "n/a"
    if value < 0.01:
        return f"{value:.4f}"
    return f"{value:.3f}" if value < 1 else f"{value:.1f}"


def print_table(fastest, scenes):
    print("| scene | effect ms | Cairo ms | ratio |")
    print("|---|---:|---:|---:|")
    for scene in scenes:
        effect = fastest.get(("effect", scene))
        cairo = fastest.get(("cairo", scene))
        ratio = "n/a"
        if effect and cairo:
            ratio = f"{effect / cairo:.1f}x" if effect < 10 * cairo else f"{effect / cairo:.0f}x"
        print(f"| {scene} | {milliseconds(effect)} | {milliseconds(cairo)} | {ratio} |")


def print_extra_stroke_cost(fastest):
    print("| one extra 20 px stroke, Thickness 4 | effect ms | Cairo ms |")
    print("|---|---:|---:|")
    for layer, words in (("clear", "on a cleared layer"), ("over", "over the layer")):
        cells = []
        for renderer in ("effect", "cairo"):
            few = fastest.get((renderer, f"small/n1/{layer}"))
            many = fastest.get((renderer, f"small/n{1 + EXTRA_STROKES}/{layer}"))
            cells.append(milliseconds((many - few) / EXTRA_STROKES) if few and many else "n/a")
        print(f"| {words} | {cells[0]} | {cells[1]} |")


def write_sweep(fastest, scenes, path):
    rows = []
    for scene in scenes:
        match = re.fullmatch(r"plain8/t(\d+)", scene)
        if match:
            rows.append((int(match.group(1)), fastest.get(("effect", scene)), fastest.get(("cairo", scene))))
    with open(path, "w", newline="") as out:
        writer = csv.writer(out)
        writer.writerow(["thickness_px", "effect_ms", "cairo_ms"])
        for thickness, effect, cairo in sorted(rows):
            writer.writerow([thickness, f"{effect:.4f}" if effect else "", f"{cairo:.4f}" if cairo else ""])


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    with open(sys.argv[1]) as f:
        results = json.load(f)
    fastest, scenes = fastest_runs(results)
    print_table(fastest, scenes)
    print()
    print_extra_stroke_cost(fastest)
    write_sweep(fastest, scenes, sys.argv[2])


if __name__ == "__main__":
    main()
