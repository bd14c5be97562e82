"""The Python package against the C++ interface, in one run: reading the
real accelerometer's file content, and scaling ten million samples.

    python3 bench/python_bench.py TEDS_BENCH   (scripts/bench-python.sh runs it)

TEDS_BENCH is the benchmark program built beside the package; the package
is imported from PYTHONPATH. Each figure is the fastest of 15 runs, for
Python and C++ alike: on a shared machine the fastest run is the one least
disturbed by others, and the sample loops are bound by memory, which other
programs share.
"""

import json
import os
import subprocess
import sys
import time

import numpy

import teds1451

HERE = os.path.dirname(os.path.abspath(__file__))
ACCELEROMETER = os.path.join(HERE, "..", "tests", "data", "real-teds", "Accelerometer.ted")
RUNS = 15


def cpp_fastest(program):
    """The fastest run's real time in ns per iteration of each C++ counterpart."""
    out = subprocess.run(
        [program, "--benchmark_filter=^(ReadRealAccelerometer|ScaleTenMillionSamples)$",
         f"--benchmark_repetitions={RUNS}", "--benchmark_format=json"],
        check=True, capture_output=True, text=True).stdout
    scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}
    fastest = {}
    for run in json.loads(out)["benchmarks"]:
        if run.get("run_type") == "iteration":
            ns = run["real_time"] * scale[run["time_unit"]]
            fastest[run["run_name"]] = min(ns, fastest.get(run["run_name"], ns))
    return fastest


def python_fastest(call, calls):
    """The fastest run's ns per call, a run being `calls` calls."""
    times = []
    for _ in range(RUNS):
        start = time.perf_counter_ns()
        for _ in range(calls):
            call()
        times.append((time.perf_counter_ns() - start) / calls)
    return min(times)


def main():
    cpp = cpp_fastest(sys.argv[1])
    content = open(ACCELEROMETER, "rb").read()
    teds1451.read(content)  # loads the standard templates once, as any first read does
    read_ns = python_fastest(lambda: teds1451.read(content), 20000)

    scale = teds1451.read(content).templates[0].scale
    volts = numpy.linspace(-5.0, 5.0, 10_000_000)
    out = numpy.empty_like(volts)
    into_ns = python_fastest(lambda: scale.to_physical(volts, out=out), 3)
    new_ns = python_fastest(lambda: scale.to_physical(volts), 3)

    rows = [
        ("read the real accelerometer", read_ns, cpp["ReadRealAccelerometer"], "within 5 us",
         f"{(read_ns - cpp['ReadRealAccelerometer']) / 1000:+.2f} us"),
        ("scale 10M samples into out=", into_ns, cpp["ScaleTenMillionSamples"], "within 1.2x",
         f"{into_ns / cpp['ScaleTenMillionSamples']:.2f}x"),
        # The new array's 80 MB are first touched by the conversion: the
        # page faults are the allocation's cost, not the scale's.
        ("scale 10M samples, new array", new_ns, cpp["ScaleTenMillionSamples"], "(allocates)",
         f"{new_ns / cpp['ScaleTenMillionSamples']:.2f}x"),
    ]
    print(f"{'':32}{'Python':>14}{'C++':>14}  {'target':<12}result")
    for name, python, native, target, result in rows:
        print(f"{name:32}{python / 1000:>11.2f} us{native / 1000:>11.2f} us  {target:<12}{result}")


if __name__ == "__main__":
    main()
