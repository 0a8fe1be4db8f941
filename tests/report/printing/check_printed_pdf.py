#!/usr/bin/env python3
"""Reads a printed report's PDF back and checks it against what the program
said its pages hold.

    check_printed_pdf.py PDF EXPECTED PNG_PREFIX

EXPECTED (Shift-JIS, as the program writes it): a line "pages N", then lines
"page P TEXT": TEXT must stand on page P. The pages are also rendered to
PNG_PREFIX-N.png at 50 dpi (pdftoppm) for a person to look at.

Wine's PostScript driver sends its TrueType glyphs without their Unicode
names, so the PDF has no text a text extractor can read: each font's codes
are mapped back to characters here through the embedded subset's cmap
(code -> glyph) and the system font's own cmap (glyph -> character).
Exits 1 naming each text that is missing.
"""
import re
import struct
import subprocess
import sys
import zlib

SYSTEM_FONTS = ["/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
                "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf"]


def lzw_decode(data):
    out = bytearray()
    table = [bytes([i]) for i in range(256)] + [b"", b""]
    width, position, total = 9, 0, len(data) * 8
    number = int.from_bytes(data, "big")
    previous = None
    while position + width <= total:
        code = (number >> (total - position - width)) & ((1 << width) - 1)
        position += width
        if code == 256:
            table = table[:258]
            width, previous = 9, None
            continue
        if code == 257:
            break
        if previous is None:
            entry = table[code]
        elif code < len(table):
            entry = table[code]
            table.append(previous + entry[:1])
        else:
            entry = previous + previous[:1]
            table.append(entry)
        out += entry
        previous = entry
        if len(table) + 1 >= (1 << width) and width < 12:
            width += 1
    return bytes(out)


class Pdf:
    def __init__(self, path):
        self.data = open(path, "rb").read()
        self.objects = {int(n): body for n, body in re.findall(rb"(\d+) 0 obj(.*?)endobj", self.data, re.S)}

    def stream(self, number):
        body = self.objects[number]
        match = re.search(rb"<<(.*?)>>\s*stream\r?\n", body, re.S)
        length = re.search(rb"/Length (\d+) 0 R", match.group(1))
        if length:
            length = int(re.search(rb"(\d+)", self.objects[int(length.group(1))]).group(1))
        else:
            length = int(re.search(rb"/Length (\d+)", match.group(1)).group(1))
        raw = body[match.end():match.end() + length]
        if b"/LZWDecode" in match.group(1):
            return lzw_decode(raw)
        if b"/FlateDecode" in match.group(1):
            return zlib.decompress(raw)
        return raw

    def pages(self):
        found = [(n, b) for n, b in sorted(self.objects.items()) if re.search(rb"/Type\s*/Page\b", b)]
        kids = re.search(rb"/Kids\s*\[(.*?)\]", next(b for _, b in sorted(self.objects.items())
                                                   if re.search(rb"/Type\s*/Pages\b", b)), re.S)
        order = [int(n) for n in re.findall(rb"(\d+) 0 R", kids.group(1))]
        by_number = dict(found)
        return [(n, by_number[n]) for n in order if n in by_number]


def cmap_format4(font, platform, encoding):
    tables = {}
    for i in range(struct.unpack(">H", font[4:6])[0]):
        tag, _, offset, length = struct.unpack(">4sIII", font[12 + 16 * i:28 + 16 * i])
        tables[tag] = (offset, length)
    offset = tables[b"cmap"][0]
    cmap = font[offset:]
    mapping = {}
    for i in range(struct.unpack(">H", cmap[2:4])[0]):
        pid, eid, sub = struct.unpack(">HHI", cmap[4 + 8 * i:12 + 8 * i])
        if (pid, eid) != (platform, encoding) or struct.unpack(">H", cmap[sub:sub + 2])[0] != 4:
            continue
        t = cmap[sub:]
        segments = struct.unpack(">H", t[6:8])[0] // 2
        ends = struct.unpack(">%dH" % segments, t[14:14 + 2 * segments])
        starts = struct.unpack(">%dH" % segments, t[16 + 2 * segments:16 + 4 * segments])
        deltas = struct.unpack(">%dh" % segments, t[16 + 4 * segments:16 + 6 * segments])
        range_at = 16 + 6 * segments
        ranges = struct.unpack(">%dH" % segments, t[range_at:range_at + 2 * segments])
        for s in range(segments):
            for code in range(starts[s], ends[s] + 1):
                if code == 0xFFFF:
                    continue
                if ranges[s] == 0:
                    glyph = (code + deltas[s]) & 0xFFFF
                else:
                    at = range_at + 2 * s + ranges[s] + 2 * (code - starts[s])
                    glyph = struct.unpack(">H", t[at:at + 2])[0]
                    if glyph:
                        glyph = (glyph + deltas[s]) & 0xFFFF
                if glyph:
                    mapping[code] = glyph
    return mapping


