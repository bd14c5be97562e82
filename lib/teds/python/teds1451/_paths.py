"""Paths as the package takes them: a str or an os.PathLike giving one."""

from __future__ import annotations

import os
from typing import Any, Union

from ._errors import InputTypeError

PathLike = Union[str, "os.PathLike[str]"]


def is_path(value: Any) -> bool:
    return isinstance(value, (str, os.PathLike))


def path_text(value: Any, what: str) -> str:
    """The path as a str; what names the file in the message for anything else."""
    path = os.fspath(value) if is_path(value) else None
    if not isinstance(path, str):
        raise InputTypeError(f"{what} is named by a str path, not {type(value).__name__}")
    return path
