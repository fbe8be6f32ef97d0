// The plain dump driver.
#pragma once

namespace vesk {

// Dumps fp1: the header block, then the data blocks (fixed size, or ended by the
// -t/-x code), and ends the process with status 0. It does not return.
int plain_dump();

// Index just past the first occurrence of the eod_len-byte end code in the
// first n bytes of buffer, or -1.
int find_eod(const unsigned char* buffer, const unsigned char* code, int n);

}  // namespace vesk
