#!/usr/bin/env python3
"""Writes the example data files of this folder:

  sales.dat, sales-new.dat  two months of the tea shop's sales file
                            (examples/sales.fmt, examples/sales-records.fmt)
  beep.wav                  a tiny PCM WAV file (examples/wav-header.fmt)

The files are committed; this script shows how they are made and remakes them.

usage: python3 examples/make-examples.py [FOLDER]   (default: beside this script)
"""
import io
import os
import struct
import sys
import wave

# Sales file: a 32-byte header, then one 32-byte record per sale. Numbers are
# stored most significant byte first; product names are Shift_JIS text padded
# with blanks.


def sales_header(year, month, count):
    return struct.pack(">24sh2sl", b"TEA SHOP SALES".ljust(24), year,
                       b"%02d" % month, count)


def sale(code, name, qty, price):
    return struct.pack(">6s12shll4s", code.encode("ascii"),
                       name.encode("cp932").ljust(12), qty, price, qty * price,
                       bytes(4))


APRIL = [("G-0001", "緑茶", 12, 800),
         ("M-0002", "抹茶", 3, 2400),
         ("H-0003", "ほうじ茶", 7, 650)]

MAY = [("G-0001", "緑茶", 15, 800),
       ("M-0002", "抹茶", 3, 2400),
       ("K-0004", "玄米茶", 4, 500)]


def sales_file(year, month, sales):
    return sales_header(year, month, len(sales)) + b"".join(sale(*s) for s in sales)


# beep.wav: one channel, 16-bit samples, 8000 frames a second, eight samples
# of a square wave.
BEEP = (3000, 3000, -3000, -3000, 3000, 3000, -3000, -3000)


def beep_wav():
    buffer = io.BytesIO()
    with wave.open(buffer, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(8000)
        w.writeframes(struct.pack("<8h", *BEEP))
    return buffer.getvalue()


def all_files():
    return {"sales.dat": sales_file(2024, 4, APRIL),
            "sales-new.dat": sales_file(2024, 5, MAY),
            "beep.wav": beep_wav()}


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for name, data in all_files().items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
