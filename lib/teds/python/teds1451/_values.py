"""Decoded values as Python values, and Python values as the text the
library takes when a property is set."""

from __future__ import annotations

import datetime
import math
from typing import Any, Iterator, Sequence, Union

from ._errors import InputTypeError, PropertyNotFound

# Dates count days from this one.
EPOCH = datetime.date(1998, 1, 1)
_LAST_DAY = (datetime.date.max - EPOCH).days

# In the order of the library's value kinds.
KINDS = ("none", "text", "real", "unsigned", "date", "enumeration", "struct_array")


class Enumeration:
    """An enumerated value: its index and the template's text for it (empty
    when the template has none for the index). Equal to another of the same
    index, to its index and to its text."""

    __slots__ = ("index", "text")

    def __init__(self, index: int, text: str) -> None:
        self.index = index
        self.text = text

    def __eq__(self, other: object) -> bool:
        if isinstance(other, Enumeration):
            return self.index == other.index
        if isinstance(other, bool):
            return NotImplemented
        if isinstance(other, int):
            return self.index == other
        if isinstance(other, str):
            return self.text == other
        return NotImplemented

    def __hash__(self) -> int:
        return hash(self.index)

    def __int__(self) -> int:
        return self.index

    def __str__(self) -> str:
        return self.text or str(self.index)

    def __repr__(self) -> str:
        return f"Enumeration({self.index}, {self.text!r})"


Value = Union[None, float, int, str, datetime.date, Enumeration, list]


class Property:
    """One decoded value: its name, value, unit text (None when it has no
    unit) and the template's description of it.

    value is None for the "no value" pattern, a float, an int, a str, a
    datetime.date (an int count of days from 1998-01-01 for a date past
    9999-12-31), an Enumeration, or for a struct array a list of elements,
    each a list of Property.
    """

    __slots__ = ("name", "value", "unit", "description", "kind")

    def __init__(self, name: str, value: Value, unit: str | None, description: str, kind: str) -> None:
        self.name = name
        self.value = value
        self.unit = unit
        self.description = description
        self.kind = kind

    def __repr__(self) -> str:
        unit = f", unit={self.unit!r}" if self.unit else ""
        return f"Property({self.name!r}, {self.value!r}{unit})"


def _date(days: int) -> datetime.date | int:
    return EPOCH + datetime.timedelta(days=days) if days <= _LAST_DAY else days


def properties_of(tuples: Sequence[tuple]) -> list[Property]:
    """Property objects from the extension module's tuples."""
    result = []
    for name, kind, payload, unit, description in tuples:
        if kind == 4:
            payload = _date(payload)
        elif kind == 5:
            payload = Enumeration(*payload)
        elif kind == 6:
            payload = [properties_of(element) for element in payload]
        result.append(Property(name, payload, unit, description, KINDS[kind]))
    return result


def walk(properties: Sequence[Property], prefix: str = "") -> Iterator[tuple[str, Property]]:
    """Every property with the name a setting gives it, depth-first:
    ARRAY[i].NAME inside a struct array's elements."""
    for prop in properties:
        yield prefix + prop.name, prop
        if prop.kind == "struct_array":
            for position, element in enumerate(prop.value):
                yield from walk(element, f"{prefix}{prop.name}[{position}].")


def find(properties: Sequence[Property], name: str) -> Property | None:
    for full_name, prop in walk(properties):
        if full_name == name:
            return prop
    return None


def not_found(name: Any, where: str) -> PropertyNotFound:
    return PropertyNotFound(f"{where} has no property named {name!r}")


def checked_text(text: str, what: str) -> str:
    """text, refused when it cannot be written as UTF-8 (a lone surrogate)."""
    try:
        text.encode("utf-8")
    except UnicodeEncodeError as error:
        raise InputTypeError(f"{what} is no valid text: {error.reason} at {error.start}") from None
    return text


def setting_text(name: Any, value: Any) -> tuple[str, str]:
    """NAME and VALUE as the library takes a setting."""
    if not isinstance(name, str):
        raise InputTypeError(f"a property name is a str, not {type(name).__name__}")
    checked_text(name, "a property name")
    if isinstance(value, str):
        return name, checked_text(value, name)
    if value is None:
        return name, "none"
    if isinstance(value, bool):
        raise InputTypeError(f"{name}: True and False are no TEDS values; give 1 or 0")
    if isinstance(value, Enumeration):
        return name, str(value.index)
    if isinstance(value, int):
        return name, str(value)
    if isinstance(value, float):
        return name, repr(value) if math.isfinite(value) else str(value)
    if isinstance(value, datetime.datetime):
        raise InputTypeError(f"{name}: a TEDS date has no time of day; give a datetime.date")
    if isinstance(value, datetime.date):
        return name, value.isoformat()
    # numpy scalars and other numbers
    if hasattr(value, "__index__"):
        return name, str(value.__index__())
    if hasattr(value, "__float__"):
        return name, repr(float(value))
    raise InputTypeError(f"{name}: a {type(value).__name__} is no TEDS value")
