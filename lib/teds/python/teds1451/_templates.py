"""The templates images are decoded against."""

from __future__ import annotations

import os
import stat
import threading
from typing import NamedTuple

from . import _native
from ._errors import InputTypeError, TemplateError
from ._paths import PathLike, is_path, path_text
from ._values import checked_text

STANDARD_FILE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "templates", "ieee_standard.tdl")

# The standard templates are about 16 KB; a template file is read whole
# before it is parsed, so larger files than this are refused unread.
MAX_TEMPLATE_FILE_BYTES = 64 << 20


class Diagnostic(NamedTuple):
    """What loading said of its input: where, what kind of trouble (such as
    "syntax_error" or "unknown_name"), and the message."""

    source: str
    line: int
    kind: str
    message: str
    system_message: str
    text: str

    def __str__(self) -> str:
        return self.text


class Templates:
    """Template files loaded in order, the package's copy of the IEEE
    standard templates first unless standard=False. Loading adds templates;
    none is replaced or removed.

    Loading changes the object: load before handing it to other threads.
    """

    def __init__(self, *files: PathLike, standard: bool = True) -> None:
        self._native = _native.Templates()
        if standard:
            self.load_file(STANDARD_FILE)
        for path in files:
            self.load_file(path)

    def load_file(self, path: PathLike) -> int:
        """Loads a template file; returns how many templates it added. What
        was refused and why is in diagnostics. Raises TemplateError when
        the file cannot be read."""
        path = path_text(path, "a template file")
        try:
            info = os.stat(path)
        except OSError as error:
            raise TemplateError(f"'{path}' cannot be opened: {error.strerror}") from None
        if not stat.S_ISREG(info.st_mode):
            raise TemplateError(f"'{path}' cannot be read: it is not a regular file")
        if info.st_size > MAX_TEMPLATE_FILE_BYTES:
            raise TemplateError(f"'{path}' is larger than {MAX_TEMPLATE_FILE_BYTES} bytes, far more than any template file")
        return self._native.load_file(os.fsencode(path))

    def load_text(self, text: str, source_name: str = "<text>") -> int:
        """Loads templates from TDL text; diagnostics name it source_name."""
        if not isinstance(text, str) or not isinstance(source_name, str):
            raise InputTypeError("template text and its source name are str")
        return self._native.load_text(checked_text(text, "template text"), checked_text(source_name, "a source name"))

    @property
    def diagnostics(self) -> list[Diagnostic]:
        """Every load's diagnostics so far, in the order they arose."""
        return [Diagnostic(*fields) for fields in self._native.diagnostics()]

    def dump(self) -> str:
        """Every template loaded, as the template file declares it."""
        return self._native.dump()


_standard: Templates | None = None
_standard_lock = threading.Lock()


def standard_templates() -> Templates:
    """The standard templates, loaded once and shared by every read that
    names no templates of its own. Never loaded into: a read that needs more
    gets a Templates of its own."""
    global _standard
    with _standard_lock:
        if _standard is None:
            _standard = Templates()
        return _standard


def templates_for(templates: object) -> Templates:
    """What read() takes: None, a Templates, a path, or a list of paths."""
    if templates is None:
        return standard_templates()
    if isinstance(templates, Templates):
        return templates
    if is_path(templates):
        return Templates(templates)
    if isinstance(templates, (list, tuple)):
        return Templates(*templates)
    raise InputTypeError(
        f"templates are a Templates, a path or a list of paths, not {type(templates).__name__}")
