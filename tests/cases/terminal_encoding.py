"""The report's encoding when neither --utf8 nor --sjis is given: UTF-8 when
standard output is a terminal whose locale reads UTF-8, Shift_JIS on any other
terminal and to files and pipes, unless VESK_ENCODING (utf8 or sjis) sets
it. Either option overrides the choice.

The terminal is a pseudo-terminal (tests/e2e/on_terminal.py), started with
only the locale variables given here, and NO_COLOR, so that the encoding
alone is seen (color.py shows color on a terminal). C.UTF-8 must be installed (`locale -a`
lists it as C.utf8; Debian has it always).

The input is the README's first example: "Hello, World!" CR LF, the
Shift_JIS あ (82 A0) over the line end, ABC, 00 01. Its dump, by the plain
dump's rules: columns 0-11 the prefix, the hex groups from 13, "| " at 53,
the characters from 55; あ starts on the first line's last byte and stands
in the blank column before the bar, so the second line leaves that column
blank. In UTF-8 あ is E3 81 82 and still takes its two columns."""
import pathlib
import shlex

from vesk_e2e import PYTHON, Case

ON_TERMINAL = shlex.quote(str(pathlib.Path(__file__).resolve().parents[1] / "e2e" / "on_terminal.py"))
HELLO = {"hello.txt": b"Hello, World!\r\n\x82\xa0ABC\x00\x01"}


def dump(a):
    """The dump of hello.txt with a for あ."""
    return (b"              0 1  2 3  4 5  6 7  8 9  A B  C D  E F   0123456789ABCDEF\n"
            b" 0000 0000   4865 6c6c 6f2c 2057 6f72 6c64 210d 0a82 | Hello, World!.." + a + b"|\n"
            b"      0010   a041 4243 0001                          |  ABC..           |\n")


AS_UTF8 = dump("あ".encode("utf-8"))
AS_SJIS = dump(b"\x82\xa0")
assert "あ".encode("utf-8") == b"\xe3\x81\x82"


def on_terminal(locale, args):
    """A shell line that runs vesk with args on a terminal of that locale."""
    return f"{PYTHON} {ON_TERMINAL} NO_COLOR=1 {locale} -- {{vesk}} {args}"


# The locale is cleared, then set as given, for the runs that are not on a terminal.
CLEAN = "env -u LC_ALL -u LC_CTYPE -u LANGUAGE LANG=C.UTF-8"

CASES = [
    Case("utf8-terminal-gets-utf8", [], shell=on_terminal("LANG=C.UTF-8", "hello.txt"),
         files=HELLO, stdout=AS_UTF8),
    # LC_ALL overrides LANG.
    Case("c-locale-terminal-gets-sjis", [], shell=on_terminal("LANG=C.UTF-8 LC_ALL=C", "hello.txt"),
         files=HELLO, stdout=AS_SJIS),
    Case("terminal-without-locale-gets-sjis", [], shell=on_terminal("", "hello.txt"),
         files=HELLO, stdout=AS_SJIS),
    Case("pipe-gets-sjis-under-a-utf8-locale", [], shell=f"{CLEAN} {{vesk}} hello.txt | cat",
         files=HELLO, stdout=AS_SJIS),
    Case("file-gets-sjis-under-a-utf8-locale", [], shell=f"{CLEAN} {{vesk}} hello.txt > out; cat out",
         files=HELLO, stdout=AS_SJIS),
    # The options win, in either direction, wherever they stand.
    Case("sjis-option-wins-on-a-utf8-terminal", [], shell=on_terminal("LANG=C.UTF-8", "hello.txt --sjis"),
         files=HELLO, stdout=AS_SJIS),
    Case("utf8-option-wins-on-a-c-terminal", [], shell=on_terminal("LC_ALL=C", "--utf8 hello.txt"),
         files=HELLO, stdout=AS_UTF8),
    # Messages stay on standard error as they were, on any terminal.
    Case("message-on-a-utf8-terminal", [], shell=on_terminal("LANG=C.UTF-8", "-b33 hello.txt"),
         files=HELLO, stderr=b"33: invalid byte number\n", status=1),
    # VESK_ENCODING sets the default in place of the terminal's locale; the
    # options still win. Any other value is refused unless an option chose.
    Case("variable-utf8-to-a-pipe", [], shell=f"VESK_ENCODING=utf8 {CLEAN} {{vesk}} hello.txt | cat",
         files=HELLO, stdout=AS_UTF8),
    Case("variable-utf8-to-a-file", [], shell=f"VESK_ENCODING=utf8 {{vesk}} hello.txt > out; cat out",
         files=HELLO, stdout=AS_UTF8),
    Case("variable-sjis-on-a-utf8-terminal", [],
         shell=on_terminal("LANG=C.UTF-8 VESK_ENCODING=sjis", "hello.txt"), files=HELLO, stdout=AS_SJIS),
    Case("variable-utf8-on-a-c-terminal", [],
         shell=on_terminal("LC_ALL=C VESK_ENCODING=utf8", "hello.txt"), files=HELLO, stdout=AS_UTF8),
    Case("sjis-option-wins-over-the-variable", [], shell="VESK_ENCODING=utf8 {vesk} --sjis hello.txt",
         files=HELLO, stdout=AS_SJIS),
    Case("utf8-option-wins-over-the-variable", [], shell="VESK_ENCODING=sjis {vesk} hello.txt --utf8",
         files=HELLO, stdout=AS_UTF8),
    Case("variable-empty-is-unset", [], shell="VESK_ENCODING= {vesk} hello.txt", files=HELLO, stdout=AS_SJIS),
    Case("variable-other-value-refused", [], shell="VESK_ENCODING=UTF-8 {vesk} hello.txt", files=HELLO,
         stderr=b"VESK_ENCODING=UTF-8: invalid value (utf8 or sjis)\n", status=1),
    Case("variable-other-value-unread-after-an-option", [], shell="VESK_ENCODING=x {vesk} --sjis hello.txt",
         files=HELLO, stdout=AS_SJIS),
    Case("variable-sets-the-usage-text-too", [], shell="VESK_ENCODING=utf8 {vesk} -usage | head -n 1",
         stdout="ファイル内容をダンプします。\n".encode("utf-8")),
    # The usage text follows the report.
    Case("usage-on-a-utf8-terminal", [], shell=on_terminal("LANG=C.UTF-8", "-usage") + " | head -n 1",
         stdout="ファイル内容をダンプします。\n".encode("utf-8")),
]
