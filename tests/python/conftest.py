"""Where the tests find the real sensor images and the command-line tools:
from the environment the build's test sets, or beside this folder."""

import json
import os
import subprocess

import pytest

HERE = os.path.dirname(os.path.abspath(__file__))
REAL_TEDS = os.environ.get("TEDS_REAL_TEDS_DIR", os.path.join(HERE, "..", "data", "real-teds"))
SENSORS = ["Accelerometer", "Current", "ForceBridge", "LVDT", "Microphone", "TempTC", "ThermistorIex", "Voltage"]


def real(name):
    return os.path.join(REAL_TEDS, name)


def tool(name, *args, stdin=None, check=True):
    """Runs a command-line tool of the build; its standard output."""
    path = os.environ.get(name.upper())
    if not path:
        pytest.skip(f"{name} is not built here")
    done = subprocess.run([path, *args], input=stdin, capture_output=True, check=check, timeout=60)
    return done.stdout


def dumped(path):
    return json.loads(tool("tedsdump", "--json", path))
