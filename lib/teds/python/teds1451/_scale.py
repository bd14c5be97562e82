"""A template's scale: from the electrical value an instrument measures to
the physical value, and back."""

from __future__ import annotations

import numbers
from typing import Any, NamedTuple, Optional

from ._errors import InputTypeError, ScaleError


class Constant(NamedTuple):
    """A number the scale computes with; unit is empty for a pure number."""

    name: str
    value: float
    unit: str


class Conditions(NamedTuple):
    """What the channel knows that the TEDS does not: a thermocouple's
    cold-junction temperature (degC), a bridge's excitation (V), an RTD's
    R0 (Ohm)."""

    cjc: Optional[float] = None
    excitation: Optional[float] = None
    r0: Optional[float] = None


def _number(value: Any, what: str) -> Optional[float]:
    if value is None:
        return None
    if isinstance(value, bool) or not isinstance(value, numbers.Real):
        raise InputTypeError(f"{what} is a number, not {type(value).__name__}")
    try:
        return float(value)
    except OverflowError:
        raise ScaleError(f"{what} is {value}, beyond any float") from None


def conditions_of(cjc: Any = None, excitation: Any = None, r0: Any = None) -> Conditions:
    return Conditions(_number(cjc, "cjc"), _number(excitation, "excitation"), _number(r0, "r0"))


class Scale:
    """How a template turns electrical values (V, A, Ohm or V/V; a
    thermocouple's emf in volts) into physical values in output_unit
    (temperatures in degC), and back.

    to_physical and to_electrical take a number, giving a float, or an
    array of numbers (a numpy array, or anything numpy makes one of),
    giving a numpy array of the same shape: float32 stays float32, other
    numbers become float64. A contiguous float64 or float32 array is
    converted where it lies, without a copy, into out when given (which may
    be the input itself) or into a new array; the interpreter is free for
    other threads meanwhile. A number that cannot be converted raises
    ScaleError saying why; in an array it becomes NaN.
    """

    __slots__ = ("_native", "_decoded", "_index", "_conditions")

    def __init__(self, native: Any, decoded: Any, index: int, conditions: Conditions) -> None:
        self._native = native
        self._decoded = decoded
        self._index = index
        self._conditions = conditions

    kind = property(lambda self: self._native.kind,
                    doc='"sensitivity", "two-point", "thermocouple", "rtd" or "thermistor"')
    quantity = property(lambda self: self._native.quantity, doc='What the physical value is: "acceleration", ...')
    input_unit = property(lambda self: self._native.input_unit, doc="The electrical value's unit")
    output_unit = property(lambda self: self._native.output_unit, doc="The physical value's unit")
    notes = property(lambda self: list(self._native.notes),
                     doc="What the scale assumes that no source establishes, and what the caller gave it")

    @property
    def valid_input(self) -> tuple[float, float]:
        """The electrical values to_physical converts; infinite ends for a line."""
        return self._native.valid_input

    @property
    def constants(self) -> list[Constant]:
        return [Constant(*fields) for fields in self._native.constants]

    def _with(self, cjc: Any) -> Any:
        if cjc is None:
            return self._native
        conditions = self._conditions._replace(cjc=_number(cjc, "cjc"))
        found = self._decoded.scale(self._index, *conditions)
        if isinstance(found, str):
            raise ScaleError(found)
        return found

    def to_physical(self, value: Any, cjc: Any = None, *, out: Any = None) -> Any:
        """The physical value of an electrical one; cjc is the cold
        junction's temperature in degC, which a thermocouple needs."""
        return _convert(self._with(cjc), value, out, True)

    def to_electrical(self, value: Any, cjc: Any = None, *, out: Any = None) -> Any:
        """The electrical value of a physical one."""
        return _convert(self._with(cjc), value, out, False)

    def __repr__(self) -> str:
        return f"<Scale {self.kind}: {self.input_unit or '?'} to {self.output_unit or '?'}>"


def _convert(native: Any, value: Any, out: Any, to_physical: bool) -> Any:
    if out is None and isinstance(value, numbers.Real) and not isinstance(value, bool):
        number = _number(value, "the value")
        return native.to_physical(number) if to_physical else native.to_electrical(number)
    import numpy

    if isinstance(value, (bool, numpy.bool_, str, bytes)):
        raise InputTypeError(f"a value to convert is a number or an array of numbers, not {type(value).__name__}")
    try:
        samples = numpy.asarray(value)
    except (TypeError, ValueError) as error:
        raise InputTypeError(f"a value to convert is a number or an array of numbers: {error}") from None
    if samples.dtype.kind not in "fiu":
        raise InputTypeError(f"samples of {samples.dtype} are no numbers")
    if samples.dtype not in (numpy.float64, numpy.float32):
        samples = samples.astype(numpy.float64)
    samples = numpy.ascontiguousarray(samples)
    if out is None:
        out = numpy.empty_like(samples)
    elif not isinstance(out, numpy.ndarray):
        raise InputTypeError(f"out is a numpy array, not {type(out).__name__}")
    elif out.dtype != samples.dtype or out.shape != samples.shape:
        raise ScaleError(f"out must be {samples.dtype} of shape {samples.shape}, not {out.dtype} of shape {out.shape}")
    elif not out.flags.c_contiguous or not out.flags.writeable:
        raise ScaleError("out must be contiguous and writeable")
    # Converted block by block, samples that out overlaps at an offset would
    # be overwritten before they are read: such samples are copied first.
    if numpy.may_share_memory(samples, out) and samples.ctypes.data != out.ctypes.data:
        samples = samples.copy()
    native.convert_array(samples, out, to_physical)
    return out


def scale_of(decoded: Any, index: int, conditions: Conditions) -> "Scale | str":
    """The template's scale, or the reason it gives none."""
    found = decoded.scale(index, *conditions)
    if isinstance(found, str):
        return found
    return Scale(found, decoded, index, conditions)

