"""A real binary format: the header of a WAV file written by Python's wave
module, dumped with the example format file examples/wav-header.fmt."""
import io
import pathlib
import struct
import wave

from vesk_e2e import Case, lines

FMT = (pathlib.Path(__file__).resolve().parents[2] / "examples" / "wav-header.fmt").read_bytes()

# One channel, 16-bit samples, 8000 frames a second, 13 samples: the last
# block of four samples holds only one.
SAMPLES = (0, 1000, -1000, 32767, -32768, 1, -1, 2, 100, 200, 300, 400, 500)
_buffer = io.BytesIO()
with wave.open(_buffer, "wb") as _w:
    _w.setnchannels(1)
    _w.setsampwidth(2)
    _w.setframerate(8000)
    _w.writeframes(struct.pack("<13h", *SAMPLES))
WAV = _buffer.getvalue()
assert len(WAV) == 44 + 26 and WAV[:4] == b"RIFF" and WAV[36:40] == b"data"


def pad(text, col):
    assert len(text) <= col, (text, col)
    return text + " " * (col - len(text))


def title(block, addr):
    return f"       block: {block}  addr: {addr}"


def comment(text):
    return pad("       " + text, 79)


# Longest name 11 (sample_rate, block_align), longest comment 22: the label
# is 11 + 3 + 22 = 36 columns from column 43.
def item(values, name, note=""):
    return pad(values, 43) + pad(name, 11) + " : " + pad(note, 22)


LIST = lines(
    title(0, "0000"), comment("RIFF header"),
    item(" 0000: [RIFF] ", "riff", '"RIFF"'),
    item(" 0004: [62] ", "riff_size", "bytes after this field"),  # 36 + 26
    item(" 0008: [WAVE] ", "wave", '"WAVE"'),
    title(1, "000C"), comment("format chunk"),
    item(" 0000: [fmt ] ", "fmt_id", '"fmt "'),
    item(" 0004: [16] ", "fmt_size", "16 for PCM"),
    item(" 0008: [1] ", "format", "1: PCM"),
    item(" 000A: [1] ", "channels"),
    item(" 000C: [8000] ", "sample_rate", "frames a second"),
    item(" 0010: [16000] ", "byte_rate", "bytes a second"),
    item(" 0014: [2] ", "block_align", "bytes a frame"),
    item(" 0016: [16] ", "bits", "bits a sample"),
    title(2, "0024"), comment("data chunk"),
    item(" 0000: [data] ", "data_id", '"data"'),
    item(" 0004: [26] ", "data_size", "bytes of samples"),
    title(3, "002C"), comment("samples"), item(" 0000: [0] [1000] [-1000] [32767] ", "sample"),
    title(4, "0034"), comment("samples"), item(" 0000: [-32768] [1] [-1] [2] ", "sample"),
    title(5, "003C"), comment("samples"), item(" 0000: [100] [200] [300] [400] ", "sample"),
    title(6, "0044"), comment("samples"), item(" 0000: [500] ", "sample"),
    " [EOD]")


def row(prefix, *cells):
    line = prefix
    for col, text in cells:
        line = pad(line, col) + text
    return line


# The map reads little-endian numbers as they are. A value's text that would
# run into the next value (-32768 in two cells of three columns, then 1) shows
# the mark of a value too wide for its cells: "#" in all its columns but the
# last, which keeps the values apart.
MAP = lines(
    "             0  1  2  3  4  5  6  7  8  9  A  B  C  D  E  F  ",
    " [0000000]  size: 000C", comment("RIFF header"),
    row(" 0000 0000: ", (13, "R"), (16, "I"), (19, "F"), (22, "F"), (24, "62"),
        (37, "W"), (40, "A"), (43, "V"), (46, "E")),
    " [000000C]  size: 0018", comment("format chunk"),
    row(" 0001 0000: ", (13, "f"), (16, "m"), (19, "t"), (24, "16"), (36, "1"), (42, "1"),
        (48, "8000")),
    row("      0010: ", (12, "16000"), (24, "2"), (30, "16")),
    " [0000024]  size: 0008", comment("data chunk"),
    row(" 0002 0000: ", (13, "d"), (16, "a"), (19, "t"), (22, "a"), (24, "26")),
    " [000002C]  size: 0008", comment("samples"),
    row(" 0003 0000: ", (12, "0"), (18, "1000"), (24, "-1000"), (30, "32767")),
    comment("samples"), row(" 0004 0000: ", (12, "#####"), (18, "1"), (24, "-1"), (30, "2")),
    comment("samples"), row(" 0005 0000: ", (12, "100"), (18, "200"), (24, "300"), (30, "400")),
    comment("samples"), " 0006 0000: 500",
    " [EOD]")

CASES = [
    Case("wav-header-list", ["-v", "-f", "wav-header.fmt", "sound.wav"], stdout=LIST,
         files={"wav-header.fmt": FMT, "sound.wav": WAV}),
    Case("wav-header-map", ["-m", "-f", "wav-header.fmt", "sound.wav"], stdout=MAP,
         files={"wav-header.fmt": FMT, "sound.wav": WAV}),
]
