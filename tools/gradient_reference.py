#!/usr/bin/env python3
"""Computes gradient markup cases independently of the program, for its tests.

Python's float is an IEEE double, int() truncates toward zero: the arithmetic
of the gradient. Writes tests/data/gradient_reference.txt, one case a line:
    <text as hex> <start COLORREF hex> <end COLORREF hex> <markup as hex>
Run from the repository root:  python3 tools/gradient_reference.py
"""
import random


def chars(data):
    out, i = [], 0
    while i < len(data):
        b = data[i]
        lead = 0x81 <= b <= 0x9F or 0xE0 <= b <= 0xFC
        step = 2 if lead and i + 1 < len(data) else 1
        out.append(data[i:i + step])
        i += step
    return out


def markup(data, start, end):
    cs = chars(data)
    n = len(cs)
    out = b""
    for i, c in enumerate(cs):
        rgb = []
        for shift in (0, 8, 16):
            s = (start >> shift) & 0xFF
            e = (end >> shift) & 0xFF
            if n < 2:
                v = s
            else:
                v = int((e - s) / (n - 1) * i + s)
            rgb.append(min(max(v, 0), 255))
        out += b'<font color="#%02x%02x%02x">' % tuple(rgb) + c + b"</font>"
    return out


def main():
    rng = random.Random(4242)
    pieces = [b"a", b"B", b"<", b"&", b" ", b"\"", b"\x82\xa0", b"\x8a\xbf", b"\x95\x5c",
              b"\xb1", b"\x83\x5c", b"9", b"\t"]
    cases = [
        (b"abc", 0x0000FF, 0xFF0000),
        (b"ab", 0x0000FF, 0xFF0000),
        (b"abcdefgh", 0x000004, 0x0000FF),
        (b"xyz", 0x123456, 0x123456),
        (b"a<b", 0x000000, 0xFFFFFF),
    ]
    while len(cases) < 80:
        text = b"".join(rng.choice(pieces) for _ in range(rng.randint(2, 40)))
        cases.append((text, rng.randint(0, 0xFFFFFF), rng.randint(0, 0xFFFFFF)))
    with open("tests/data/gradient_reference.txt", "w", newline="\n") as f:
        for text, start, end in cases:
            f.write("%s %06x %06x %s\n" % (text.hex(), start, end, markup(text, start, end).hex()))


if __name__ == "__main__":
    main()
