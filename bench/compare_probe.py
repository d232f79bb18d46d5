#!/usr/bin/env python3
"""Times two varnel_probe (or varnel_solver) binaries side by side on one workload:

    bench/compare_probe.py OLD NEW [--runs N] -- ARGS...

Runs OLD ARGS and NEW ARGS alternately N times (default 7), checks that both print the same
output every time, and prints the median wall time of each and their ratio. Machines are shared
and noisy; interleaving the runs and taking medians keeps the ratio fair."""

import statistics
import subprocess
import sys
import time


def run(binary, args):
    start = time.perf_counter()
    out = subprocess.run([binary, *args], check=True, capture_output=True).stdout
    return time.perf_counter() - start, out


def main():
    argv = sys.argv[1:]
    if "--" not in argv or len(argv[: argv.index("--")]) < 2:
        sys.exit(__doc__)
    split = argv.index("--")
    head, args = argv[:split], argv[split + 1 :]
    old, new = head[0], head[1]
    runs = 7
    if "--runs" in head:
        runs = int(head[head.index("--runs") + 1])
    times = {old: [], new: []}
    outputs = {}
    for n in range(runs):
        # Alternate which binary goes first, so that neither always runs on a warmer machine.
        for binary in (old, new) if n % 2 == 0 else (new, old):
            seconds, out = run(binary, args)
            times[binary].append(seconds)
            outputs.setdefault(binary, out)
            if out != outputs[binary]:
                sys.exit(f"{binary}: output changed between runs")
    same = outputs[old] == outputs[new]
    m_old, m_new = statistics.median(times[old]), statistics.median(times[new])
    print(f"workload: {' '.join(args)}  runs: {runs}  outputs {'identical' if same else 'DIFFER'}")
    print(f"  {old}: median {m_old:.3f} s  (min {min(times[old]):.3f})")
    print(f"  {new}: median {m_new:.3f} s  (min {min(times[new]):.3f})")
    print(f"  ratio old/new: {m_old / m_new:.2f}")
    return 0 if same else 1


if __name__ == "__main__":
    sys.exit(main())
