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

// The small formatter behind errmsg: %c %d %x %f %s only, no widths or flags
// ("%5d" gives those three characters). Result lives in a static buffer that the
// next call overwrites.
const char* err_edit(const char* format, va_list args);

// "<format file>: <message>\n", or with " (line is N)" when line is not 0.
int def_error(const char* message, int line);

// size bytes, zero-filled; reports and ends the process with status 1 when the
// heap is exhausted.
void* getmem(std::size_t size);

// The report getmem writes when size bytes cannot be had: the size in K bytes
// (truncated) above 1000 bytes, else in bytes. Returns what errmsg returns.
int report_no_memory(std::size_t size);

// Sets length bytes of area to value; nothing when length <= 0.
void clear(void* area, int value, int length);

}  // namespace vesk
