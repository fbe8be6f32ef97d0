#!/usr/bin/env python3
"""Runs a command with its standard output on a pseudo-terminal and writes
what the terminal received to standard output.

usage: on_terminal.py [--input] [NAME=VALUE ...] -- COMMAND [ARG ...]

The locale variables (LANG, LANGUAGE and every LC_*) and those that switch
color (TERM, NO_COLOR) are taken out of the environment and then the
NAME=VALUE settings are put in, so the command sees only the locale and the
terminal it is given. The terminal is in raw mode: the bytes pass
unchanged (no CR before each line end). Standard error stays this script's
standard error (a command run as `sh -c 'exec 2>&1; ...'` puts it on the
terminal too); standard input is /dev/null, or the terminal with --input. The
exit status is the command's.
"""
import os
import subprocess
import sys
import tty


def main():
    argv = sys.argv[1:]
    if "--" not in argv or argv.index("--") == len(argv) - 1:
        print(__doc__, file=sys.stderr)
        return 2
    split = argv.index("--")
    settings, command = argv[:split], argv[split + 1:]
    terminal_input = "--input" in settings
    settings = [s for s in settings if s != "--input"]
    env = {k: v for k, v in os.environ.items()
           if not (k in ("LANG", "LANGUAGE", "TERM", "NO_COLOR") or k.startswith("LC_"))}
    for s in settings:
        name, _, value = s.partition("=")
        env[name] = value
    master, slave = os.openpty()
    tty.setraw(slave)
    proc = subprocess.Popen(command, stdin=slave if terminal_input else subprocess.DEVNULL, stdout=slave, env=env)
    os.close(slave)
    # Read while the command writes: a pseudo-terminal holds only a few KiB.
    received = bytearray()
    while True:
        try:
            chunk = os.read(master, 1 << 16)
        except OSError:  # EIO: every writer has closed the terminal
            break
        if not chunk:
            break
        received += chunk
    os.close(master)
    status = proc.wait()
    sys.stdout.buffer.write(received)
    sys.stdout.buffer.flush()
    return status if status >= 0 else 128 - status


if __name__ == "__main__":
    sys.exit(main())
