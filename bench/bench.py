#!/usr/bin/env python3
"""Times vesk against the tools a user would pick instead, on the inputs that
gen_inputs.py wrote, and prints the results as Markdown tables.

Each case runs vesk and its peer alternately (the order swapped every round,
so that load from other processes falls on both alike), output to /dev/null,
and reports the median wall time of each, the ratio vesk/peer, and the peak
memory of one more run of each under /usr/bin/time -v. A few rows have no
peer: they time vesk alone. It asserts nothing.

usage: bench.py VESK DATA_DIR [--reps N] [--slow-reps N] [--only TEXT]
"""
import argparse
import os
import platform
import re
import shlex
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
FMT = os.path.join(HERE, "records.fmt")
HEXDUMP_FMT = os.path.join(HERE, "records.hexdump")
CUSTOMERS_FMT = os.path.join(HERE, "customers.fmt")
DEEP_FMT = os.path.join(HERE, "deep.fmt")
IDS_FMT = os.path.join(HERE, "ids.fmt")


def run_once(argv):
    """Wall seconds and CPU seconds (user + system, children included) of one run."""
    start = time.perf_counter()
    proc = subprocess.Popen(argv, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(proc.pid, 0)
    wall = time.perf_counter() - start
    proc.returncode = os.waitstatus_to_exitcode(status)
    return wall, usage.ru_utime + usage.ru_stime, proc.returncode


def peak_kib(argv):
    """Maximum resident set size of one run, as /usr/bin/time -v reports it."""
    res = subprocess.run(["/usr/bin/time", "-v"] + argv, stdin=subprocess.DEVNULL,
                         stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    m = re.search(r"Maximum resident set size \(kbytes\): (\d+)", res.stderr)
    return int(m.group(1)) if m else -1


def shell(cmd):
    return ["bash", "-c", cmd]


class Case:
    """peer_argv None: vesk alone."""
    def __init__(self, group, name, vesk_args, peer_name, peer_argv, reps):
        self.group, self.name = group, name
        self.vesk_args, self.peer_name, self.peer_argv = vesk_args, peer_name, peer_argv
        self.reps = reps


def measure(vesk, case):
    vesk_argv = [vesk] + case.vesk_args
    v_wall, v_cpu, p_wall, p_cpu = [], [], [], []
    for r in range(case.reps):
        order = [(vesk_argv, v_wall, v_cpu, True)]
        if case.peer_argv is not None:
            order.append((case.peer_argv, p_wall, p_cpu, False))
        if r % 2:
            order.reverse()
        for argv, walls, cpus, is_vesk in order:
            wall, cpu, rc = run_once(argv)
            if is_vesk and rc != 0:
                sys.exit("vesk failed (status %d): %s" % (rc, shlex.join(argv)))
            walls.append(wall)
            cpus.append(cpu)
    solo = case.peer_argv is None
    return {
        "vesk_ms": statistics.median(v_wall) * 1000,
        "peer_ms": 0.0 if solo else statistics.median(p_wall) * 1000,
        "vesk_cpu": statistics.median(v_cpu) * 1000,
        "peer_cpu": 0.0 if solo else statistics.median(p_cpu) * 1000,
        "vesk_kib": peak_kib(vesk_argv),
        "peer_kib": -1 if solo else peak_kib(case.peer_argv),
    }


def plain_cases(d, reps, slow_reps):
    cases = []
    modes = [
        ("Shift_JIS", [], "text.sjis"),
        ("UTF-8 (-U)", ["-U"], "text.utf8"),
        ("EUC-JP (-E)", ["-E"], "text.euc"),
        ("ASCII (-A), random bytes", ["-A"], "random.bin"),
    ]
    for label, flags, name in modes:
        f = os.path.join(d, name)
        cases.append(Case("plain", label, flags + [f], "xxd", ["xxd", f], reps))
        cases.append(Case("plain", label, flags + [f], "od -A x -t x1z",
                          ["od", "-A", "x", "-t", "x1z", f], slow_reps))
        cases.append(Case("plain", label, flags + [f], "hexdump -C", ["hexdump", "-C", f], slow_reps))
    for label, flags, name in modes:
        f = os.path.join(d, name)
        cases.append(Case("plain", label + ", -C", ["-C"] + flags + [f], "xxd", ["xxd", f], reps))
    return cases


def formatted_cases(vesk, d, reps):
    f = os.path.join(d, "records.dat")
    peer = ["hexdump", "-f", HEXDUMP_FMT, f]
    listed = [vesk, "-v", "-f", FMT, f]
    return [
        Case("formatted", "list (-v -f)", ["-v", "-f", FMT, f], "hexdump -f records.hexdump", peer, reps),
        Case("formatted", "map (-m -f)", ["-m", "-f", FMT, f], "hexdump -f records.hexdump", peer, reps),
        # The records against the list form of the same blocks.
        Case("formatted", "JSON (--json -v -f)", ["--json", "-v", "-f", FMT, f], "vesk list (-v -f)", listed, reps),
        Case("formatted", "CSV (--csv -v -f)", ["--csv", "-v", "-f", FMT, f], "vesk list (-v -f)", listed, reps),
    ]


def records_memory_cases(d, reps):
    """The records of 1,000 and of 1,000,000 blocks: the same peak memory."""
    cases = []
    for form in ("--json", "--csv"):
        for n, label in ((1000, "1,000"), (1000000, "1,000,000")):
            f = os.path.join(d, "records-%d.dat" % n)
            cases.append(Case("records", "%s, %s records" % (form, label), ["--all", form, "-v", "-f", FMT, f],
                              "", None, reps))
    return cases


def compare_cases(d, reps):
    a = os.path.join(d, "compare-a.dat")
    b = os.path.join(d, "compare-b.dat")
    xdiff = "diff <(xxd %s) <(xxd %s) >/dev/null" % (shlex.quote(a), shlex.quote(b))
    cases = []
    for label, flags in (("list (-v -F)", ["-v"]), ("map (-m -F)", ["-m"])):
        args = flags + ["-F", FMT, "code", a, b]
        cases.append(Case("compare", label, args, "diff of two xxd dumps", shell(xdiff), reps))
        cases.append(Case("compare", label, args, "cmp -l", ["cmp", "-l", a, b], reps))
    return cases


def growth_cases(d, reps):
    return [Case("growth", "%d MiB" % mib, [os.path.join(d, "growth-%d.sjis" % mib)], "xxd",
                 ["xxd", os.path.join(d, "growth-%d.sjis" % mib)], reps) for mib in (1, 2, 4, 8)]


def customer_cases(d, reps, slow_reps):
    """The comparison of two large files against xxd on both and a diff of
    the dumps, at two sizes."""
    cases = []
    for n, label in ((100000, "100,000"), (1000000, "1,000,000")):
        a = os.path.join(d, "customers-%d-a.dat" % n)
        b = os.path.join(d, "customers-%d-b.dat" % n)
        xdiff = "diff <(xxd %s) <(xxd %s) >/dev/null" % (shlex.quote(a), shlex.quote(b))
        cases.append(Case("customers", label, ["--all", "--changes-only", "-F", CUSTOMERS_FMT, "id", a, b],
                          "diff of two xxd dumps", shell(xdiff), reps if n < 1000000 else slow_reps))
    return cases


def colliding_cases(vesk, d, reps):
    """Ids that collide in a weak hash (bench/colliding_ids.py) against
    ordinary ids of the same files' size: the peer is vesk on those."""
    cases = []
    for n, label in ((40000, "40,000"), (400000, "400,000")):
        def args(kind):
            return ["--all", "--changes-only", "-F", IDS_FMT, "id",
                    os.path.join(d, "ids-%s-%d-a.dat" % (kind, n)), os.path.join(d, "ids-%s-%d-b.dat" % (kind, n))]
        cases.append(Case("colliding", label, args("colliding"), "ordinary ids", [vesk] + args("plain"), reps))
        cases.append(Case("colliding", label + ", --summary", ["--summary"] + args("colliding"),
                          "ordinary ids", [vesk, "--summary"] + args("plain"), reps))
    return cases


def order_cases(vesk, d, slow_reps):
    """The second file shuffled, against the same records in order: the peer
    is vesk on the files in order."""
    a = os.path.join(d, "order-a.dat")
    in_order = ["--all", "--changes-only", "-F", IDS_FMT, "id", a, os.path.join(d, "order-b.dat")]
    shuffled = ["--all", "--changes-only", "-F", IDS_FMT, "id", a, os.path.join(d, "order-shuffled.dat")]
    return [Case("order", "1,000,000, second file shuffled", shuffled, "in order", [vesk] + in_order, slow_reps)]


def whole_file_cases(d, slow_reps):
    return [Case("whole", "%s, sparse" % size, ["--all", os.path.join(d, "sparse-%s.bin" % name)], "", None, slow_reps)
            for size, name in (("1 MiB", "1m"), ("1 GiB", "1g"))]


def far_block_cases(d, reps):
    """-n to the last block of a 2 GiB sparse file: vesk goes straight to it."""
    f = os.path.join(d, "sparse-2g.bin")
    last = "-n%X" % (2 * 1024 * 1024 * 1024 // 256 - 1)
    return [Case("far", "%s, %s" % (last, label), flags + [last, f], "", None, reps)
            for label, flags in (("Shift_JIS", []), ("-U", ["-U"]), ("-E", ["-E"]), ("-C", ["-C"]))]


def utf8_cases(vesk, d, reps):
    """--utf8 against the same run with --sjis."""
    runs = [
        ("plain, Shift_JIS text", ["text.sjis"]),
        ("plain, UTF-8 text (-U)", ["-U", "text.utf8"]),
        ("plain, EUC-JP text (-E)", ["-E", "text.euc"]),
        ("formatted list (-v -f)", ["-v", "-f", FMT, "records.dat"]),
    ]
    cases = []
    for label, args in runs:
        args = [os.path.join(d, a) if a.endswith((".sjis", ".utf8", ".euc", ".dat")) else a for a in args]
        cases.append(Case("utf8", label, ["--utf8"] + args, "vesk --sjis", [vesk, "--sjis"] + args, reps))
    return cases


def guess_cases(vesk, d, reps):
    """--guess against the plain dump of the same file under the letter that
    reads it (the default for Shift_JIS, and for random bytes as well as -A)."""
    runs = [
        ("Shift_JIS text", [], "text.sjis"),
        ("UTF-8 text", ["-U"], "text.utf8"),
        ("EUC-JP text", ["-E"], "text.euc"),
        ("ISO-2022-JP text", ["-J"], "text.jis"),
        ("random bytes", ["-A"], "random.bin"),
        ("random bytes", [], "random.bin"),
    ]
    cases = []
    for label, flags, name in runs:
        f = os.path.join(d, name)
        peer = "vesk " + " ".join(flags) if flags else "vesk (Shift_JIS)"
        cases.append(Case("guess", label, ["--guess", f], peer, [vesk] + flags + [f], reps))
    return cases


def color_cases(vesk, d, reps):
    """--color=always against the same run with --color=never."""
    runs = [
        ("plain, random bytes", ["random.bin"]),
        ("plain, random bytes (-A)", ["-A", "random.bin"]),
        ("plain, Shift_JIS text", ["text.sjis"]),
        ("plain, UTF-8 text (-U)", ["-U", "text.utf8"]),
        ("plain, EUC-JP text (-E)", ["-E", "text.euc"]),
        ("plain, Shift_JIS text, --utf8", ["--utf8", "text.sjis"]),
        ("formatted list (-v -f)", ["-v", "-f", FMT, "records.dat"]),
        ("comparison list (-v -F)", ["-v", "-F", FMT, "code", "compare-a.dat", "compare-b.dat"]),
    ]
    cases = []
    for label, args in runs:
        args = [os.path.join(d, a) if a.endswith((".sjis", ".utf8", ".euc", ".dat", ".bin")) else a for a in args]
        cases.append(Case("color", label, ["--color=always"] + args, "vesk --color=never",
                          [vesk, "--color=never"] + args, reps))
    return cases


def deep_cases(d, reps):
    f = os.path.join(d, "deep.bin")
    return [Case("deep", "list (-f)", ["-f", DEEP_FMT, f], "", None, reps),
            Case("deep", "map (-m -f)", ["-m", "-f", DEEP_FMT, f], "", None, reps)]


def table(rows):
    head = ["case", "peer", "vesk ms", "peer ms", "ratio", "cpu ratio", "vesk KiB", "peer KiB"]
    out = ["| " + " | ".join(head) + " |", "|" + "|".join("---" for _ in head) + "|"]
    for case, r in rows:
        cells = [case.name, case.peer_name, "%.1f" % r["vesk_ms"], "%.1f" % r["peer_ms"],
                 "%.2f" % (r["vesk_ms"] / r["peer_ms"]), "%.2f" % (r["vesk_cpu"] / max(r["peer_cpu"], 1e-3)),
                 str(r["vesk_kib"]), str(r["peer_kib"])]
        out.append("| " + " | ".join(cells) + " |")
    return "\n".join(out)


def growth_table(rows):
    """Time per MiB from CPU time, which load from other processes disturbs less than wall time."""
    head = ["input", "vesk ms", "vesk cpu ms", "cpu ms per MiB", "xxd ms", "ratio", "vesk KiB", "xxd KiB"]
    out = ["| " + " | ".join(head) + " |", "|" + "|".join("---" for _ in head) + "|"]
    for case, r in rows:
        mib = int(case.name.split()[0])
        cells = [case.name, "%.1f" % r["vesk_ms"], "%.1f" % r["vesk_cpu"], "%.1f" % (r["vesk_cpu"] / mib),
                 "%.1f" % r["peer_ms"], "%.2f" % (r["vesk_ms"] / r["peer_ms"]),
                 str(r["vesk_kib"]), str(r["peer_kib"])]
        out.append("| " + " | ".join(cells) + " |")
    return "\n".join(out)


def customer_table(rows):
    """Growth of the comparison with the number of records: CPU time per
    100,000 records, which load from other processes disturbs less than wall time."""
    head = ["records", "vesk ms", "vesk cpu ms", "cpu ms per 100,000", "peer ms", "ratio", "vesk KiB", "peer KiB"]
    out = ["| " + " | ".join(head) + " |", "|" + "|".join("---" for _ in head) + "|"]
    for case, r in rows:
        n = int(case.name.replace(",", ""))
        cells = [case.name, "%.1f" % r["vesk_ms"], "%.1f" % r["vesk_cpu"], "%.1f" % (r["vesk_cpu"] * 100000 / n),
                 "%.1f" % r["peer_ms"], "%.2f" % (r["vesk_ms"] / r["peer_ms"]),
                 str(r["vesk_kib"]), str(r["peer_kib"])]
        out.append("| " + " | ".join(cells) + " |")
    return "\n".join(out)


def solo_table(rows):
    head = ["case", "vesk ms", "vesk cpu ms", "vesk KiB"]
    out = ["| " + " | ".join(head) + " |", "|" + "|".join("---" for _ in head) + "|"]
    for case, r in rows:
        cells = [case.name, "%.1f" % r["vesk_ms"], "%.1f" % r["vesk_cpu"], str(r["vesk_kib"])]
        out.append("| " + " | ".join(cells) + " |")
    return "\n".join(out)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("vesk")
    ap.add_argument("data")
    ap.add_argument("--reps", type=int, default=9, help="rounds per case with a fast peer")
    ap.add_argument("--slow-reps", type=int, default=3, help="rounds per case against od and hexdump -C")
    ap.add_argument("--only", help="run only the groups whose title contains this text")
    a = ap.parse_args()

    groups = [
        ("Plain dump, 8 MiB (32,768 blocks of 256 bytes)", plain_cases(a.data, a.reps, a.slow_reps), table),
        ("Formatted dump, 32,768 records of 68 bytes", formatted_cases(a.vesk, a.data, a.reps), table),
        ("Records out: --json and --csv with --all, memory", records_memory_cases(a.data, a.slow_reps), solo_table),
        ("Comparison, two files of 5,000 records, 50 changed", compare_cases(a.data, a.reps), table),
        ("Growth, plain dump of Shift_JIS text", growth_cases(a.data, a.reps), growth_table),
        ("Large comparison: vesk --all --changes-only -F, records of 128 bytes; "
         "1% changed, 0.5% deleted, 0.5% inserted, 10% moved", customer_cases(a.data, a.reps, a.slow_reps),
         customer_table),
        ("Comparison of ids that collide in FNV-1a's low 22 bits: vesk --all --changes-only -F, "
         "records of 16 bytes, 1% changed; peer: vesk on ordinary ids", colliding_cases(a.vesk, a.data, a.reps),
         table),
        ("Comparison of a shuffled second file: vesk --all --changes-only -F, records of 16 bytes, 1% changed; "
         "peer: vesk on the same records in order", order_cases(a.vesk, a.data, a.reps), table),
        ("Whole files: plain dump with --all, memory", whole_file_cases(a.data, a.slow_reps), solo_table),
        ("One far block: -n to the last block of a 2 GiB sparse file", far_block_cases(a.data, a.reps),
         solo_table),
        ("UTF-8 report: --utf8 against --sjis", utf8_cases(a.vesk, a.data, a.reps), table),
        ("Color: --color=always against --color=never", color_cases(a.vesk, a.data, a.reps), table),
        ("Format file with empty structures nested four deep, 32,767 copies each, 256 one-byte blocks",
         deep_cases(a.data, a.reps), solo_table),
        ("Which code: --guess against the plain dump of the same 8 MiB", guess_cases(a.vesk, a.data, a.reps), table),
    ]
    load = os.getloadavg()
    print("vesk benchmark: %s, %d cores, load %.1f %.1f %.1f at start; medians of %d rounds "
          "(%d against od and hexdump -C)\n" % (platform.machine(), os.cpu_count(), *load, a.reps, a.slow_reps))
    for title, cases, make_table in groups:
        if a.only and a.only.lower() not in title.lower():
            continue
        rows = []
        for case in cases:
            rows.append((case, measure(a.vesk, case)))
            print("  measured %s: %s vs %s" % (case.group, case.name, case.peer_name), file=sys.stderr)
        print("#### " + title + "\n")
        print(make_table(rows) + "\n", flush=True)
    print("ratio: vesk's median wall time / the peer's; cpu ratio: the same for user + system time. "
          "KiB: peak resident memory (/usr/bin/time -v). UTF-8 rows: the peer is vesk itself with --sjis; "
          "--guess rows: the plain dump of the same file; "
          "color rows: with --color=never.")


if __name__ == "__main__":
    main()
