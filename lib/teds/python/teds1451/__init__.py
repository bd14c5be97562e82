"""Read, write and scale IEEE 1451.4 Transducer Electronic Data Sheets.

    import teds1451
    sensor = teds1451.read("Accelerometer.ted")
    print(sensor.manufacturer_id, sensor.serial_number)
    for prop in sensor.templates[0]:
        print(prop.name, prop.value, prop.unit or "")
    sensor.write("new.ted", {"%Sens@Ref": 0.0102}, access=teds1451.Access.CALIBRATION)
    volts_to_g = sensor.templates[0].scale
    accelerations = volts_to_g.to_physical(samples)

read() takes a path, bytes, a numpy array or a list of bits, in any
container a TEDS comes in. Everything raised is a TedsError.
"""

from ._errors import (EncodeError, InputTypeError, PropertyNotFound, ReadError, ScaleError, TedsError, TemplateError,
                      WriteError)
from ._image import Access, Image
from ._scale import Conditions, Constant, Scale
from ._sensor import Sensor, Template, encode_document, read
from ._sources import CONTAINERS
from ._templates import STANDARD_FILE, Diagnostic, Templates
from ._values import Enumeration, Property

__version__ = "0.1.0"

# Tracebacks name the exceptions as callers catch them.
for _error in (EncodeError, InputTypeError, PropertyNotFound, ReadError, ScaleError, TedsError, TemplateError,
               WriteError):
    _error.__module__ = __name__
del _error

__all__ = [
    "Access", "CONTAINERS", "Conditions", "Constant", "Diagnostic", "EncodeError", "Enumeration", "Image",
    "InputTypeError", "Property", "PropertyNotFound", "ReadError", "STANDARD_FILE", "Scale", "ScaleError", "Sensor",
    "TedsError", "Template", "TemplateError", "Templates", "WriteError", "encode_document", "read",
]