def system_glyph_characters():
    for path in SYSTEM_FONTS:
        try:
            font = open(path, "rb").read()
        except OSError:
            continue
        characters = {}
        for code, glyph in sorted(cmap_format4(font, 3, 1).items(), reverse=True):
            characters[glyph] = chr(code)
        return characters
    sys.exit("no IPAGothic font to read the glyphs back with")


def font_decoders(pdf, glyph_characters):
    decoders = {}
    for number, body in pdf.objects.items():
        if not re.search(rb"/Type\s*/Font\b", body):
            continue
        descriptor = re.search(rb"/FontDescriptor (\d+) 0 R", body)
        file = descriptor and re.search(rb"/FontFile2 (\d+) 0 R", pdf.objects[int(descriptor.group(1))])
        if not file:
            continue
        subset = cmap_format4(pdf.stream(int(file.group(1))), 3, 0) or cmap_format4(pdf.stream(int(file.group(1))), 1, 0)
        decoders[number] = {code & 0xFF: glyph_characters.get(glyph, "?") for code, glyph in subset.items()}
    return decoders


def literal_bytes(text):
    out, i = bytearray(), 0
    while i < len(text):
        c = text[i]
        if c == 0x5C:  # backslash
            i += 1
            e = text[i]
            if 0x30 <= e <= 0x37:
                digits = re.match(rb"[0-7]{1,3}", text[i:i + 3]).group(0)
                out.append(int(digits, 8) & 0xFF)
                i += len(digits)
                continue
            out += {ord("n"): b"\n", ord("r"): b"\r", ord("t"): b"\t", ord("b"): b"\b", ord("f"): b"\f"}.get(e, bytes([e]))
        else:
            out.append(c)
        i += 1
    return bytes(out)


# Characters that share one glyph in the font: read back as either.
SAME_GLYPH = str.maketrans({"\u301c": "\uff5e", "\u2015": "\u2014"})


def comparable(text):
    return re.sub(r"\s+", "", text).translate(SAME_GLYPH)


TOKEN = re.compile(rb"\((?:\\.|[^\\)])*\)|<[0-9A-Fa-f\s]*>|\[|\]|/[^\s/\[\]()<>]+|[^\s/\[\]()<>]+", re.S)


def page_text(pdf, page_body, decoders):
    resources = re.search(rb"/Font (\d+) 0 R", page_body)
    fonts = dict((name, int(n)) for name, n in re.findall(rb"/(\w+)\s+(\d+)\s+0\s+R", pdf.objects[int(resources.group(1))]))
    contents = [int(n) for n in re.findall(rb"(\d+) 0 R", re.search(rb"/Contents\s*(\[.*?\]|\d+ 0 R)", page_body, re.S).group(1))]
    text, decoder, operands = [], {}, []
    for number in contents:
        for token in TOKEN.findall(pdf.stream(number)):
            if token == b"Tf":
                decoder = decoders.get(fonts.get(operands[-2][1:], -1), {})
            elif token in (b"Tj", b"TJ", b"'", b'"'):
                for operand in operands:
                    if operand.startswith(b"("):
                        codes = literal_bytes(operand[1:-1])
                    elif operand.startswith(b"<"):
                        codes = bytes.fromhex(re.sub(rb"\s", b"", operand[1:-1]).decode())
                    else:
                        continue
                    text.append("".join(decoder.get(c, "?") for c in codes))
                text.append(" ")
            elif token in (b"Td", b"TD", b"Tm", b"T*", b"ET"):
                text.append(" ")
            if re.match(rb"[A-Za-z'\"*]+$", token) and token not in (b"true", b"false", b"null"):
                operands = []
            elif token not in (b"[", b"]"):
                operands.append(token)
    return re.sub(r"\s+", " ", "".join(text))


def main(pdf_path, expected_file, png_prefix):
    with open(expected_file, encoding="cp932") as source:
        lines = [line.rstrip("\r\n") for line in source if line.strip()]
    pdf = Pdf(pdf_path)
    decoders = font_decoders(pdf, system_glyph_characters())
    pages = pdf.pages()
    texts = {index + 1: page_text(pdf, body, decoders) for index, (_, body) in enumerate(pages)}
    faults = []
    want_pages = int(lines[0].split()[1])
    if len(pages) != want_pages:
        faults.append(f"the PDF has {len(pages)} pages, the report {want_pages}")
    for line in lines[1:]:
        _, page, text = line.split(" ", 2)
        page = int(page)
        # Texts drawn piece by piece come back with blanks between the pieces.
        if page not in texts or comparable(text) not in comparable(texts[page]):
            faults.append(f"page {page}: {text!r} missing")
    subprocess.run(["pdftoppm", "-r", "50", "-png", pdf_path, png_prefix], check=True)
    for fault in faults:
        print(fault)
    if faults:
        print("page 1 reads:", texts.get(1, "")[:600])
    print(f"{len(pages)} pages, {len(lines) - 1} texts checked, {len(faults)} missing")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:4]))
