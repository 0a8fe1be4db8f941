"""dBase III tables as PelmoFree writes them: version 0x03, language driver
0x7B (Japanese, code page 932), names and texts in Shift-JIS.

Plain Python 3, standard library only. Used by tools/make_food_table.py and
tools/paste_check.py.
"""

import struct

LANGUAGE_JAPANESE = 0x7B


def _field_bytes(kind, width, value):
    if kind == "N":
        text = "" if value is None else str(value)
        raw = text.encode("ascii").rjust(width, b" ")
    else:
        raw = str(value).encode("cp932").ljust(width, b" ")
    if len(raw) != width:
        raise ValueError("%r does not fit in %d bytes" % (value, width))
    return raw


def table_bytes(fields, rows, updated=(2025, 1, 1)):
    """fields: (name, 'C' or 'N', width) in order; rows: tuples of values.

    The date of the last update is given, so that the same rows always give
    the same bytes."""
    row_length = 1 + sum(width for _, _, width in fields)
    header_length = 32 + 32 * len(fields) + 1
    year, month, day = updated
    out = bytearray(struct.pack("<BBBBIHH", 0x03, year - 1900, month, day, len(rows), header_length, row_length))
    out += bytes(17) + bytes([LANGUAGE_JAPANESE]) + bytes(2)
    for name, kind, width in fields:
        encoded = name.encode("cp932")
        if len(encoded) > 10:
            raise ValueError("field name %r is longer than 10 bytes" % name)
        out += encoded.ljust(11, b"\0") + kind.encode("ascii") + bytes(4) + bytes([width, 0]) + bytes(14)
    out += b"\x0d"
    for row in rows:
        out += b" " + b"".join(_field_bytes(kind, width, value) for (_, kind, width), value in zip(fields, row))
    out += b"\x1a"
    return bytes(out)
