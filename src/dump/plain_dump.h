// The plain dump: the header block, then the data blocks (fixed size, or
// ended by the -t/-x code), each cut into lines.
#pragma once

#include "common/byte_source.h"
#include "common/settings.h"
#include "output/report.h"

namespace vesk {

// Dumps the input into the report. Returns the exit status: 0, or 1 after a
// failed read (reported) or a failed write to the report.
int plain_dump(const Settings& settings, ByteSource& in, Report& report);

// Index just past the first occurrence of the code_len-byte end code in the
// first n bytes of buffer, or -1.
int find_eod(const unsigned char* buffer, const unsigned char* code, int code_len, int n);

}  // namespace vesk
