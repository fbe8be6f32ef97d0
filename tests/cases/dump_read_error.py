from vesk_e2e import Case

# Reading /proc/self/mem at offset 0 fails with an I/O error: the run must not
# end as if the file had been dumped completely.
CASES = [
    Case("read-error-ends-with-status-1", ["/proc/self/mem"],
         stderr=b"/proc/self/mem: read error\n", status=1),
    Case("read-error-in-the-header", ["-h16", "/proc/self/mem"],
         stderr=b"/proc/self/mem: read error\n", status=1),
]
