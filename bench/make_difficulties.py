#!/usr/bin/env python3
"""Which difficulties `varnel make --difficulty` reaches on each size, with the clue share of the
problems it makes and the wall time per problem on one thread.

    bench/make_difficulties.py [--varnel build/varnel] [--seed 11]
        [--plan "7x7:easy,medium,hard,expert,extreme:8" ...]

Each plan entry is SIZE:DIFFICULTIES:COUNT. A difficulty that no try reaches within --max-tries
is shown as "not reached" with the message's account of what the tries made.
"""

import argparse
import subprocess
import time

DEFAULT_PLAN = [
    "7x7:easy,medium,hard,expert,extreme:8",
    "10x10:easy,medium,hard,expert,extreme:8",
    "15x15:easy,medium,hard,expert:4",
    "20x20:easy,medium,hard:4",
    "25x15:easy,medium,hard:3",
    "36x20:easy,medium,hard:2",
]


def clue_share(line):
    fields = line.split("/")
    height, width = int(fields[1]), int(fields[2])
    rows = fields[3:3 + height]
    clues = sum(1 for row in rows for c in row if c in "0123")
    return clues / (width * height)


def main():
    parser = argparse.ArgumentParser(description="Measure varnel make --difficulty per size.")
    parser.add_argument("--varnel", default="build/varnel")
    parser.add_argument("--seed", default="11")
    parser.add_argument("--max-tries", default="20")
    parser.add_argument("--plan", nargs="*", default=DEFAULT_PLAN)
    args = parser.parse_args()

    print("| Size | Difficulty | made | clue share | ms per problem |")
    print("|---|---|---|---|---|")
    for entry in args.plan:
        size, difficulties, count = entry.split(":")
        for difficulty in difficulties.split(","):
            start = time.perf_counter()
            run = subprocess.run([args.varnel, "make", "--size", size, "--difficulty", difficulty,
                                  "--count", count, "--seed", args.seed, "--jobs", "1",
                                  "--max-tries", args.max_tries],
                                 capture_output=True, text=True)
            seconds = time.perf_counter() - start
            lines = [line for line in run.stdout.splitlines() if line.strip()]
            if run.returncode != 0:
                made = run.stderr.strip().split("which made ")[-1].split(":")[0]
                print(f"| {size} | {difficulty} | not reached ({made}) | | |")
                continue
            share = sum(clue_share(line) for line in lines) / len(lines)
            print(f"| {size} | {difficulty} | {len(lines)} | {share:.2f} | "
                  f"{1000 * seconds / len(lines):.1f} |")


if __name__ == "__main__":
    main()
