"""An independent reader of the project file (.fpj), written from the archive's byte rules alone.

Usage: fpj_reader.py FILE. Prints one JSON object: "fields", every value of the project's own data in
file order (strings as hex of their bytes; wide strings as "w:" and the hex of their UTF-16LE units),
and "end", the offset where that data ends. Whatever follows is not the reader's business.
"""
import json
import struct
import sys


class Reader:
    def __init__(self, data):
        self.data, self.pos = data, 0

    def take(self, n):
        if self.pos + n > len(self.data):
            raise ValueError("file ends early at %d" % self.pos)
        piece = self.data[self.pos:self.pos + n]
        self.pos += n
        return piece

    def u8(self): return self.take(1)[0]
    def u16(self): return struct.unpack("<H", self.take(2))[0]
    def u32(self): return struct.unpack("<I", self.take(4))[0]
    def i32(self): return struct.unpack("<i", self.take(4))[0]

    def length(self):
        n = self.u8()
        if n < 0xFF:
            return n, False
        n = self.u16()
        if n == 0xFFFE:
            return self.length()[0], True
        return (n, False) if n < 0xFFFF else (self.u32(), False)

    def string(self):
        n, wide = self.length()
        return "w:" + self.take(2 * n).hex() if wide else self.take(n).hex()

    def count(self):
        n = self.u16()
        return n if n < 0xFFFF else self.u32()


def main():
    r = Reader(open(sys.argv[1], "rb").read())
    fields = [r.i32()] + [r.string() for _ in range(7)] + [r.i32() for _ in range(8)]
    for _ in range(2):
        fields.append([r.string() for _ in range(r.i32())])
    fields += [r.string() for _ in range(4)] + [r.i32()] + [r.string() for _ in range(4)] + [r.i32()]
    items = r.count()
    fields.append(items)
    for i in range(items):
        if i == 0:
            tag, schema, size = r.u16(), r.u16(), r.u16()
            assert (tag, schema, r.take(size)) == (0xFFFF, 1, b"CRssItem"), "first item record"
        else:
            assert r.u16() == 0x8001, "item class reference"
        fields.append([r.i32(), r.string(), r.string(), r.string(), r.string(), r.i32(), r.string(), r.i32(),
                       r.string(), r.string()])
    json.dump({"fields": fields, "end": r.pos}, sys.stdout)


main()
