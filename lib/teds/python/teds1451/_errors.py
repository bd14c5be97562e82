"""The package's exceptions. Each carries the library's message; those of
an encode also carry its problems and notes one line each."""

from __future__ import annotations

from typing import Iterable


class TedsError(Exception):
    """Base of every exception the package raises."""

    def __init__(self, message: str = "", problems: Iterable[str] = (), notes: Iterable[str] = ()) -> None:
        super().__init__(message)
        self.message = message
        self.problems: list[str] = list(problems) or ([message] if message else [])
        self.notes: list[str] = list(notes)

    def __str__(self) -> str:
        return self.message


class ReadError(TedsError, ValueError):
    """An image or its container could not be read."""


class TemplateError(TedsError, ValueError):
    """A template file could not be loaded."""


class EncodeError(TedsError, ValueError):
    """An edit, a document or an image's container was refused; nothing was written."""


class ScaleError(TedsError, ValueError):
    """A template gives no scale, or a value cannot be converted."""


class WriteError(TedsError, OSError):
    """A file could not be written; what was there before is left as it was."""


class PropertyNotFound(TedsError, KeyError):
    """No property of that name was decoded."""


class InputTypeError(TedsError, TypeError):
    """An argument of a type the package does not take."""
