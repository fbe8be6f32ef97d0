#include "text/code_guess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "text/codec.h"

namespace vesk {
namespace {

using Bytes = std::basic_string<unsigned char>;

Bytes bytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

// The tally of a row as the dump reads the bytes: its codec's decoder, cell
// by cell from the start, nothing readable past the end.
CodeTally decoded(GuessRow row, const Bytes& in) {
  const Codec& codec = codec_of(guess_row_name(row).mode);
  CodeTally t;
  DecoderState state;
  const int n = static_cast<int>(in.size());
  for (int at = 0; at < n;) {
    const Cell c = codec.decode(state, in.data() + at, n - at);
    if (c.cls == CellClass::invalid) {
      if (t.invalid == 0) t.first_invalid = at;
      ++t.invalid;
    } else {
      if (c.len >= 2) ++t.multibyte;
      if (c.shows_character() && c.cls != CellClass::ascii) ++t.beyond_ascii;
    }
    at += c.len;
  }
  return t;
}

// The guess fed in chunks of `chunk` bytes, each with up to 3 bytes of
// look-ahead, as the report's driver feeds it.
CodeGuess guessed(const Bytes& in, int chunk) {
  CodeGuess g;
  const int n = static_cast<int>(in.size());
  for (int at = 0; at < n; at += chunk) {
    const int len = n - at < chunk ? n - at : chunk;
    const int avail = n - at < len + 3 ? n - at : len + 3;
    g.feed(in.data() + at, len, avail);
  }
  g.finish();
  return g;
}

// The tallies of g, fed all of in, are those of the decoders; how it was
// fed is named in the failure.
::testing::AssertionResult same_as_decoders(const CodeGuess& g, const Bytes& in, const std::string& fed) {
  for (int r = 0; r < kGuessRows; ++r) {
    const GuessRow row = static_cast<GuessRow>(r);
    const CodeTally want = decoded(row, in);
    const CodeTally got = g.tally(row);
    if (got.invalid != want.invalid || got.first_invalid != want.first_invalid || got.multibyte != want.multibyte ||
        got.beyond_ascii != want.beyond_ascii) {
      std::string hex;
      for (unsigned char b : in) hex += "0123456789abcdef"[b >> 4], hex += "0123456789abcdef"[b & 15], hex += ' ';
      return ::testing::AssertionFailure()
             << guess_row_name(row).name << " of " << hex << fed << ": invalid " << got.invalid
             << " (decoder " << want.invalid << "), first " << got.first_invalid << " (" << want.first_invalid
             << "), multibyte " << got.multibyte << " (" << want.multibyte << "), beyond ASCII " << got.beyond_ascii
             << " (" << want.beyond_ascii << ")";
    }
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult same_as_decoders(const Bytes& in, int chunk) {
  return same_as_decoders(guessed(in, chunk), in, "in chunks of " + std::to_string(chunk));
}

// The bytes where the codes differ: ends of their ranges, leads, escape
// sequences, line ends.
const unsigned char kEdges[] = {0x00, 0x0A, 0x0D, 0x1B, 0x20, 0x21, 0x24, 0x28, 0x40, 0x42, 0x49, 0x5F, 0x60,
                                0x7E, 0x7F, 0x80, 0x81, 0x8E, 0x8F, 0x9F, 0xA0, 0xA1, 0xBF, 0xC1, 0xC2, 0xDF,
                                0xE0, 0xE3, 0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xFC, 0xFD, 0xFE, 0xFF};

TEST(CodeGuess, CountsAsTheDecodersOnEveryOneAndTwoBytes) {
  for (int a = 0; a < 256; ++a) {
    ASSERT_TRUE(same_as_decoders(Bytes(1, static_cast<unsigned char>(a)), 1));
    for (int b = 0; b < 256; ++b)
      ASSERT_TRUE(same_as_decoders(Bytes{static_cast<unsigned char>(a), static_cast<unsigned char>(b)}, 2));
  }
}

TEST(CodeGuess, CountsAsTheDecodersOnThreeAndFourEdgeBytes) {
  for (unsigned char a : kEdges)
    for (unsigned char b : kEdges)
      for (unsigned char c : kEdges) ASSERT_TRUE(same_as_decoders(Bytes{a, b, c}, 3));
  // The leads of the longest sequences, and what may follow them.
  const unsigned char some[] = {0x1B, 0x24, 0x28, 0x42, 0x41, 0x80, 0x8F, 0xA0, 0xA1, 0xBF, 0xE0, 0xF0, 0xF4, 0xFE};
  for (unsigned char a : some)
    for (unsigned char b : some)
      for (unsigned char c : some)
        for (unsigned char d : some) ASSERT_TRUE(same_as_decoders(Bytes{a, b, c, d}, 2));
}

// Text in each code, with bytes changed, dropped and added, cut into chunks
// of every size from one byte: the counts do not hang on where a chunk ends.
TEST(CodeGuess, CountsAsTheDecodersOnDamagedTextInAnyChunks) {
  const std::string texts[] = {
      "ab\x82\xa0\x82\xa2\xb1 \x88\x9f\r\n",                            // Shift_JIS
      "ab\xa4\xa2\xa4\xa4\x8e\xb1 \x8f\xb0\xa1\xb0\xa1\n",              // EUC-JP, a kana, JIS X 0212
      "a\x1b$B$\"$$\x1b(I1\x1b$(D0!\x1b(Bz\x1b$@0!\x1b(J~\n",           // ISO-2022-JP in every shift
      "ab\xe3\x81\x82\xc3\xa9\xf0\x9f\x98\x80\xef\xbd\xb1\xc2\x85\n",   // UTF-8: kana, Latin, emoji, C1
      "\xef\xbb\xbf" "bom\n",
  };
  std::mt19937 rng(25);
  for (const std::string& text : texts) {
    for (int round = 0; round < 60; ++round) {
      Bytes in;
      for (int k = 0; k < 4; ++k) in += bytes(text);
      for (int k = 0; k < 3; ++k) {
        const std::size_t at = rng() % (in.size() + 1);
        const unsigned char b = kEdges[rng() % std::size(kEdges)];
        switch (rng() % 3) {
          case 0: if (at < in.size()) in[at] = b; break;
          case 1: if (at < in.size()) in.erase(at, 1); break;
          default: in.insert(at, 1, b);
        }
      }
      for (int chunk = 1; chunk <= 9; ++chunk) ASSERT_TRUE(same_as_decoders(in, chunk));
      ASSERT_TRUE(same_as_decoders(in, static_cast<int>(in.size()) + 1));
    }
  }
}

TEST(CodeGuess, CountsAsTheDecodersOnRandomBytesAcrossBlocks) {
  std::mt19937 rng(7);
  Bytes in;
  for (int i = 0; i < 20000; ++i) in += static_cast<unsigned char>(rng());
  EXPECT_TRUE(same_as_decoders(in, 1 << 16));
  EXPECT_TRUE(same_as_decoders(in, 4093));
  // Mostly JIS bytes, with escape sequences and so shifts all over.
  Bytes jis;
  const char* pieces[] = {"\x1b$B", "\x1b(B", "\x1b(I", "\x1b$(D", "\x1b", "!", "0", "~", "\n", "\xa4"};
  for (int i = 0; i < 20000; ++i) jis += bytes(pieces[rng() % std::size(pieces)]);
  EXPECT_TRUE(same_as_decoders(jis, 1 << 16));
  EXPECT_TRUE(same_as_decoders(jis, 4001));
}

// Long inputs that mix the kinds of run the scan takes its short cuts over
// (blocks of ASCII alone, text in each code, JIS in a shift for many blocks,
// random bytes, line ends), fed in pieces of random sizes: the counts are
// those of the decoders, and the bytes' own counts those of the bytes.
TEST(CodeGuess, CountsAsTheDecodersOnLongMixedInputsInRandomPieces) {
  const std::string texts[] = {
      "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x95\xb6\x8f\xcd\xb1\xb2 ",  // Shift_JIS
      "\xc6\xfc\xcb\xdc\xb8\xec\xa4\xce\x8e\xb1 ",                 // EUC-JP
      "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\xc3\xa9 ",             // UTF-8
      "\x1b$BF|K\\8l$N\x1b(B ",                                  // ISO-2022-JP
      "\x1b$BF|K\\8l$NJ8>O",                                      // left in the JIS X 0208 shift
      "\r\n",
      "\r",
  };
  std::mt19937 rng(2025);
  for (int round = 0; round < 16; ++round) {
    Bytes in;
    while (in.size() < 40000) {
      switch (rng() % 4) {
        case 0:  // ASCII, often more than a block
          for (int n = static_cast<int>(rng() % 9000); n > 0; --n) in += static_cast<unsigned char>(' ' + rng() % 95);
          break;
        case 1: {
          const std::string& text = texts[rng() % std::size(texts)];
          for (int n = static_cast<int>(rng() % 300); n >= 0; --n) in += bytes(text);
          break;
        }
        case 2:
          for (int n = static_cast<int>(rng() % 600); n > 0; --n) in += static_cast<unsigned char>(rng());
          break;
        default:
          in += kEdges[rng() % std::size(kEdges)];
      }
    }
    CodeGuess g;
    const int n = static_cast<int>(in.size());
    for (int at = 0; at < n;) {
      const int len = std::min(n - at, 1 + static_cast<int>(rng() % 9000));
      g.feed(in.data() + at, len, std::min(n - at, len + 3));
      at += len;
    }
    g.finish();
    for (int r = 0; r < kGuessRows; ++r) {
      const GuessRow row = static_cast<GuessRow>(r);
      const CodeTally want = decoded(row, in);
      const CodeTally got = g.tally(row);
      EXPECT_EQ(got.invalid, want.invalid) << guess_row_name(row).name << " round " << round;
      EXPECT_EQ(got.first_invalid, want.first_invalid) << guess_row_name(row).name << " round " << round;
      EXPECT_EQ(got.multibyte, want.multibyte) << guess_row_name(row).name << " round " << round;
      EXPECT_EQ(got.beyond_ascii, want.beyond_ascii) << guess_row_name(row).name << " round " << round;
    }
    ByteTally want;
    for (int i = 0; i < n; ++i) {
      want.nul += in[i] == 0;
      const bool after_cr = i > 0 && in[i - 1] == '\r';
      const bool before_lf = i + 1 < n && in[i + 1] == '\n';
      want.lf += in[i] == '\n' && !after_cr;
      want.crlf += in[i] == '\n' && after_cr;
      want.cr += in[i] == '\r' && !before_lf;
    }
    const ByteTally got = g.bytes();
    EXPECT_EQ(got.nul, want.nul) << round;
    EXPECT_EQ(got.lf, want.lf) << round;
    EXPECT_EQ(got.crlf, want.crlf) << round;
    EXPECT_EQ(got.cr, want.cr) << round;
  }
}

// JIS left in a shift of two-byte characters over random bytes, as random
// escapes leave it: runs of pair bytes of every length, odd ones cut by a
// byte above 0x7F, a control or an escape, across the 64-byte words the
// shift is counted in and across chunks; the first byte that is no
// character may lie far into the shift.
TEST(CodeGuess, CountsAsTheDecodersOnJisPairShiftsOverRandomBytes) {
  const char* escapes[] = {"\x1b$B", "\x1b$@", "\x1b$D", "\x1b(I", "\x1b(B", "\x1b(J", "\x1b", "\x1b$", "\x1b("};
  std::mt19937 rng(208);
  for (int round = 0; round < 8; ++round) {
    Bytes in;
    // From pair bytes alone for many words to random bytes alone.
    const unsigned odds_of_other = rng() % 5 == 0 ? 0 : 1 + rng() % 16;
    while (in.size() < 20000) {
      in += bytes(escapes[rng() % std::size(escapes)]);
      for (int n = static_cast<int>(rng() % 2000); n > 0; --n) {
        if (odds_of_other != 0 && rng() % odds_of_other == 0) {
          unsigned char b = static_cast<unsigned char>(rng());
          if (b == 0x1B && rng() % 8 != 0) b = 0xA4;  // an ESC now and then, as in random bytes
          in += b;
        } else {
          in += static_cast<unsigned char>(0x21 + rng() % 94);
        }
      }
    }
    for (int chunk : {1, 63, 64, 65, 4093, 1 << 16}) ASSERT_TRUE(same_as_decoders(in, chunk)) << "round " << round;
    CodeGuess g;
    const int n = static_cast<int>(in.size());
    for (int at = 0; at < n;) {
      const int len = std::min(n - at, 1 + static_cast<int>(rng() % 5000));
      g.feed(in.data() + at, len, std::min(n - at, len + 3));
      at += len;
    }
    g.finish();
    ASSERT_TRUE(same_as_decoders(g, in, "in random pieces")) << "round " << round;
  }
}

TEST(CodeGuess, LineEndsAndNulBytesAcrossChunks) {
  const Bytes in = bytes(std::string("a\r\nb\rc\n\r\r\n\0\n\r", 13));
  for (int chunk = 1; chunk <= 14; ++chunk) {
    const ByteTally t = guessed(in, chunk).bytes();
    EXPECT_EQ(t.nul, 1) << chunk;
    EXPECT_EQ(t.lf, 2) << chunk;    // after c, after the NUL
    EXPECT_EQ(t.crlf, 2) << chunk;  // after a, the second of the two CRs
    EXPECT_EQ(t.cr, 3) << chunk;    // after b, the first of the two, the last byte
  }
}

TEST(CodeGuess, Verdicts) {
  struct Case {
    const char* name;
    std::string in;
    Guess::Kind kind;
    GuessRow row;
  };
  const Case cases[] = {
      {"empty", "", Guess::Kind::code, GuessRow::ascii},
      {"ASCII", "Hi!\r\n", Guess::Kind::code, GuessRow::ascii},
      {"NUL", std::string("a\0b", 3), Guess::Kind::binary_nul, GuessRow::ascii},
      {"Shift_JIS", "\x82\xa0\x82\xa2\n", Guess::Kind::code, GuessRow::sjis},
      // Also two kana in Shift_JIS.
      {"EUC-JP", "\xa4\xa2\xa4\xa4\n", Guess::Kind::code, GuessRow::euc},
      {"UTF-8", "ab\xe3\x81\x82\n", Guess::Kind::code, GuessRow::utf8},
      {"UTF-8 BOM", "\xef\xbb\xbf" "a", Guess::Kind::code, GuessRow::utf8},
      {"JIS", "\x1b$B$\"\x1b(B\n", Guess::Kind::code, GuessRow::jis},
      {"JIS kana", "\x1b(I1\x1b(B", Guess::Kind::code, GuessRow::jis},
      // Escape sequences to ASCII alone shift to nothing beyond it.
      {"JIS to ASCII only", "\x1b(Babc", Guess::Kind::code, GuessRow::ascii},
      {"JIS pair cut", "\x1b$B$", Guess::Kind::code, GuessRow::ascii},
      // A UTF-8 character cut by the end is a Shift_JIS pair.
      {"UTF-8 cut short", "ab\xe3\x81", Guess::Kind::code, GuessRow::sjis},
      {"Latin-1", "caf\xe9 au lait\n", Guess::Kind::binary_no_code, GuessRow::ascii},
  };
  for (const Case& c : cases) {
    const CodeGuess g = guessed(bytes(c.in), 1 << 16);
    const Guess got = g.guess();
    EXPECT_EQ(got.kind, c.kind) << c.name;
    if (c.kind == Guess::Kind::code) {
      EXPECT_EQ(got.row, c.row) << c.name;
    }
  }
  EXPECT_TRUE(guessed(bytes("\xef\xbb\xbf" "a"), 1).utf8_bom());
  EXPECT_FALSE(guessed(bytes("\xef\xbb" "a"), 1).utf8_bom());
  EXPECT_FALSE(guessed(bytes("a\xef\xbb\xbf"), 1).utf8_bom());
}

}  // namespace
}  // namespace vesk
