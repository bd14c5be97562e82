"""A sensor's TEDS read and decoded: read(), Sensor and Template."""

from __future__ import annotations

import json
from collections.abc import Mapping
from typing import Any, Iterable, Iterator, Optional

from . import _native
from ._errors import InputTypeError, ReadError, ScaleError
from ._image import Access, Image, write_file
from ._paths import PathLike
from ._scale import Scale, conditions_of, scale_of
from ._sources import content_of
from ._templates import templates_for
from ._values import Property, find, not_found, properties_of, setting_text, walk

Changes = Optional[Any]


def _settings(changes: Changes) -> list[tuple[str, str]]:
    """NAME=VALUE settings in order from a mapping or from (name, value) pairs."""
    if changes is None:
        return []
    if isinstance(changes, Mapping):
        pairs: Iterable[Any] = changes.items()
    elif isinstance(changes, (list, tuple)):
        pairs = changes
    else:
        raise InputTypeError(f"changes are a mapping or a list of (name, value) pairs, not {type(changes).__name__}")
    settings = []
    for pair in pairs:
        if not isinstance(pair, tuple) or len(pair) != 2:
            raise InputTypeError("each change is a (name, value) pair")
        settings.append(setting_text(*pair))
    return settings


def _access(access: Any) -> int:
    if isinstance(access, bool) or not isinstance(access, int):
        raise InputTypeError(f"access is an Access, not {type(access).__name__}")
    return int(access)


class Template:
    """One template of a sensor's chain, with its decoded properties.

    Look a property up by name (template["%Sens@Ref"], or "ARRAY[i].NAME"
    inside a struct array); iterate to get the properties in image order.
    """

    __slots__ = ("index", "manufacturer_key", "template_id", "name", "missing_bits", "properties", "_decoded")

    def __init__(self, decoded: Any, index: int, fields: tuple) -> None:
        self._decoded = decoded
        self.index = index
        self.manufacturer_key, self.template_id, self.name, self.missing_bits, tuples = fields
        self.properties: list[Property] = properties_of(tuples)

    def __getitem__(self, name: str) -> Property:
        found = find(self.properties, name)
        if found is None:
            raise not_found(name, f"template {self.template_id}")
        return found

    def get(self, name: str, default: Any = None) -> Any:
        found = find(self.properties, name)
        return default if found is None else found

    def __contains__(self, name: object) -> bool:
        return isinstance(name, str) and find(self.properties, name) is not None

    def __iter__(self) -> Iterator[Property]:
        return iter(self.properties)

    def __len__(self) -> int:
        return len(self.properties)

    @property
    def scale(self) -> Scale | None:
        """How the template turns electrical values into physical ones, or
        None (scale_reason says why). A thermocouple's scale takes the cold
        junction's temperature when converting; scale_with gives the scale
        of a channel whose excitation or R0 is known."""
        found = scale_of(self._decoded, self.index, conditions_of())
        return None if isinstance(found, str) else found

    @property
    def scale_reason(self) -> str | None:
        """Why the template gives no scale; None when it gives one."""
        found = scale_of(self._decoded, self.index, conditions_of())
        return found if isinstance(found, str) else None

    def scale_with(self, cjc: Any = None, excitation: Any = None, r0: Any = None) -> Scale:
        """The scale given what the channel knows: the cold junction's
        temperature in degC, the excitation in V, an RTD's R0 in Ohm. Raises
        ScaleError, with the reason, when the template gives none."""
        found = scale_of(self._decoded, self.index, conditions_of(cjc, excitation, r0))
        if isinstance(found, str):
            raise ScaleError(found)
        return found

    def __repr__(self) -> str:
        return f"<Template {self.template_id} {self.name!r}: {len(self.properties)} properties>"


