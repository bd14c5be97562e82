import math
import threading

import numpy
import pytest

import teds1451
from conftest import real, tool

# Electrical values across each scale's range, outside it and not numbers.
CASES = [
    ("Accelerometer.hex", {}, numpy.linspace(-5, 5, 101)),
    ("Microphone.ted", {}, numpy.linspace(-2, 2, 11)),
    ("ForceBridge.ted", {"excitation": 10.0}, numpy.linspace(-0.02, 0.02, 9)),
    ("TempTC.hex", {"cjc": 25.0}, numpy.append(numpy.linspace(-0.006, 0.055, 61), [1.0, numpy.nan])),
    ("ThermistorIex.ted", {}, numpy.append(numpy.geomspace(100, 1e6, 40), [-1.0])),
]


def scale_of(file, conditions):
    template = teds1451.read(real(file)).templates[0]
    return template.scale_with(**conditions) if conditions else template.scale


def tool_options(conditions):
    return [arg for name, value in conditions.items() for arg in (f"--{name}", repr(value))]


@pytest.mark.parametrize("file, conditions, volts", CASES)
def test_arrays_give_what_tedsscale_gives(file, conditions, volts):
    physical = scale_of(file, conditions).to_physical(volts)
    printed = tool("tedsscale", real(file), *tool_options(conditions),
                   stdin="".join(f"{v!r}\n" for v in volts).encode(), check=False)
    expected = numpy.array([float(line.split()[0]) for line in printed.decode().splitlines()])
    numpy.testing.assert_array_equal(physical, expected)


@pytest.mark.parametrize("file, conditions, volts", CASES)
def test_numbers_arrays_and_float32_agree(file, conditions, volts):
    scale = scale_of(file, conditions)
    physical = scale.to_physical(volts)
    for value, converted in zip(volts, physical):
        if math.isnan(converted):
            with pytest.raises(teds1451.ScaleError):
                scale.to_physical(value)
        else:
            assert scale.to_physical(float(value)) == converted
            assert scale.to_electrical(converted) == pytest.approx(value, rel=1e-6, abs=5e-6)
    single = scale.to_physical(volts.astype(numpy.float32))
    assert single.dtype == numpy.float32
    numpy.testing.assert_allclose(single, physical.astype(numpy.float32), rtol=1e-5, atol=1e-6)


def test_out_converts_in_place_and_input_is_not_copied():
    scale = scale_of("Accelerometer.hex", {})
    samples = numpy.linspace(0, 49.03, 1000)
    expected = scale.to_physical(samples)
    result = scale.to_physical(samples, out=samples)
    assert result is samples and numpy.array_equal(samples, expected)
    with pytest.raises(teds1451.TedsError):
        scale.to_physical(samples, out=numpy.empty(999))
    with pytest.raises(teds1451.TedsError):
        scale.to_physical(samples, out=numpy.empty(1000, numpy.float32))
    shifted = numpy.linspace(0, 49.03, 1001)
    expected = scale.to_physical(shifted[:-1].copy())
    numpy.testing.assert_array_equal(scale.to_physical(shifted[:-1], out=shifted[1:]), expected)
    strided = numpy.linspace(0, 1, 20)[::2]
    numpy.testing.assert_array_equal(scale.to_physical(strided), scale.to_physical(strided.copy()))


def test_cold_junction_is_given_when_converting():
    scale = teds1451.read(real("TempTC.hex")).templates[0].scale
    assert scale.kind == "thermocouple" and scale.output_unit == "degC"
    with pytest.raises(teds1451.ScaleError, match="cold-junction"):
        scale.to_physical(0.003096)
    assert scale.to_physical(0.003096, cjc=25) == pytest.approx(100, abs=0.06)
    assert scale.to_physical(numpy.array([0.003096]), cjc=25)[0] == scale.to_physical(0.003096, cjc=25)


def test_a_template_without_scale_says_why():
    template = teds1451.read(real("LVDT.hex")).templates[0]
    assert template.scale is None and template.scale_reason
    with pytest.raises(teds1451.ScaleError):
        template.scale_with(cjc=20)


def test_threads_convert_at_once_and_agree():
    scale = scale_of("TempTC.hex", {"cjc": 25.0})
    samples = numpy.linspace(0, 0.05, 200_000)
    expected = scale.to_physical(samples)
    results = [None] * 4

    def convert(slot):
        results[slot] = scale.to_physical(samples)

    threads = [threading.Thread(target=convert, args=(slot,)) for slot in range(4)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    for result in results:
        numpy.testing.assert_array_equal(result, expected)
