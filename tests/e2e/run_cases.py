#!/usr/bin/env python3
"""Runs the end-to-end cases of one case file against a vesk binary.

usage: run_cases.py VESK CASEFILE [NAME-SUBSTRING]

VESK_E2E_WRAPPER, when set, is put in front of the program (for example
"valgrind -q --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite").
"""
import importlib.util
import os
import shlex
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))


SANITIZER_MARKERS = (b"ERROR: AddressSanitizer", b"runtime error:", b"ERROR: LeakSanitizer",
                     b"Invalid read", b"Invalid write", b"Conditional jump")


def load(path):
    mod_spec = importlib.util.spec_from_file_location("cases", path)
    mod = importlib.util.module_from_spec(mod_spec)
    mod_spec.loader.exec_module(mod)
    return mod.CASES


def show(label, want, got):
    out = [f"  {label} differs:"]
    wl = want.split(b"\n")
    gl = got.split(b"\n")
    for i in range(max(len(wl), len(gl))):
        w = wl[i] if i < len(wl) else None
        g = gl[i] if i < len(gl) else None
        if w != g:
            out.append(f"    line {i + 1}:")
            out.append(f"      want {w!r}")
            out.append(f"      got  {g!r}")
            if len(out) > 40:
                out.append("    ...")
                break
    return "\n".join(out)


def run_case(vesk, case, wrapper):
    with tempfile.TemporaryDirectory(prefix="vesk-e2e-") as tmp:
        for name, data in case.files.items():
            path = os.path.join(tmp, name)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "wb") as f:
                f.write(data)
        if case.setup:
            case.setup(tmp)
        # Without input of its own a case reads /dev/null, which is neither a
        # pipe nor a file: vesk does not take it for its input.
        stdin = {"input": case.stdin} if case.stdin is not None else {"stdin": subprocess.DEVNULL}
        if case.shell is not None:
            prog = " ".join(shlex.quote(w) for w in wrapper + [vesk])
            cmd = case.shell.replace("{vesk}", prog)
            proc = subprocess.run(cmd, shell=True, cwd=tmp, capture_output=True, timeout=300, **stdin)
        else:
            argv = wrapper + [vesk] + [a if isinstance(a, bytes) else a.encode() for a in case.args]
            proc = subprocess.run(argv, cwd=tmp, capture_output=True, timeout=300, **stdin)
    problems = []
    allowed = case.status if isinstance(case.status, tuple) else (case.status,)
    if proc.returncode not in allowed:
        problems.append(f"  status: want {case.status}, got {proc.returncode}")
    if case.stdout is not None and proc.stdout != case.stdout:
        problems.append(show("stdout", case.stdout, proc.stdout))
    if case.stderr is not None and proc.stderr != case.stderr:
        problems.append(show("stderr", case.stderr, proc.stderr))
    # A sanitizer or valgrind report fails the case whatever was expected.
    for marker in SANITIZER_MARKERS:
        if marker in proc.stderr:
            problems.append("  sanitizer report:\n" + proc.stderr.decode("latin-1")[-3000:])
            break
    return problems


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    vesk = os.path.abspath(sys.argv[1])
    cases = load(sys.argv[2])
    only = sys.argv[3] if len(sys.argv) > 3 else None
    wrapper = shlex.split(os.environ.get("VESK_E2E_WRAPPER", ""))
    # A "python3" in a case's command line is this interpreter, not a version
    # manager's launcher script that costs half a second at each start.
    os.environ["PATH"] = os.path.dirname(sys.executable) + os.pathsep + os.environ.get("PATH", "")
    # The report's encoding is what each case asks for, not the tester's.
    os.environ.pop("VESK_ENCODING", None)
    names = set()
    passed = failed = 0
    for case in cases:
        if case.name in names:
            print(f"duplicate case name: {case.name}")
            failed += 1
            continue
        names.add(case.name)
        if only and only not in case.name:
            continue
        problems = run_case(vesk, case, wrapper)
        if problems:
            failed += 1
            print(f"FAIL {case.name}")
            print("\n".join(problems))
        else:
            passed += 1
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
