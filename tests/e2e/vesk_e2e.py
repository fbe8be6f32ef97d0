"""End-to-end case description for vesk.

A case file under tests/cases/ defines CASES, a list of Case. Each case names the
arguments, the input files it needs (written into a fresh folder that is the
working directory of the run), and the exact bytes expected on standard output
and standard error with the exit status.
"""
import shlex
import sys
from dataclasses import dataclass, field
from typing import Callable, Dict, List, Optional, Union

Arg = Union[str, bytes]

# This interpreter, for the helper scripts that a case's command line starts,
# without the site hooks (they only need the standard library, and the hooks
# of an installed Python can cost a tenth of a second at each start).
PYTHON = shlex.quote(sys.executable) + " -S"


@dataclass
class Case:
    name: str
    args: List[Arg]
    # None leaves a stream unchecked (only for generated inputs whose output is
    # not the point, such as random format files that must merely not crash).
    stdout: Optional[bytes] = b""
    stderr: Optional[bytes] = b""
    # An int, or a tuple of the statuses that are accepted.
    status: Union[int, tuple] = 0
    files: Dict[str, bytes] = field(default_factory=dict)
    # Standard input, through a pipe; None gives /dev/null.
    stdin: Optional[bytes] = None
    # Called with the run folder before the run, for inputs that are not plain
    # files (a folder, an unreadable file, a pipe).
    setup: Optional[Callable[[str], None]] = None
    # A command line run through the shell instead of args (for pipes); "{vesk}"
    # stands for the program.
    shell: Optional[str] = None


def sjis(text: str) -> bytes:
    """The Shift_JIS (CP932) bytes of a text."""
    return text.encode("cp932")


def lines(*texts: Union[str, bytes]) -> bytes:
    """Joins report lines, each followed by a newline. One join, not a sum:
    a report of 32768 lines would otherwise be copied once per line."""
    return b"".join((t.encode("latin-1") if isinstance(t, str) else t) + b"\n" for t in texts)


def quote(number: int, line: bytes, at: Union[int, bytes] = 0, note: bytes = b"") -> bytes:
    """The two lines vesk writes under a message about a line of a format
    file: " N | " and the line as shown, then "   | " and a caret under the
    word at fault (a column, or the first place where the given text stands
    in the line), followed by a blank and the note when there is one."""
    col = at if isinstance(at, int) else line.index(at)
    gutter = b" %d" % number
    caret = b" " * len(gutter) + b" | " + b" " * col + b"^" + (b" " + note if note else b"")
    return gutter + b" | " + line + b"\n" + caret + b"\n"
