"""What read() takes, turned into the content of a container: a file's
bytes, bytes given, or the bits or bytes of an array or list."""

from __future__ import annotations

import os
import stat
from typing import Any

from . import _native
from ._errors import InputTypeError, ReadError
from ._paths import is_path, path_text

MAX_CONTAINER_BYTES: int = _native.MAX_CONTAINER_BYTES
CONTAINERS = ("raw", "hex", "ted", "eeprom", "bits")


def _file_content(path: str) -> bytes:
    # Opened without waiting, so that a FIFO cannot hold the caller up,
    # and looked at before it is read.
    try:
        fd = os.open(path, os.O_RDONLY | getattr(os, "O_NONBLOCK", 0) | getattr(os, "O_BINARY", 0))
    except OSError as error:
        raise ReadError(f"'{path}' cannot be opened: {error.strerror}") from None
    if not stat.S_ISREG(os.fstat(fd).st_mode):
        os.close(fd)
        raise ReadError(f"'{path}' cannot be read: it is not a regular file")
    with os.fdopen(fd, "rb") as file:
        try:
            content = file.read(MAX_CONTAINER_BYTES + 1)
        except OSError as error:
            raise ReadError(f"'{path}' cannot be read: {error.strerror}") from None
    if len(content) > MAX_CONTAINER_BYTES:
        raise ReadError(f"'{path}' is larger than {MAX_CONTAINER_BYTES} bytes, far more than any TEDS memory")
    return content


def _too_large(count: int, what: str) -> ReadError:
    return ReadError(f"{what} of {count} items is far more than any TEDS memory holds")


def _array_content(array: Any, container: str | None, what: str) -> tuple[bytes, str | None]:
    import numpy

    if array.ndim != 1:
        raise InputTypeError(f"{what} must be one-dimensional, not of shape {array.shape}")
    if array.size > MAX_CONTAINER_BYTES:
        raise _too_large(array.size, what)
    kind = array.dtype.kind
    if kind not in "biu":
        raise InputTypeError(f"{what} of {array.dtype} holds neither bits nor bytes")
    low = int(array.min()) if array.size else 0
    high = int(array.max()) if array.size else 0
    if low < 0 or high > 255:
        raise ReadError(f"{what} holds {low if low < 0 else high}, which is no byte nor bit")
    # Bits are what a bool array holds, and what an array of nothing but 0s
    # and 1s holds when there are at least the 64 of a Basic TEDS.
    as_bits = container == "bits" or (container is None and (kind == "b" or (array.size >= 64 and high <= 1)))
    if as_bits:
        if high > 1:
            raise ReadError(f"{what} holds {high}; bits are 0 or 1")
        return (numpy.asarray(array, dtype=numpy.uint8) + ord("0")).tobytes(), "bits"
    return numpy.asarray(array, dtype=numpy.uint8).tobytes(), container


def content_of(source: Any, container: str | None) -> tuple[bytes, str | None, str]:
    """The content to read, the container to read it as (None: work it out)
    and how messages name the source."""
    if container is not None and not isinstance(container, str):
        raise InputTypeError(f"a container is named by a str, not {type(container).__name__}")
    if container is not None and container not in CONTAINERS:
        raise ReadError(f"no container is named {container!r} ({', '.join(CONTAINERS)})")
    if is_path(source):
        path = path_text(source, "an image file")
        return _file_content(path), container, f"'{path}'"
    if isinstance(source, bytes):
        return source, container, "the image given"
    if isinstance(source, (bytearray, memoryview)):
        view = memoryview(source)
        if view.nbytes > MAX_CONTAINER_BYTES:
            raise _too_large(view.nbytes, "the image given")
        return view.tobytes(), container, "the image given"
    if type(source).__module__ == "numpy" and type(source).__name__ == "ndarray":
        return (*_array_content(source, container, "the array given"), "the array given")
    if isinstance(source, (list, tuple)):
        if len(source) > MAX_CONTAINER_BYTES:
            raise _too_large(len(source), "the list given")
        if not all(isinstance(item, int) for item in source):
            raise InputTypeError("a list of bits or bytes holds ints")
        import numpy

        try:
            array = numpy.array(source, dtype=numpy.int64)
        except OverflowError:
            raise ReadError("the list given holds a number that is no byte nor bit") from None
        return (*_array_content(array, container, "the list given"), "the list given")
    raise InputTypeError(
        "read() takes a path, bytes, a bytearray, a numpy array or a list of bits or bytes, "
        f"not {type(source).__name__}")
