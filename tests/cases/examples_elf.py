"""examples/elf64-header.fmt on a real ELF64 file: the vesk program under test.

The expected report is laid out here from the program file's own first 64
bytes, read with struct, by the rules of the list and map forms."""
import os
import pathlib
import struct
import sys

from vesk_e2e import Case, lines

ROOT = pathlib.Path(__file__).resolve().parents[2]
FMT = (ROOT / "examples" / "elf64-header.fmt").read_bytes()
# run_cases.py is started as: run_cases.py VESK CASEFILE; the program file is
# the real ELF64 file to dump.
VESK = os.path.abspath(sys.argv[1])
with open(VESK, "rb") as f:
    HEADER = f.read(64)
assert HEADER[:4] == b"\x7fELF" and HEADER[4] == 2 and HEADER[5] == 1, "not a little-endian ELF64 file"

(ident, e_type, machine, version, entry, phoff, shoff, flags, ehsize, phentsize,
 phnum, shentsize, shnum, shstrndx) = struct.unpack("<16sHHIQQQIHHHHHH", HEADER)
assert ehsize == 64


def low_high(v):
    return v & 0xFFFFFFFF, v >> 32


def pad(text, col):
    assert len(text) <= col, (text, col)
    return text + " " * (col - len(text))


# Longest name ident_version (13), longest comment 28 ("2: executable, 3:
# PIE or .so" and "section of the section names"): the label is 13 + 3 + 28
# columns from column 79 - 44 = 35, and every item line is 79 wide.
def item(offset, values, name, note=""):
    text = " %04X: " % offset + "".join("[%s] " % v for v in values)
    return pad(text, 35) + pad(name, 13) + " : " + pad(note, 28)


LIST = lines(
    "       block: 0  addr: 0000",
    pad("       ELF64 file header", 79),
    item(0x00, [ident[:4].hex()], "magic", "7f 45 4c 46: DEL E L F"),
    item(0x04, ["%02x" % ident[4]], "class", "2: 64-bit"),
    item(0x05, ["%02x" % ident[5]], "data", "1: little-endian"),
    item(0x06, ["%02x" % ident[6]], "ident_version", "1"),
    item(0x07, ["%02x" % ident[7]], "osabi", "0: System V, 3: Linux"),
    item(0x08, ["%02x" % ident[8]], "abiversion"),
    # ident_pad, bytes 9 to 15, is not displayed.
    item(0x10, [e_type], "type", "2: executable, 3: PIE or .so"),
    item(0x12, [machine], "machine", "62: x86-64, 183: arm64"),
    item(0x14, [version], "version", "1"),
    item(0x18, low_high(entry), "entry", "entry point: low, high"),
    item(0x20, low_high(phoff), "phoff", "program headers at"),
    item(0x28, low_high(shoff), "shoff", "section headers at"),
    item(0x30, [flags], "flags"),
    item(0x34, [ehsize], "ehsize", "size of this header: 64"),
    item(0x36, [phentsize], "phentsize", "size of a program header"),
    item(0x38, [phnum], "phnum", "number of program headers"),
    item(0x3A, [shentsize], "shentsize", "size of a section header"),
    item(0x3C, [shnum], "shnum", "number of section headers"),
    item(0x3E, [shstrndx], "shstrndx", "section of the section names"))


# Wide map, eight bytes a row: cell k of a row starts at column 12 + 4k; a
# value is written at its first byte's cell followed by one blank, a BYTE as
# two hex digits; the row's trailing blanks are cut.
def row(start, cells, block=0):
    line = list(" %04X %04X: " % (block, 0) if start == 0 else "      %04X: " % start)
    for k, text in cells:
        col = 12 + 4 * k
        line += " " * max(0, col + len(text) + 1 - len(line))
        line[col:col + len(text) + 1] = text + " "
    return "".join(line).rstrip(" ")


def num(v):
    return str(v)


MAP = lines(
    " " * 12 + "".join(" %X  " % i for i in range(8)),
    " [0000000]  size: 0040",
    pad("       ELF64 file header", 79),
    row(0x00, [(k, "%02x" % ident[k]) for k in range(8)]),
    row(0x08, [(0, "%02x" % ident[8])]),
    row(0x10, [(0, num(e_type)), (2, num(machine)), (4, num(version))]),
    row(0x18, [(0, num(low_high(entry)[0])), (4, num(low_high(entry)[1]))]),
    row(0x20, [(0, num(low_high(phoff)[0])), (4, num(low_high(phoff)[1]))]),
    row(0x28, [(0, num(low_high(shoff)[0])), (4, num(low_high(shoff)[1]))]),
    row(0x30, [(0, num(flags)), (4, num(ehsize)), (6, num(phentsize))]),
    row(0x38, [(0, num(phnum)), (2, num(shentsize)), (4, num(shnum)), (6, num(shstrndx))]))

CASES = [
    Case("elf-header-list", ["-v", "-f", "elf64-header.fmt", VESK],
         files={"elf64-header.fmt": FMT}, stdout=LIST),
    # The map reads numbers least significant byte first with or without -v.
    Case("elf-header-wide-map", ["-M", "-b8", "-f", "elf64-header.fmt", VESK],
         files={"elf64-header.fmt": FMT}, stdout=MAP),
]
