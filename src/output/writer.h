// The one buffered writer of standard output, and the one way to end the process.
#pragma once

#include <cstddef>

namespace vesk {

// Appends n bytes to the output buffer; the buffer is written out when full.
void out_write(const char* p, std::size_t n);
inline void out_char(char c) { out_write(&c, 1); }
// Writes out what is buffered; returns false when a write to standard output failed.
bool out_flush();

// Flushes standard output and ends the process. A failed write turns a status
// of 0 into 1, with a message on standard error.
[[noreturn]] void end_process(int status);

}  // namespace vesk
