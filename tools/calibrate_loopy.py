#!/usr/bin/env python3
"""Calibrates varnel's difficulty against Simon Tatham's Loopy.

Loopy (Debian package sgt-puzzles, /usr/games/sgt-loopy) defines its settings Easy, Normal, Tricky
and Hard by the deductions a puzzle needs. This makes COUNT puzzles of each setting and size with
`sgt-loopy --generate`, grades them with `varnel check --json`, and prints a table of the median
rank and rating per setting and size, then the Spearman rank correlation between rating and
setting, and for each size the share of (Easy, Hard) pairs rated strictly apart in the right order.

    tools/calibrate_loopy.py [--varnel build/varnel] [--count 25] [--sizes 7x7,10x10,15x15,20x20]
                             [--seed calibration]
"""

import argparse
import json
import shutil
import statistics
import subprocess
import sys

SETTINGS = [("Easy", "e"), ("Normal", "n"), ("Tricky", "t"), ("Hard", "h")]


def ranks_of(values):
    """Average ranks, ties sharing theirs."""
    order = sorted(range(len(values)), key=lambda i: values[i])
    ranks = [0.0] * len(values)
    i = 0
    while i < len(order):
        j = i
        while j + 1 < len(order) and values[order[j + 1]] == values[order[i]]:
            j += 1
        for k in range(i, j + 1):
            ranks[order[k]] = (i + j) / 2
        i = j + 1
    return ranks


def spearman(a, b):
    ra, rb = ranks_of(a), ranks_of(b)
    ma, mb = sum(ra) / len(ra), sum(rb) / len(rb)
    cov = sum((x - ma) * (y - mb) for x, y in zip(ra, rb))
    va = sum((x - ma) ** 2 for x in ra)
    vb = sum((y - mb) ** 2 for y in rb)
    return cov / (va * vb) ** 0.5


def loopy_ids(loopy, size, letter, count, seed):
    params = f"{size}t0d{letter}#{seed}-{size}-{letter}"
    out = subprocess.run([loopy, "--generate", str(count), params], check=True,
                         capture_output=True, text=True).stdout
    return [line for line in out.splitlines() if line.strip()]


def grade(varnel, ids):
    out = subprocess.run([varnel, "check", "--json", "-"], input="\n".join(ids) + "\n",
                         capture_output=True, text=True).stdout
    return [json.loads(line)["difficulty"] for line in out.splitlines()]


def main():
    parser = argparse.ArgumentParser(
        description="Calibrate varnel's difficulty against Loopy's settings.")
    parser.add_argument("--varnel", default="build/varnel", help="the varnel program")
    parser.add_argument("--loopy", default=shutil.which("sgt-loopy") or "/usr/games/sgt-loopy",
                        help="Loopy's program (Debian sgt-puzzles)")
    parser.add_argument("--count", type=int, default=25, help="puzzles per setting and size")
    parser.add_argument("--sizes", default="7x7,10x10,15x15,20x20", help="sizes, comma-separated")
    parser.add_argument("--seed", default="calibration", help="seed text for Loopy")
    args = parser.parse_args()

    settings, ratings = [], []
    table = {}
    for size in args.sizes.split(","):
        for number, (name, letter) in enumerate(SETTINGS, start=1):
            grades = grade(args.varnel, loopy_ids(args.loopy, size, letter, args.count, args.seed))
            rated = [g for g in grades if g["rank"] is not None]
            if len(rated) != len(grades):
                print(f"{size} {name}: {len(grades) - len(rated)} unfinished", file=sys.stderr)
            table[(size, name)] = rated
            settings += [number] * len(rated)
            ratings += [g["rating"] for g in rated]

    print("| Size | " + " | ".join(name for name, _ in SETTINGS) + " |")
    print("|---|" + "---|" * len(SETTINGS))
    for size in args.sizes.split(","):
        cells = []
        for name, _ in SETTINGS:
            rated = table[(size, name)]
            rank = statistics.median(g["rank"] for g in rated)
            rating = statistics.median(g["rating"] for g in rated)
            cells.append(f"{rank:g} ({rating:.2f})")
        print(f"| {size} | " + " | ".join(cells) + " |")
    print()
    print(f"Spearman rank correlation of rating and setting: {spearman(settings, ratings):.3f} "
          f"over {len(ratings)} puzzles")
    for size in args.sizes.split(","):
        easy = [g["rating"] for g in table[(size, "Easy")]]
        hard = [g["rating"] for g in table[(size, "Hard")]]
        apart = sum(1 for e in easy for h in hard if e < h) / (len(easy) * len(hard))
        print(f"{size}: (Easy, Hard) pairs rated apart in the right order: {apart:.1%}")


if __name__ == "__main__":
    main()
