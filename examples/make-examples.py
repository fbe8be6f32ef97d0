#!/usr/bin/env python3
"""Writes the example data files of this folder:

  sales.dat, sales-new.dat  two months of the tea shop's sales file
                            (examples/sales.fmt, examples/sales-records.fmt)
  beep.wav                  a tiny PCM WAV file (examples/wav-header.fmt)
  customer.dat, customer-new.dat
                            a customer master before and after a month's
                            changes (examples/customer.fmt)

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


# Customer master: fixed 128-byte records as a COBOL program wrote them.
# Numbers with a fraction are packed decimal (two digits a byte, the last
# nibble the sign: C plus, D minus) or zoned decimal (a digit a byte, the sign
# punched over the last digit: { A-I plus, } J-R minus); counters are binary,
# most significant byte first; names and addresses EUC-JP text padded with
# blanks.


def packed(value, length):
    """value (an integer in the smallest unit) as length bytes of packed decimal."""
    digits = "%0*d" % (2 * length - 1, abs(value))
    assert len(digits) == 2 * length - 1
    return bytes.fromhex(digits + ("d" if value < 0 else "c"))


def zoned(value, length, signed=True):
    """value as length ASCII digits, the sign over the last one when signed."""
    digits = "%0*d" % (length, abs(value))
    assert len(digits) == length
    if not signed:
        return digits.encode("ascii")
    last = int(digits[-1])
    over = ("}JKLMNOPQR" if value < 0 else "{ABCDEFGHI")[last]
    return (digits[:-1] + over).encode("ascii")


def customer(no, name, address, opened, rank, billday, balance, limit, lastpay, orders, visits, sales):
    """One record; the amounts in yen are given in sen (1/100 yen)."""
    rec = (packed(no, 4) + name.encode("euc_jp").ljust(24) + address.encode("euc_jp").ljust(40)
           + zoned(opened, 8, signed=False) + bytes([rank, billday])
           + packed(balance, 6) + packed(limit, 5) + zoned(lastpay, 9)
           + struct.pack(">hlq", orders, visits, sales) + b" " * 16)
    assert len(rec) == 128
    return rec


YAMADA = (1001, "山田太郎", "東京都千代田区丸の内1-1-1", 19980401, 3, 25)
SATO = (1002, "佐藤花子", "大阪府大阪市北区梅田2-4-9", 20050115, 5, 10, -150000, 100000000, -150000, 3, 41,
        1234567)
SUZUKI = (1003, "鈴木一郎", "名古屋市中区栄3-5-1", 20101201, 1, 31, 0, 10000000, 0, 0, 2, 0)
TAKAHASHI = (1004, "高橋美咲", "福岡市博多区博多駅前1-1", 20240301, 2, 5, 5000000, 30000000, 5000000, 1, 1,
             50000)

# A month later: Yamada's balance and counters have changed, Suzuki has left
# and Takahashi has come.
CUSTOMERS = [YAMADA + (12345678, 50000000, 3000000, 12, 340, 9876543), SATO, SUZUKI]
CUSTOMERS_NEW = [YAMADA + (9876543, 50000000, 2500000, 13, 351, 9900000), SATO, TAKAHASHI]


def customer_file(customers):
    return b"".join(customer(*c) for c in customers)


def all_files():
    return {"sales.dat": sales_file(2024, 4, APRIL),
            "sales-new.dat": sales_file(2024, 5, MAY),
            "beep.wav": beep_wav(),
            "customer.dat": customer_file(CUSTOMERS),
            "customer-new.dat": customer_file(CUSTOMERS_NEW)}


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for name, data in all_files().items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
