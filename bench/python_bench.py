#!/usr/bin/env python3
"""The Python module's array path against the engine's own loop, in one run.

Runs the engine benchmark BM_MixtureSweep (bench/mixture_bench.cpp: the engine over 10^5
temperatures from 250 to 350 K, all twelve species) and then the module on the same states,
and prints both times per state (processor time, which a machine shared with other work
disturbs less than wall time), the module's overhead, and the wall-time speed-up of two
threads. Medians of several repetitions, interleaved so that a busy machine weighs on both
alike.

    PYTHONPATH=build/python /usr/bin/python3 bench/python_bench.py [--bench build/bench/mixture_bench]
"""

import argparse
import json
import os
import statistics
import subprocess
import time

import numpy as np

import toluvek


def engine_ns_per_state(binary):
    out = subprocess.run([binary, "--benchmark_filter=^BM_MixtureSweep$",
                          "--benchmark_format=json", "--benchmark_min_time=0.5"],
                         check=True, capture_output=True, text=True).stdout
    run = json.loads(out)["benchmarks"][0]
    scale = {"ns": 1.0, "us": 1e3, "ms": 1e6}[run["time_unit"]]
    return run["cpu_time"] * scale


def module_ns_per_state(gas, temperatures, threads, clock, least=0.3):
    """The time per state of calls repeated for at least `least` seconds, as the engine
    benchmark repeats its loop: a single call would weigh its first-touch page faults and
    the clock's resolution more than the states."""
    calls = 0
    start = clock()
    while True:
        gas.properties(T=temperatures, p=101325.0, threads=threads)
        calls += 1
        elapsed = clock() - start
        if elapsed >= least:
            return elapsed / (calls * temperatures.size) * 1e9


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bench", default="build/bench/mixture_bench")
    parser.add_argument("--repetitions", type=int, default=5)
    args = parser.parse_args()

    # Other work on the machine slows the wall times and hides the second thread's gain.
    print(f"load average before: {' '.join(f'{x:.2f}' for x in os.getloadavg())} "
          f"on {os.cpu_count()} cores")
    gas = toluvek.Mixture(np.arange(1.0, 13.0))
    sizes = (10**5, 10**6)
    engine = []
    module, one, two = ({n: [] for n in sizes} for _ in range(3))
    for _ in range(args.repetitions):
        engine.append(engine_ns_per_state(args.bench))
        for n in sizes:
            # The engine benchmark's states, repeated to the array's size.
            temperatures = np.resize(np.linspace(250.0, 350.0, 10**5), n)
            module[n].append(module_ns_per_state(gas, temperatures, 1, time.process_time))
            one[n].append(module_ns_per_state(gas, temperatures, 1, time.perf_counter))
            two[n].append(module_ns_per_state(gas, temperatures, 2, time.perf_counter))
    e = statistics.median(engine)
    print(f"engine (BM_MixtureSweep)      {e:8.1f} ns/state")
    for n in sizes:
        m = statistics.median(module[n])
        print(f"module, {n:>7} states      {m:8.1f} ns/state  overhead {100 * (m / e - 1):+5.1f} %")
    for n in sizes:
        w1, w2 = statistics.median(one[n]), statistics.median(two[n])
        print(f"module, {n:>7} states, wall: 1 thread {w1:.1f} ns/state, 2 threads "
              f"{w2:.1f} ns/state: speed-up {w1 / w2:4.2f}x")
    print(f"load average after: {' '.join(f'{x:.2f}' for x in os.getloadavg())}")


if __name__ == "__main__":
    main()