class Sensor:
    """A TEDS image decoded against templates: the Basic TEDS as attributes,
    the templates of its chain in order, and their properties by name.

    A Sensor does not change: encode() and write() give a new image and
    leave the sensor as it was read, so threads may share it.
    """

    __slots__ = ("_decoded", "_templates", "manufacturer_id", "model_number", "version_letter", "version_number",
                 "serial_number", "layout")

    def __init__(self, decoded: Any) -> None:
        self._decoded = decoded
        self._templates: list[Template] | None = None
        (self.manufacturer_id, self.model_number, self.version_letter, self.version_number, self.serial_number,
         self.layout) = decoded.basic()

    @property
    def container(self) -> str:
        """The container the image was read from: "raw", "hex", "ted", "eeprom" or "bits"."""
        return self._decoded.container

    @property
    def image(self) -> Image:
        """The image as it was read."""
        return Image(self._decoded.data, self._decoded.bit_count)

    @property
    def templates(self) -> list[Template]:
        """The templates decoded, in image order."""
        if self._templates is None:
            self._templates = [Template(self._decoded, index, fields)
                               for index, fields in enumerate(self._decoded.templates())]
        return self._templates

    @property
    def properties(self) -> list[Property]:
        """Every property of every template, in image order."""
        return [prop for template in self.templates for prop in template.properties]

    def __getitem__(self, name: str) -> Property:
        """The first property of that name, searching the templates in order."""
        for template in self.templates:
            found = find(template.properties, name)
            if found is not None:
                return found
        raise not_found(name, "the sensor")

    def get(self, name: str, default: Any = None) -> Any:
        try:
            return self[name]
        except KeyError:
            return default

    def __contains__(self, name: object) -> bool:
        return isinstance(name, str) and self.get(name) is not None

    def names(self) -> list[str]:
        """Every property's name as a change names it, in image order."""
        return [name for template in self.templates for name, _ in walk(template.properties)]

    def to_dict(self, *, scale: bool = False, cjc: Any = None, excitation: Any = None, r0: Any = None) -> dict:
        """The document tedsdump --json writes for the image; with scale=True
        each template's "scale" as tedsdump --json --scale gives it."""
        return json.loads(self.to_json(scale=scale, cjc=cjc, excitation=excitation, r0=r0))

    def to_json(self, *, scale: bool = False, cjc: Any = None, excitation: Any = None, r0: Any = None) -> str:
        """to_dict() as the JSON text tedsdump --json writes."""
        return self._decoded.document(bool(scale), *conditions_of(cjc, excitation, r0))

    def trace(self) -> str:
        """What the decoder met on its way down the chain, as tedsdump --trace shows it."""
        return self._decoded.trace()

    def encode(self, changes: Changes = None, *, access: Access = Access.ID, strict: bool = False) -> Image:
        """The image with changes applied in order: a mapping of names to
        values, or (name, value) pairs. Values are Python values (a float in
        the property's unit, a datetime.date, an Enumeration or its index or
        text, None for "no value") or text as tedsedit --set takes it.
        access limits what may change; strict refuses a real off its
        field's grid instead of moving it there, with a note. Raises
        EncodeError with the problems when the edit is refused."""
        return Image(*self._decoded.encode(_settings(changes), _access(access), bool(strict)))

    def write(self, path: PathLike, changes: Changes = None, *, container: str | None = None,
              access: Access = Access.ID, strict: bool = False, upper_case: bool | None = None,
              hex_text: bool | None = None, pages: int | None = None) -> Image:
        """Encodes as encode() does and writes the image to path, in the
        container it was read from, spelled as it was, unless told
        otherwise. Nothing is written when the edit is refused."""
        image = self.encode(changes, access=access, strict=strict)
        decoded = self._decoded
        same = container is None
        content = image.to_container(
            decoded.container if same else container,
            upper_case=decoded.upper_case if upper_case is None else upper_case,
            hex_text=(decoded.hex_text if same else False) if hex_text is None else hex_text,
            pages=(decoded.pages if same else 0) if pages is None else pages)
        write_file(path, content)
        return image

    def __repr__(self) -> str:
        ids = [template.template_id for template in self.templates]
        return (f"<Sensor manufacturer {self.manufacturer_id}, model {self.model_number}, "
                f"serial {self.serial_number}, templates {ids}>")


def read(source: Any, templates: Any = None, *, container: str | None = None) -> Sensor:
    """Reads and decodes a sensor's TEDS.

    source: a path to a file; bytes, a bytearray or a memoryview holding a
    container's content; a numpy array or a list of bits (0 and 1, least
    significant bit of the first byte first, as a DAQ driver returns them)
    or of bytes. The container (raw, hex text, a virtual TEDS file, an EEPROM
    dump, bits) is worked out from the content unless container names it.

    templates: None for the package's IEEE standard templates, a Templates,
    or a template file path or list of paths loaded after the standard ones.

    Raises ReadError when the source holds no TEDS image.
    """
    content, named, source_name = content_of(source, container)
    chosen = templates_for(templates)
    try:
        decoded = _native.decode(chosen._native, content, named)
    except ReadError as error:
        raise ReadError(f"{source_name} {error}") from None
    return Sensor(decoded)


def encode_document(document: Any, templates: Any = None, changes: Changes = None, *,
                    access: Access = Access.ID, strict: bool = False) -> Image:
    """The image a document states (a dict as to_dict() gives, or its JSON
    text), with changes applied, as tedsedit --from-json writes it."""
    if isinstance(document, Mapping):
        document = json.dumps(document)
    if not isinstance(document, str):
        raise InputTypeError(f"a document is a dict or JSON text, not {type(document).__name__}")
    data, bits, notes, *_ = _native.encode_document(templates_for(templates)._native, document, _settings(changes),
                                                    _access(access), bool(strict))
    return Image(data, bits, notes)
