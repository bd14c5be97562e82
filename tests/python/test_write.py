import datetime
import os

import pytest

import teds1451
from teds1451 import Access
from conftest import dumped, real

RECALIBRATION = {"%Sens@Ref": 5.1, "%CalDate": datetime.date(2026, 12, 1), "%CalInitials": "ABC"}


def values(document):
    return {value["name"]: value for template in document["templates"] for value in template["properties"]}


@pytest.mark.parametrize("file", ["Accelerometer.ted", "Accelerometer.hex"])
def test_recalibration_is_read_back_by_tedsdump_with_nothing_else_changed(tmp_path, file):
    sensor = teds1451.read(real(file))
    out = str(tmp_path / file)
    image = sensor.write(out, RECALIBRATION, access=Access.CALIBRATION)
    assert image.notes == ["%Sens@Ref: 5.1 is written as 5.099903921192727, the nearest value its field holds"]
    before, after = dumped(real(file)), dumped(out)
    changed = {name for name, value in values(after).items() if values(before)[name] != value}
    assert changed == set(RECALIBRATION)
    assert after["container"] == before["container"]
    assert {k: v for k, v in after.items() if k != "templates"} == {k: v for k, v in before.items() if k != "templates"}
    reread = teds1451.read(out)
    assert reread["%CalDate"].value == datetime.date(2026, 12, 1) and reread["%CalInitials"].value == "ABC"
    assert reread["%Sens@Ref"].value == pytest.approx(5.1, rel=1e-4)


@pytest.mark.parametrize("changes, access, message", [
    (RECALIBRATION, Access.USER, "%Sens@Ref: changing it needs CAL access, more than USR"),
    ({"%Sens@Ref": "abc"}, Access.ID, "%Sens@Ref: 'abc' is not a number"),
    ({"%Nope": 1}, Access.ID, "%Nope: no template of the image has a property of this name"),
])
def test_a_refused_edit_raises_and_writes_nothing(tmp_path, changes, access, message):
    out = tmp_path / "sensor.hex"
    out.write_bytes(b"left alone")
    with pytest.raises(teds1451.EncodeError) as raised:
        teds1451.read(real("Accelerometer.hex")).write(out, changes, access=access)
    assert message in raised.value.problems
    assert out.read_bytes() == b"left alone" and os.listdir(tmp_path) == ["sensor.hex"]


def test_strict_refuses_a_value_off_its_grid():
    with pytest.raises(teds1451.EncodeError, match="not a value its field holds"):
        teds1451.read(real("Accelerometer.hex")).encode({"%Sens@Ref": 5.1}, strict=True)


def test_no_change_gives_the_image_bit_for_bit_in_its_container_and_style(tmp_path):
    for file in ("TempTC.ted", "dewetron_ds2431_memory.hex"):
        sensor = teds1451.read(real(file))
        assert sensor.encode() == sensor.image
        sensor.write(tmp_path / file)
        assert dumped(str(tmp_path / file)) == dumped(real(file))


def test_a_document_from_to_dict_writes_the_same_image():
    sensor = teds1451.read(real("ForceBridge.ted"))
    image = teds1451.encode_document(sensor.to_dict(), changes=[("%SensorImped", 120.0)])
    assert teds1451.read(image.to_container("ted"))["%SensorImped"].value == 120.0
    assert teds1451.encode_document(sensor.to_json()) == sensor.image
    with pytest.raises(teds1451.EncodeError):
        teds1451.encode_document({"basic": 1})
