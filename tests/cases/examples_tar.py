"""examples/tar-header.fmt on ustar archives made here with Python's tarfile:
one archive's header dumped, and two archives compared member by member with
-F and the id item name.

Every member is empty (no data blocks), so each archive is one header block a
member followed by the zero blocks that end it; -n0,2 keeps the headers."""
import io
import pathlib
import struct
import tarfile

from vesk_e2e import Case, lines

ROOT = pathlib.Path(__file__).resolve().parents[2]
FMT = (ROOT / "examples" / "tar-header.fmt").read_bytes()
T1 = 1711972800          # 2024-04-01 12:00 UTC
T2 = 1714564800          # 2024-05-01 12:00 UTC


def archive(members):
    buffer = io.BytesIO()
    with tarfile.open(fileobj=buffer, mode="w", format=tarfile.USTAR_FORMAT) as tar:
        for name, kind, mode, mtime in members:
            info = tarfile.TarInfo(name)
            info.type, info.mode, info.mtime = kind, mode, mtime
            info.uid, info.gid, info.uname, info.gname = 1000, 1000, "mika", "staff"
            tar.addfile(info)
    return buffer.getvalue()


OLD = archive([("docs", tarfile.DIRTYPE, 0o755, T1),
               ("notes.txt", tarfile.REGTYPE, 0o644, T1),
               ("old.txt", tarfile.REGTYPE, 0o644, T1)])
NEW = archive([("docs", tarfile.DIRTYPE, 0o755, T1),
               ("notes.txt", tarfile.REGTYPE, 0o600, T2),
               ("new.txt", tarfile.REGTYPE, 0o644, T1)])

# The displayed fields of the header: (offset, length, name, comment).
FIELDS = [(0x000, 32, "name", "member name"),
          (0x064, 8, "mode", "permissions, octal"),
          (0x06C, 8, "uid", "owner id, octal"),
          (0x074, 8, "gid", "group id, octal"),
          (0x07C, 12, "size", "data bytes, octal"),
          (0x088, 12, "mtime", "modified, octal seconds"),
          (0x094, 8, "chksum", "header sum, octal"),
          (0x09C, 1, "typeflag", "0: file, 5: folder"),
          (0x101, 6, "magic", "ustar and a NUL"),
          (0x107, 2, "version", "00"),
          (0x109, 32, "uname", "owner name"),
          (0x129, 32, "gname", "group name")]


def header(data, block):
    return data[512 * block:512 * (block + 1)]


# The ustar fields hold what the standard says they hold.
h = header(NEW, 1)
assert struct.unpack_from("100s8s", h)[1] == b"0000600\0"
assert h[0x88:0x94] == b"%011o\0" % T2 and h[0x9C:0x9D] == b"0"
assert h[0x101:0x109] == b"ustar\x0000" and h[0x109:0x10E] == b"mika\0"


def shown(raw):
    """A char value in the list form: printable ASCII as it is, others '.'."""
    return "".join(chr(b) if 0x20 <= b <= 0x7E else "." for b in raw)


def pad(text, col):
    assert len(text) <= col, (text, col)
    return text + " " * (col - len(text))


# Longest name name_rest (9), longest comment "modified, octal seconds" (23):
# the label is 9 + 3 + 23 columns from column 79 - 35 = 44.
def item(values, name, note):
    return pad(values, 44) + pad(name, 9) + " : " + pad(note, 23)


def value(hdr, offset, length):
    return "[%s] " % shown(hdr[offset:offset + length])


def whole_block(data, block):
    hdr = header(data, block)
    out = ["       block: %d  addr: %04X" % (block, 512 * block), pad("       tar header", 79)]
    for offset, length, name, note in FIELDS:
        out.append(item(" %04X: " % offset + value(hdr, offset, length), name, note))
    return out


def difference(out, a, b, field, is_id=False):
    """A difference line: the old value, room made for the new one (a line
    that would pass column 79 is written and a continuation line of seven
    blanks started, also for the id item, which shows its old value only),
    then the label."""
    offset, length, name, note = field
    line = " %04X: " % offset + value(a, offset, length)
    if len(line) + length + 6 > 79:
        out.append(line)
        line = " " * 7
    if not is_id:
        line += ": " + value(b, offset, length)
    out.append(item(line, name, note))


def pair(old_block, new_block):
    a, b = header(OLD, old_block), header(NEW, new_block)
    out = ["       block: %d  addr: %04X / block: %d  addr: %04X"
           % (old_block, 512 * old_block, new_block, 512 * new_block),
           pad("       tar header", 79)]
    # The 32-byte name leaves no room for a second value: its line wraps.
    difference(out, a, b, FIELDS[0], is_id=True)
    changed = False
    for field in FIELDS[1:]:
        offset, length = field[:2]
        if a[offset:offset + length] != b[offset:offset + length]:
            changed = True
            difference(out, a, b, field)
    if not changed:
        out.append("       NO UPDATED")
    return out


COMPARE = lines(" UPDATED DATA", *pair(0, 0), *pair(1, 1),
                "", " DELETED DATA", *whole_block(OLD, 2),
                "", " INSERTED DATA", *whole_block(NEW, 2))
# docs is unchanged; notes.txt changed its mode, its time and so its sum.
assert COMPARE.count(b"NO UPDATED") == 1 and b"[0000644.] : [0000600.]" in COMPARE

FILES = {"tar-header.fmt": FMT, "old.tar": OLD, "new.tar": NEW}

CASES = [
    Case("tar-first-header", ["-n1", "-f", "tar-header.fmt", "new.tar"], files=FILES,
         stdout=lines(*whole_block(NEW, 1))),
    Case("tar-compare-by-name", ["-n0,2", "-F", "tar-header.fmt", "name", "old.tar", "new.tar"],
         files=FILES, stdout=COMPARE),
]
