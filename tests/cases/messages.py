"""Messages on standard error: arguments are inserted as they stand, and a
message is cut at 1,024 characters."""
from vesk_e2e import Case


def not_found(name, args, err):
    return Case(name, args, stdout=b"", stderr=err, status=1)


# A text of n bytes that names no file (longer than a file name may be).
def long_name(n):
    return "n" * n


CASES = [
    # The argument is not edited: its "%" and backslash come out unchanged.
    not_found("argument-with-percent-and-backslash", ["-Z%d\\n"], b"-Z%d\\n: invalid option\n"),
    not_found("shift-jis-argument", [b"\x95\x5c.dat"], b"\x95\x5c.dat: not found\n"),
    # 1,012 + 12 characters: the whole message fits in 1,024.
    not_found("message-of-1024-characters", [long_name(1012)],
              long_name(1012).encode() + b": not found\n"),
    # One more: the text stops at 1,024 characters, before the line end.
    not_found("message-cut-at-1024", [long_name(1013)], long_name(1013).encode() + b": not found"),
    # A name that would pass 1,024 is cut to 1,024 - 256 characters.
    not_found("long-argument-cut-to-768", [long_name(2000)], long_name(768).encode() + b": not found\n"),
]
