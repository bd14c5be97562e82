"""The Python package against the C++ interface, in one run: reading the
real accelerometer's file content, and scaling ten million samples.

    python3 bench/python_bench.py TEDS_BENCH   (scripts/bench-python.sh runs it)

TEDS_BENCH is the benchmark program built beside the package; the package
is imported from PYTHONPATH. Each figure is the median of five runs.
"""

import json
import os
import statistics
import subprocess
import sys
import time

import numpy

import teds1451

HERE = os.path.dirname(os.path.abspath(__file__))
ACCELEROMETER = os.path.join(HERE, "..", "tests", "data", "real-teds", "Accelerometer.ted")
RUNS = 5


def cpp_medians(program):
    """Median real time in ns of each C++ counterpart."""
    out = subprocess.run(
        [program, "--benchmark_filter=^(ReadRealAccelerometer|ScaleTenMillionSamples)$",
         f"--benchmark_repetitions={RUNS}", "--benchmark_report_aggregates_only=true", "--benchmark_format=json"],
        check=True, capture_output=True, text=True).stdout
    scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}
    return {run["run_name"]: run["real_time"] * scale[run["time_unit"]]
            for run in json.loads(out)["benchmarks"] if run.get("aggregate_name") == "median"}


def python_median(call, calls):
    """Median ns per call over five runs of `calls` calls."""
    times = []
    for _ in range(RUNS):
        start = time.perf_counter_ns()
        for _ in range(calls):
            call()
        times.append((time.perf_counter_ns() - start) / calls)
    return statistics.median(times)


def main():
    cpp = cpp_medians(sys.argv[1])
    content = open(ACCELEROMETER, "rb").read()
    teds1451.read(content)  # loads the standard templates once, as any first read does
    read_ns = python_median(lambda: teds1451.read(content), 20000)

    scale = teds1451.read(content).templates[0].scale
    volts = numpy.linspace(-5.0, 5.0, 10_000_000)
    out = numpy.empty_like(volts)
    into_ns = python_median(lambda: scale.to_physical(volts, out=out), 10)
    new_ns = python_median(lambda: scale.to_physical(volts), 10)

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
