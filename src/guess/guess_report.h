// --guess: in place of the dump, a table of how each input code reads the
// file, its NUL bytes and line ends, and the code to read it in.
#pragma once

#include "common/byte_source.h"
#include "common/settings.h"
#include "output/report.h"
#include "text/code_guess.h"

namespace vesk {

// Reads the whole input once and writes the table. Returns the exit status:
// 0, or 1 after a failed read (reported) or a failed write to the report.
int guess_report(const Settings& settings, ByteSource& in, Report& report);

// The lines of the table for what guess found (offsets in decimal under -D,
// else 0x and hexadecimal digits), each followed by a newline.
std::string guess_table(const CodeGuess& guess, bool decimal);

}  // namespace vesk
