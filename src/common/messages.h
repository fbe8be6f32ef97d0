// Messages on standard error, format-file error reports, and memory that never
// fails quietly.
#pragma once

#include <cstdarg>
#include <cstddef>

namespace vesk {

// Writes a message to standard error. When the format holds a "%", the text is
// built by err_edit; otherwise the format is written exactly as it stands.
// Returns the number of bytes written.
int errmsg(const char* format, ...);

// Room for what err_edit writes: 1,024 characters and the longest single
// conversion after them (a "%f" of the largest double is about 320).
constexpr int kEditLimit = 1024;
constexpr int kEditSize = kEditLimit + 512;

// The small formatter behind errmsg: %c %d %x %f %s only, no widths or flags
// ("%5d" gives those three characters). Writes into out and returns it.
const char* err_edit(char (&out)[kEditSize], const char* format, va_list args);

// Writes n bytes to standard error as they are: the lines that follow a
// message (they may be longer than errmsg's 1,024 characters).
void write_message(const char* text, std::size_t n);

// "<format file>: <message>\n", or with " (line is N)" when line is not 0.
// Returns 0.
int def_error(const char* fmt_name, const char* message, long long line);

// Memory could not be had: thrown where a large table grows, reported once at
// the top of the run ("cannot get the memory of ...") which then ends with
// status 1.
struct OutOfMemory {
  std::size_t size;
};

// The report of OutOfMemory: the size in K bytes (truncated) above 1000 bytes,
// else in bytes. Returns what errmsg returns.
int report_no_memory(std::size_t size);

}  // namespace vesk
