import datetime

import numpy
import pytest

import teds1451
from conftest import SENSORS, dumped, real


def in_every_container(file):
    """The sensor's image as each source read() takes: files of every
    container, bytes, a bytearray, numpy bits and bytes, a list of bits."""
    image = teds1451.read(real(file)).image
    bits = numpy.unpackbits(numpy.frombuffer(image.data, numpy.uint8), bitorder="little")[: image.bit_count]
    sources = {container: (image.to_container(container), None) for container in ("raw", "hex", "ted", "bits")}
    # A dump of one page is no evidence of being one, so it is named.
    sources["eeprom"] = (image.to_container("eeprom"), "eeprom")
    sources["eeprom as hex text"] = (image.to_container("eeprom", hex_text=True), "eeprom")
    sources["eeprom of 4 pages"] = (image.to_container("eeprom", pages=4), None)
    for how, source in {
        "file": real(file), "bytearray": bytearray(image.data),
        "numpy bits": bits, "numpy bool bits": bits.astype(bool), "list of bits": bits.tolist(),
        "numpy bytes": numpy.frombuffer(image.data, numpy.uint8),
    }.items():
        sources[how] = (source, None)
    return sources


# What the makers state each sensor holds; sensitivities are in V per SI unit.
MAKERS = {
    "Accelerometer": lambda s: abs(s["%Sens@Ref"].value * 9.80665 - 49.03) <= 0.01 and s.templates[0].template_id == 25,
    "Microphone": lambda s: abs(s["%Sens@Ref"].value * 1000 - 1999.81) <= 0.01,
    "Voltage": lambda s: (s.manufacturer_id, s.model_number, s.version_letter, s.version_number) == (17, 1, "A", 1)
    and [t.template_id for t in s.templates] == [30],
    "Current": lambda s: [t.template_id for t in s.templates] == [31],
    "ForceBridge": lambda s: s["%BridgeType"].value == "Full" and s["%SensorImped"].value == 350.0,
    "LVDT": lambda s: [t.template_id for t in s.templates] == [34],
    "TempTC": lambda s: s["%TCType"].value == "K",
    "ThermistorIex": lambda s: abs(s["%SteinhartHartA"].value - 1.3e-3) <= 1e-5
    and abs(s["%SteinhartHartB"].value - 2.3e-4) <= 1e-6 and abs(s["%SteinhartHartC"].value - 1.0e-7) <= 1e-9,
    "dewetron_ds2431_memory": lambda s: (s.manufacturer_id, s.model_number) == (31, 393)
    and s["%BridgeType"].value == 1 and s["%SensorImped"].value == pytest.approx(40)
    and (s["%ExciteAmplNom"].value, s["%ExciteAmplMin"].value, s["%ExciteAmplMax"].value) == pytest.approx((2.5, 1, 6))
    and s["%CalDate"].value == datetime.date(1998, 1, 1) + datetime.timedelta(days=37254),
}
FILES = [f"{name}.{kind}" for name in SENSORS for kind in ("hex", "ted")] + ["dewetron_ds2431_memory.hex"]


@pytest.mark.parametrize("file", FILES)
def test_every_container_gives_the_makers_values(file):
    expected = teds1451.read(real(file)).to_dict()["templates"]
    for how, (source, container) in in_every_container(file).items():
        sensor = teds1451.read(source, container=container)
        assert MAKERS[file.rsplit(".", 1)[0]](sensor), how
        assert sensor.to_dict()["templates"] == expected, how


@pytest.mark.parametrize("file", FILES)
def test_to_dict_is_the_tedsdump_document(file):
    assert teds1451.read(real(file)).to_dict() == dumped(real(file))


def test_values_are_python_types():
    sensor = teds1451.read(real("ForceBridge.ted"))
    types = {prop.kind: type(prop.value) for prop in sensor.properties}
    assert types["real"] is float and types["unsigned"] is int and types["text"] is str
    assert types["date"] is datetime.date and types["enumeration"] is teds1451.Enumeration
    bridge = sensor["%BridgeType"].value
    assert (bridge.index, bridge.text, bridge == 2, bridge == "Full") == (2, "Full", True, True)
    assert sensor["%SensorImped"].unit is not None and sensor["%SensorImped"].description
    assert "%Nothing" not in sensor and sensor.get("%Nothing") is None
    with pytest.raises(teds1451.PropertyNotFound):
        sensor["%Nothing"]


def test_more_templates_load_on_top_of_the_standard_ones():
    templates = teds1451.Templates()
    assert templates.load_text("this is no template", "mine") == 0
    assert templates.diagnostics and templates.diagnostics[0].source == "mine"
    bare = teds1451.read(real("Voltage.hex"), teds1451.Templates(standard=False))
    assert bare.templates == [] and bare.serial_number == 12345
