#include "guess/guess_report.h"

#include <gtest/gtest.h>

#include <vector>

namespace vesk {
namespace {

// A count wider than its heading widens its column, in every row.
TEST(GuessTable, ColumnsAsWideAsTheirWidestEntry) {
  CodeGuess guess;
  const std::vector<unsigned char> chunk(1 << 16, 0xFF);
  long long left = 10000000;
  while (left > 0) {
    const int n = left < static_cast<long long>(chunk.size()) ? static_cast<int>(left) : static_cast<int>(chunk.size());
    guess.feed(chunk.data(), n, n);
    left -= n;
  }
  guess.finish();
  EXPECT_EQ(guess_table(guess, false),
            "code         decodes   invalid  first invalid  multibyte\n"
            "ASCII        no       10000000            0x0          0\n"
            "Shift_JIS    no       10000000            0x0          0\n"
            "EUC-JP       no       10000000            0x0          0\n"
            "ISO-2022-JP  no       10000000            0x0          0\n"
            "UTF-8        no       10000000            0x0          0\n"
            "NUL bytes: 0\n"
            "line ends: LF 0, CRLF 0, CR 0\n"
            "guess: binary (no code reads the whole file)\n");
}

}  // namespace
}  // namespace vesk
