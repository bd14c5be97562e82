"""An image's bits, and writing them in a container to a file."""

from __future__ import annotations

import enum
import os
import secrets
import stat
from typing import Iterable

from . import _native
from ._errors import InputTypeError, WriteError
from ._paths import PathLike, path_text


class Access(enum.IntEnum):
    """Who may change a property; each level may also change what the
    levels after it may."""

    ID = 0  # the manufacturer: everything
    CALIBRATION = 1  # a calibration lab
    USER = 2  # the user


class Image:
    """A TEDS image: whole bytes, of which bit_count bits count (a virtual
    TEDS file or a list of bits need not end on a byte), and the notes of
    the encode that made it."""

    __slots__ = ("data", "bit_count", "notes")

    def __init__(self, data: bytes, bit_count: int | None = None, notes: Iterable[str] = ()) -> None:
        if not isinstance(data, (bytes, bytearray)):
            raise InputTypeError(f"image data are bytes, not {type(data).__name__}")
        if bit_count is not None and (not isinstance(bit_count, int) or isinstance(bit_count, bool)):
            raise InputTypeError("a bit count is an int")
        self.data = bytes(data)
        self.bit_count = len(self.data) * 8 if bit_count is None else bit_count
        self.notes = list(notes)

    def to_container(self, container: str = "hex", *, upper_case: bool = False, hex_text: bool = False,
                     pages: int = 0) -> bytes:
        """The container's content: "raw", "hex", "ted", "eeprom" or
        "bits". Hex digits are lower case unless upper_case; a dump is raw
        bytes unless hex_text, padded with erased pages up to pages."""
        if not isinstance(container, str):
            raise InputTypeError(f"a container is named by a str, not {type(container).__name__}")
        if not isinstance(pages, int) or isinstance(pages, bool) or pages < 0:
            raise InputTypeError("pages is a count, an int of 0 or more")
        return _native.write_container(self.data, self.bit_count, container, bool(hex_text), bool(upper_case), pages)

    def write(self, path: PathLike, container: str = "hex", *, upper_case: bool = False, hex_text: bool = False,
              pages: int = 0) -> None:
        """Writes the image in a container to a file, replacing it whole: a
        file that cannot be written is left as it was."""
        write_file(path, self.to_container(container, upper_case=upper_case, hex_text=hex_text, pages=pages))

    def __eq__(self, other: object) -> bool:
        if not isinstance(other, Image):
            return NotImplemented
        return self.data == other.data and self.bit_count == other.bit_count

    def __repr__(self) -> str:
        return f"Image({self.data.hex()!r}, bit_count={self.bit_count})"


def write_file(path: PathLike, content: bytes) -> None:
    """Replaces the regular file at path (or makes it) with content: written
    to a new file beside it first, then renamed over it, so that a failed
    write leaves it as it was. A symbolic link is followed; a replaced file
    keeps its mode, a new one gets 0666 less the umask. Anything but a
    regular file (a device, a FIFO, a folder) is refused, never replaced."""
    path = path_text(path, "a file")
    target = os.path.realpath(path)
    try:
        mode: int | None = os.stat(target).st_mode
    except FileNotFoundError:
        mode = None
    except OSError as error:
        raise WriteError(f"'{path}' was not written: {error.strerror}") from None
    if mode is not None and not stat.S_ISREG(mode):
        raise WriteError(f"'{path}' was not written: it is not a regular file")
    temporary = os.path.join(os.path.dirname(target), ".teds-" + secrets.token_hex(6))
    try:
        fd = os.open(temporary, os.O_WRONLY | os.O_CREAT | os.O_EXCL | getattr(os, "O_BINARY", 0), 0o666)
    except OSError as error:
        raise WriteError(f"'{path}' was not written: cannot create a file in its folder: {error.strerror}") from None
    try:
        with os.fdopen(fd, "wb") as file:
            file.write(content)
        if mode is not None:
            os.chmod(temporary, stat.S_IMODE(mode))
        os.replace(temporary, target)
    except OSError as error:
        os.unlink(temporary)
        raise WriteError(f"'{path}' was not written: {error.strerror}") from None
