"""tedsdump over a folder, read back as a spreadsheet and a JSON reader would
read it: Python's own csv and json modules, not the tool's code.

    python3 tedsdump_lists.py TEDSDUMP REAL_TEDS_DIR
"""

import csv
import io
import json
import os
import subprocess
import sys
import tempfile

TEDSDUMP, REAL_TEDS = sys.argv[1], sys.argv[2]
CONTAINERS = ["raw", "hex", "ted", "eeprom", "bits"]


def run(*args):
    done = subprocess.run([TEDSDUMP, *args], capture_output=True, timeout=120)
    return done.returncode, done.stdout.decode("utf-8")


def make_folder(root):
    good, bad = os.path.join(root, "good"), os.path.join(root, "bad")
    os.makedirs(good)
    os.makedirs(bad)
    for name in sorted(os.listdir(REAL_TEDS)):
        if not name.endswith(".hex"):
            continue
        for container in CONTAINERS:
            out = os.path.join(good, f"{name[:-4]}.{container}")
            subprocess.run([TEDSDUMP, "--convert", container, "-o", out, os.path.join(REAL_TEDS, name)], check=True)
    with open(os.path.join(good, "ForceBridge.eeprom"), "rb") as f:
        dump = bytearray(f.read())
    dump[40] ^= 0x10
    with open(os.path.join(bad, "damaged.eeprom"), "wb") as f:
        f.write(dump)
    with open(os.path.join(good, "Accelerometer.raw"), "rb") as f:
        accelerometer = f.read()
    with open(os.path.join(bad, "truncated.raw"), "wb") as f:
        f.write(accelerometer[:14])
    with open(os.path.join(good, "Voltage.raw"), "rb") as f:
        voltage = bytearray(f.read())
    voltage[8] = (99 << 2) & 0xFF  # selector 0, then IEEE template 99
    voltage[9] = (voltage[9] & 0xFC) | (99 >> 6)
    with open(os.path.join(bad, "unknown.raw"), "wb") as f:
        f.write(voltage)
    os.symlink(os.path.join(root, "gone"), os.path.join(bad, "unreadable.hex"))
    return good, len(os.listdir(good))


def main():
    with tempfile.TemporaryDirectory() as root:
        good, images = make_folder(root)

        status, out = run("--csv", good)
        assert status == 0, out
        rows = list(csv.DictReader(io.StringIO(out, newline="")))
        assert len(rows) == images, (len(rows), images)
        assert all(row["problems"] == "" for row in rows), [r for r in rows if r["problems"]]
        by_file = {os.path.basename(row["file"]): row for row in rows}
        assert by_file["Voltage.ted"]["manufacturer id"] == "17"
        assert by_file["Voltage.ted"]["serial number"] == "12345"
        assert by_file["dewetron_ds2431_memory.hex"]["templates"] == "33"

        status, out = run("--csv", "--recursive", root)
        assert status == 1, status
        rows = list(csv.DictReader(io.StringIO(out, newline="")))
        assert len(rows) == images + 4
        problems = {os.path.basename(row["file"]): row["problems"] for row in rows if row["problems"]}
        assert problems == {
            "damaged.eeprom": "damaged-container",
            "truncated.raw": "truncated",
            "unknown.raw": "unsupported-template",
            "unreadable.hex": "unreadable",
        }, problems

        status, out = run("--jsonl", "--recursive", root)
        assert status == 1
        lines = out.splitlines()
        assert len(lines) == images + 4
        documents = [json.loads(line) for line in lines]
        assert all(list(document)[0] == "file" and "problems" in document for document in documents)
        unknown = next(d for d in documents if d["file"].endswith("unknown.raw"))
        assert unknown["problems"][0]["problem"] == "unsupported-template"
        assert unknown["problems"][0]["templateId"] == 99

        status, out = run("--recursive", root)
        assert status == 1
        assert len(out.splitlines()) == images + 5  # the heading, then a line per image
    print(f"tedsdump lists: {images} real images and 4 broken files read back")


main()
