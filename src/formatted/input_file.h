// Reading an input file by positions counted from its start, whether it can
// seek or not: a pipe is read forward to a position that lies ahead.
#pragma once

#include <cstdio>

namespace vesk {

struct InputFile {
  std::FILE* fp = nullptr;
  const char* name = "";
  long long pos = 0;      // bytes from the start of the file where the next read begins
  bool seekable = false;
};

// Takes a file just opened (nothing read from it yet).
void input_attach(InputFile& in, std::FILE* fp, const char* name);

// Moves to position target. A file that cannot seek is read forward (to its
// end at most); going back in it is reported ("%s: cannot go back to offset
// %d in this input (not seekable)\n") and gives -1. Otherwise 0.
int input_seek(InputFile& in, long long target);

// Reads up to n bytes into buffer; returns the number read (0 at the end of
// the file). A read error is reported ("%s: read error\n") and ends the run
// with status 1.
int input_read(InputFile& in, unsigned char* buffer, int n);

}  // namespace vesk
