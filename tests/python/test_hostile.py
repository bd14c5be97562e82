import os
import random

import numpy
import pytest

import teds1451
from conftest import SENSORS, real

GOOD = open(real("Accelerometer.ted"), "rb").read()
DUMP = open(real("dewetron_ds2431_memory.hex"), "rb").read()


def damaged_dump():
    text = bytearray(DUMP)
    digit = text.index(b"0", 20)
    text[digit:digit + 1] = b"f"
    return bytes(text)


# Sources too large for a test's name are made when the test runs.
HOSTILE_SOURCES = {
    "empty": (b"", None, teds1451.ReadError),
    "truncated ted": (GOOD[:100], None, teds1451.ReadError),
    "three hex bytes": (b"00 11 22", None, teds1451.ReadError),
    "not hex": (b"zz not hex at all", None, teds1451.ReadError),
    "damaged dump": (damaged_dump(), None, teds1451.ReadError),
    "past the size limit": (lambda: b"\x00" * (teds1451._sources.MAX_CONTAINER_BYTES + 1), None, teds1451.ReadError),
    "huge array": (lambda: numpy.zeros(100_000_000, numpy.uint8), None, teds1451.ReadError),
    "2-D array": (numpy.zeros((8, 8), numpy.uint8), None, teds1451.InputTypeError),
    "float array": (numpy.ones(64, numpy.float64), None, teds1451.InputTypeError),
    "array past a byte": (numpy.full(64, 300, numpy.int32), None, teds1451.ReadError),
    "list past int64": ([0, 1] * 40 + [2**70], None, teds1451.ReadError),
    "list of floats": ([0.5] * 64, None, teds1451.InputTypeError),
    "bits holding a 2": ([1, 0, 2] * 30, "bits", teds1451.ReadError),
    "unknown container": (GOOD, "nonsense", teds1451.ReadError),
    "container not a str": (GOOD, 5, teds1451.InputTypeError),
    "an int": (12345, None, teds1451.InputTypeError),
    "None": (None, None, teds1451.InputTypeError),
    "a dict": ({"a": 1}, None, teds1451.InputTypeError),
    "missing file": ("/no/such/file", None, teds1451.ReadError),
    "a folder": (os.path.dirname(real("Voltage.hex")), None, teds1451.ReadError),
}


@pytest.mark.parametrize("case", HOSTILE_SOURCES)
def test_hostile_sources_raise_the_package_errors(case):
    source, container, raised = HOSTILE_SOURCES[case]
    with pytest.raises(raised) as error:
        teds1451.read(source() if callable(source) else source, container=container)
    assert isinstance(error.value, teds1451.TedsError) and str(error.value)


def test_a_fifo_is_refused_without_waiting(tmp_path):
    fifo = tmp_path / "fifo"
    os.mkfifo(fifo)
    with pytest.raises(teds1451.ReadError, match="not a regular file"):
        teds1451.read(fifo)


@pytest.mark.parametrize("call", [
    lambda s: s.encode({"%Sens@Ref": object()}),
    lambda s: s.encode({1: 2}),
    lambda s: s.encode("%Sens@Ref=1"),
    lambda s: s.encode([("%Sens@Ref",)]),
    lambda s: s.encode({"%Sens@Ref": True}),
    lambda s: s.encode(access="CAL"),
    lambda s: s.encode(access=7),
    lambda s: s.to_dict(cjc="hot"),
    lambda s: s.image.to_container("eeprom", pages=10**9),
    lambda s: s.image.to_container("nonsense"),
    lambda s: teds1451.Image(b"\x00" * 4, 100).to_container("raw"),
    lambda s: s.templates[0].scale.to_physical("1.0"),
    lambda s: s.templates[0].scale.to_physical(numpy.array(["a"])),
    lambda s: s.templates[0].scale.to_physical([1.0], out=[0.0]),
    lambda s: s.templates[0].scale_with(r0=[1]),
    lambda s: teds1451.read(GOOD, templates=42),
    lambda s: teds1451.read(GOOD, templates="/no/such.tdl"),
    lambda s: teds1451.Templates().load_file(os.path.dirname(real("Voltage.hex"))),
    lambda s: teds1451.Templates().load_text(b"bytes"),
    lambda s: teds1451.encode_document("{not json"),
    lambda s: teds1451.encode_document(3),
    lambda s: s.write("/no/such/folder/x.hex"),
    lambda s: s.write("/dev/null"),
    lambda s: s.encode({"\udcff": "1"}),
    lambda s: s.encode({"%Sens@Ref": "\udcff"}),
    lambda s: teds1451.Templates().load_text("\udcff"),
    lambda s: s.templates[0].scale.to_physical(10**400),
])
def test_wrong_arguments_raise_the_package_errors(call):
    with pytest.raises(teds1451.TedsError):
        call(teds1451.read(GOOD))


def test_template_files_of_any_bytes_load_or_say_why(tmp_path):
    path = tmp_path / "latin1.tdl"
    path.write_bytes(b"TEMPLATE \xff\xfe 99 { \xe9t\xe9 }\n" + bytes(range(256)))
    templates = teds1451.Templates(path)
    assert templates.diagnostics and all(isinstance(d.text, str) for d in templates.diagnostics)
    assert isinstance(templates.dump(), str)


def test_damaged_images_never_crash():
    """Flipped bytes, cut and stretched images of every real sensor: each is
    read, or refused with the package's error, and whatever is read can be
    asked for everything."""
    rng = random.Random(1451)
    images = [teds1451.read(real(name + ".ted")).image.data for name in SENSORS]
    for round_ in range(1500):
        data = bytearray(rng.choice(images))
        for _ in range(rng.randint(1, 6)):
            data[rng.randrange(len(data))] = rng.randrange(256)
        if round_ % 3 == 0:
            data = data[: rng.randint(0, len(data))] + bytes(rng.randrange(256) for _ in range(rng.randint(0, 40)))
        try:
            sensor = teds1451.read(bytes(data), container="raw")
        except teds1451.ReadError:
            continue
        sensor.to_dict(scale=True, cjc=20)
        sensor.trace()
        for template in sensor.templates:
            if template.scale is not None:
                template.scale.to_physical(numpy.array([0.0, 1.0, -1.0]), cjc=20)
        try:
            sensor.encode({name: "0" for name in sensor.names()[:3]}, strict=rng.random() < 0.5)
        except teds1451.EncodeError:
            pass
