#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the handmade portfolio files of item versions 1 to 8 used by the model tests.

Each file holds one item named "Item vN" with two quotations; the field values below are what
the tests expect after reading. Run it from this folder to regenerate the files."""
import struct

FIELDS = {
    1: ('s', None), 2: ('s', 'SYM'), 3: ('s', 'Notiz \xe9'), 4: ('d', 0), 5: ('s', 'Srv'),
    6: ('s', 'http://q.example/[&symbol]'), 7: ('d', 77), 8: ('s', '.'), 9: ('s', ';'), 10: ('d', 2),
    11: ('s', 'Kurs'), 12: ('d', 3), 13: ('d', 4), 14: ('d', 0), 15: ('d', 1), 16: ('s', r'(\d+)'),
    17: ('d', 2), 18: ('d', 1), 19: ('d', 3), 20: ('d', 4), 21: ('d', 5), 22: ('d', 1), 23: ('d', 6),
    24: ('d', 7), 25: ('d', 1), 26: ('d', 0), 27: ('d', 1), 28: ('f', 9.5), 29: ('f', 30.25),
    30: ('f', 12.5), 31: ('f', 7.0), 32: ('f', 11.75), 33: ('d', 0), 34: ('d', 1), 35: ('d', 2),
    36: ('d', 1), 37: ('d', 1000000000), 38: ('d', 1100000000), 39: ('d', 1), 40: ('d', 0),
    41: ('d', 0x123456), 42: ('q', None),
}

def r(a, b):
    return list(range(a, b + 1))

ORDER = {
    8: r(1, 42),
    7: r(1, 3) + r(5, 42),
    6: [1, 6, 8, 9, 2, 3, 5, 7] + r(10, 14) + r(25, 42),
    5: [1, 6, 8, 9, 2, 5, 7] + r(10, 14) + [25, 26, 28, 29] + r(31, 42),
    4: [1, 6, 8, 9, 2, 5, 7] + r(10, 14) + [25, 26, 28, 29] + r(31, 40) + [42],
    3: [1, 6, 8, 9, 2, 5, 7] + r(10, 14) + [25, 26, 28, 29, 31] + r(33, 40) + [42],
    2: [1, 6, 8, 9, 2, 5, 7] + r(10, 14) + [25, 26, 28, 29, 31] + r(33, 40) + [42],
    1: [1, 6, 2, 5, 7] + r(10, 14) + r(33, 40) + [42],
}

QUOTATIONS = [(1072915200, 12.5), (1073001600, 13.25)]

def string(text):
    data = text.encode('cp1252')
    assert len(data) < 255
    return bytes([len(data)]) + data

def item_body(version):
    out = b''
    for field in ORDER[version]:
        kind, value = FIELDS[field]
        if field == 1:
            out += string('Item v%d' % version)
        elif kind == 's':
            out += string(value)
        elif kind == 'd':
            out += struct.pack('<I', value)
        elif field == 31 and version == 2:
            out += struct.pack('<i', int(value))
        elif kind == 'f':
            out += struct.pack('<d', value)
        else:
            # The item took number 2 after its class (1); "CKurs" becomes class 3.
            out += struct.pack('<H', len(QUOTATIONS))
            for k, (time, value) in enumerate(QUOTATIONS):
                out += (struct.pack('<HHH', 0xFFFF, 1, 5) + b'Quotation') if k == 0 else struct.pack('<H', 0x8003)
                out += struct.pack('<id', time, value)
    return out

for version in range(1, 9):
    stream = struct.pack('<H', 1) + struct.pack('<HHH', 0xFFFF, version, 8) + b'PortfolioItem' + item_body(version)
    with open('version%d.tkr' % version, 'wb') as f:
        f.write(stream)
