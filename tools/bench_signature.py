#!/usr/bin/env python3
"""Recomputes the behaviour signature of `varnel_probe bench` from the output of the `make` and
`solve` commands of any varnel_probe binary, so that an older build without the bench command can
be compared with the current one. It prints the signature of each phase and of the whole
workload, as `varnel_probe bench` does. The workload (problems per size class, seeds) must match
tools/probe_bench.cpp."""

import argparse
import os
import subprocess
import sys
import tempfile

FULL = ([24, 16, 8, 4, 3], None)
QUICK = ([2, 1, 0, 0, 0], 2)
SEEDS = [1601, 2001, 2401, 3201, 3601]
OFFSET, PRIME = 0xCBF29CE484222325, 0x100000001B3


def fnv(data: bytes, value: int) -> int:
    for byte in data:
        value = ((value ^ byte) * PRIME) & 0xFFFFFFFFFFFFFFFF
    return value


def run(probe, *args):
    return subprocess.run([probe, *map(str, args)], check=True, capture_output=True).stdout


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("probe", metavar="PROBE", help="the varnel_probe binary to run")
    parser.add_argument("--quick", action="store_true",
                        help="the small workload of `varnel_probe bench --quick`")
    parser.add_argument("hard", metavar="HARD_FILE", nargs="?",
                        default=os.path.join(os.path.dirname(__file__), "..", "bench", "data",
                                             "hard_problems.txt"),
                        help="the hard problems to solve (default: bench/data/hard_problems.txt)")
    args = parser.parse_args()
    counts, hard_limit = QUICK if args.quick else FULL
    try:
        signatures(args.probe, counts, hard_limit, args.hard)
    except (OSError, subprocess.CalledProcessError) as error:
        sys.exit(f"bench_signature.py: {error}")


def signatures(probe, counts, hard_limit, hard):
    total = OFFSET
    made = []
    for size_class, (count, seed) in enumerate(zip(counts, SEEDS)):
        out = run(probe, "make", size_class, seed, count) if count else b""
        made += [line.rsplit(b" score=", 1)[0] for line in out.splitlines()]
        total = fnv(out, total)
        print(f"make class {size_class}: {fnv(out, OFFSET):016x}")
    with tempfile.NamedTemporaryFile("wb", suffix=".txt") as file:
        file.write(b"".join(line + b"\n" for line in made))
        file.flush()
        out = run(probe, "solve", file.name) if made else b""
    total = fnv(out, total)
    print(f"solve made problems: {fnv(out, OFFSET):016x}")
    with open(hard, "rb") as file:
        lines = file.read().splitlines(keepends=True)
    if hard_limit is not None:
        lines = lines[:hard_limit]
    with tempfile.NamedTemporaryFile("wb", suffix=".txt") as file:
        file.write(b"".join(lines))
        file.flush()
        out = run(probe, "solve", file.name)
    total = fnv(out, total)
    print(f"solve hard file: {fnv(out, OFFSET):016x}")
    print(f"bench signature: {total:016x}")


if __name__ == "__main__":
    main()
