#!/usr/bin/env python3
"""Makes docs/color.png, the picture of vesk in color that the README shows:
runs a few vesk commands in a tmux window, takes what the window shows with
its colors (tmux capture-pane -e) and draws it into a PNG.

usage: python3 tools/screenshot.py [VESK] [OUT]
       VESK defaults to build/vesk, OUT to docs/color.png.

Not a test, and not run by one: it needs tmux, Pillow (Debian: python3-pil)
and a Japanese font (Debian: fonts-vlgothic) besides DejaVu Sans Mono.
"""
import os
import re
import shlex
import subprocess
import sys
import tempfile
import time
import unicodedata

from PIL import Image, ImageDraw, ImageFont

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
COLUMNS, ROWS = 88, 42
COMMANDS = [
    "vesk -h32 -d32 examples/sales.dat",
    "vesk -F examples/sales-records.fmt code examples/sales.dat examples/sales-new.dat",
]
DONE = "[done]"

# A dark terminal theme (the Tango colors of many Linux terminals).
BACKGROUND = (0x1E, 0x1E, 0x1E)
FOREGROUND = (0xD3, 0xD7, 0xCF)
PALETTE = {30: (0x2E, 0x34, 0x36), 31: (0xEF, 0x29, 0x29), 32: (0x8A, 0xE2, 0x34), 33: (0xFC, 0xE9, 0x4F),
           34: (0x72, 0x9F, 0xCF), 35: (0xAD, 0x7F, 0xA8), 36: (0x34, 0xE2, 0xE2), 37: (0xEE, 0xEE, 0xEC)}
MONO = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"
MONO_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf"
JAPANESE = "/usr/share/fonts/truetype/vlgothic/VL-Gothic-Regular.ttf"
SIZE = 16
CELL_W, CELL_H = 10, 20


def capture(vesk):
    """What the tmux window shows after the commands: lines with SGR sequences."""
    script = "".join(f"printf '$ %s\\n' {shlex.quote(c)}; {c.replace('vesk', shlex.quote(vesk), 1)}; "
                     for c in COMMANDS)
    script += f"printf '{DONE}'; sleep 60"
    socket = os.path.join(tempfile.mkdtemp(prefix="vesk-shot-"), "tmux")
    tmux = ["tmux", "-u", "-S", socket]
    env = dict(os.environ, LANG="C.UTF-8", TERM="xterm-256color")
    subprocess.run(tmux + ["new-session", "-d", "-x", str(COLUMNS), "-y", str(ROWS), "-c", ROOT,
                           "sh", "-c", script], check=True, env=env)
    try:
        for _ in range(100):
            shown = subprocess.run(tmux + ["capture-pane", "-p"], capture_output=True, text=True).stdout
            if DONE in shown:
                break
            time.sleep(0.1)
        return subprocess.run(tmux + ["capture-pane", "-p", "-e"], capture_output=True, text=True).stdout
    finally:
        subprocess.run(tmux + ["kill-server"], capture_output=True)


def cells(text):
    """(row, column, character, color, bold) for every character shown."""
    out = []
    for row, line in enumerate(text.split("\n")[:ROWS]):
        col, color, bold, dim = 0, None, False, False
        for part in re.split(r"(\x1b\[[0-9;]*m)", line):
            m = re.fullmatch(r"\x1b\[([0-9;]*)m", part)
            if m:
                for p in (m.group(1) or "0").split(";"):
                    p = int(p or 0)
                    if p == 0:
                        color, bold, dim = None, False, False
                    elif p == 1:
                        bold = True
                    elif p == 2:
                        dim = True
                    elif p == 22:
                        bold = dim = False
                    elif 30 <= p <= 37:
                        color = p
                    elif p == 39:
                        color = None
                continue
            for ch in part:
                rgb = PALETTE[color] if color else FOREGROUND
                if dim:
                    rgb = tuple((a + b) // 2 for a, b in zip(rgb, BACKGROUND))
                out.append((row, col, ch, rgb, bold))
                col += 2 if unicodedata.east_asian_width(ch) in ("W", "F") else 1
    return out


def draw(shown, path):
    fonts = {False: ImageFont.truetype(MONO, SIZE), True: ImageFont.truetype(MONO_BOLD, SIZE)}
    japanese = ImageFont.truetype(JAPANESE, SIZE)
    rows = max(r for r, *_ in shown) + 1 if shown else 1
    image = Image.new("RGB", (COLUMNS * CELL_W + 2 * CELL_W, rows * CELL_H + CELL_H), BACKGROUND)
    pen = ImageDraw.Draw(image)
    for row, col, ch, rgb, bold in shown:
        if ch == " ":
            continue
        font = japanese if ord(ch) >= 0x2E80 else fonts[bold]
        pen.text((CELL_W + col * CELL_W, CELL_H // 2 + row * CELL_H), ch, font=font, fill=rgb)
    image.save(path)


def main():
    vesk = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build", "vesk"))
    out = sys.argv[2] if len(sys.argv) > 2 else os.path.join(ROOT, "docs", "color.png")
    text = capture(vesk).rstrip("\n")
    text = text[:text.rfind(DONE)].rstrip("\n") if DONE in text else text
    draw(cells(text), out)
    print(f"wrote {out}")


if __name__ == "__main__":
    sys.exit(main())
