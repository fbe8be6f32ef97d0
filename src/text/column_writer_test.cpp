#include "text/column_writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "text/codec.h"
#include "text/color_column_writer.h"
#include "text/color_line16.h"
#include "text/decoders.h"

namespace vesk {
namespace {

// The character columns of the lines of line_bytes bytes each that the bytes
// make, in both encodings; a line that takes the column after its bytes (a
// pair begun in its last column) shows "+" there.
struct Lines {
  std::vector<std::string> sjis;
  std::vector<std::string> utf8;
};

template <class Encoder>
std::vector<std::string> columns_of(CharMode mode, const std::string& bytes, int line_bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const int total = static_cast<int>(bytes.size());
  ColumnState st;
  std::vector<std::string> out;
  for (int at = 0; at < total; at += line_bytes) {
    int n = total - at < line_bytes ? total - at : line_bytes;
    char buf[256];
    int cols = 0;
    int len = with_decoder(mode, [&]<class Decoder>() {
      return write_columns<Decoder, Encoder>(st, p + at, n, total - at, buf, &cols);
    });
    std::string line(buf, static_cast<std::size_t>(len));
    EXPECT_TRUE(cols == n || cols == n + 1) << line;
    if (cols == n + 1) line += "+";
    out.push_back(line);
  }
  return out;
}

Lines lines_of(CharMode mode, const std::string& bytes, int line_bytes) {
  return {columns_of<SjisEncoder>(mode, bytes, line_bytes), columns_of<Utf8Encoder>(mode, bytes, line_bytes)};
}

using V = std::vector<std::string>;

TEST(ColumnWriter, PairBegunInTheLastColumn) {
  // ① from the third byte of a line of three: it stands over the blank before
  // the bar; the next line leaves its first column blank.
  Lines l = lines_of(CharMode::sjis, "ab\x87\x40" "c", 3);
  EXPECT_EQ(l.sjis, (V{"ab\x87\x40+", " c"}));
  EXPECT_EQ(l.utf8, (V{"ab\xe2\x91\xa0 +", " c"}));
}

TEST(ColumnWriter, ThreeByteCharacterCut) {
  // あ (E3 81 82) with one byte on the line: shown whole over the blank
  // column; the next line shows a blank for its second byte and a point.
  Lines one = lines_of(CharMode::utf8, "AB\xe3\x81\x82" "C", 3);
  EXPECT_EQ(one.sjis, (V{"AB\x82\xa0+", " .C"}));
  EXPECT_EQ(one.utf8, (V{"AB\xe3\x81\x82+", " .C"}));
  // Two bytes on the line: the character fits; its point goes to the next line.
  Lines two = lines_of(CharMode::utf8, "\xe3\x81\x82" "B", 2);
  EXPECT_EQ(two.sjis, (V{"\x82\xa0", ".B"}));
}

TEST(ColumnWriter, EucSecondPlaneCut) {
  // 8F F3 F3 (FA 40) after one byte on the line: its point here, the pair on
  // the next line; after two, the pair stands over the blank column.
  EXPECT_EQ(lines_of(CharMode::euc, "A\x8f\xf3\xf3", 2).sjis, (V{"A.", "\xfa\x40"}));
  EXPECT_EQ(lines_of(CharMode::euc, "\x8f\xf3\xf3", 2).sjis, (V{".\xfa\x40+", " "}));
}

TEST(ColumnWriter, CharacterOverSeveralLines) {
  // 𠮟 (four bytes, Shift_JIS 98 73) one byte a line.
  Lines l = lines_of(CharMode::utf8, "\xf0\xa0\xae\x9f", 1);
  EXPECT_EQ(l.sjis, (V{"\x98\x73+", " ", ".", "."}));
  EXPECT_EQ(l.utf8, (V{"\xf0\xa0\xae\x9f+", " ", ".", "."}));
  // An emoji, which Shift_JIS lacks: points in Shift_JIS; in UTF-8 the
  // character over its first column and the blank after it.
  Lines e = lines_of(CharMode::utf8, "\xf0\x9f\x98\x80", 1);
  EXPECT_EQ(e.sjis, (V{".", ".", ".", "."}));
  EXPECT_EQ(e.utf8, (V{"\xf0\x9f\x98\x80+", " ", ".", "."}));
}

TEST(ColumnWriter, CutByTheEndOfTheBytes) {
  // Nothing to read past the data: a character cut there is no character.
  EXPECT_EQ(lines_of(CharMode::utf8, "a\xe3\x82", 16).sjis, (V{"a.."}));
  EXPECT_EQ(lines_of(CharMode::euc, "a\xa4", 16).sjis, (V{"a."}));
}

// Skipping lines moves the state on as writing them does.
TEST(ColumnWriter, SkipAgreesWithWrite) {
  const std::string bytes = "x\xe3\x81\x82y\xe3\x81\x82\xe3\x81\x82" "zz";
  for (int lb = 1; lb <= 5; ++lb) {
    for (int split = 0; split <= static_cast<int>(bytes.size()); split += lb) {
      const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
      const int total = static_cast<int>(bytes.size());
      ColumnState skipped;
      skip_columns<Utf8Decoder, SjisEncoder>(skipped, p, split, total, lb);
      ColumnState written;
      char buf[64];
      int cols;
      for (int at = 0; at < split; at += lb)
        write_columns<Utf8Decoder, SjisEncoder>(written, p + at, split - at < lb ? split - at : lb, total - at, buf, &cols);
      ASSERT_EQ(skipped.has_pending, written.has_pending) << lb << " " << split;
      if (written.has_pending) {
        EXPECT_EQ(skipped.from, written.from);
        EXPECT_EQ(skipped.shown_to, written.shown_to);
      }
    }
  }
}

// The pieces pick() gives, one after another, cut to size bytes.
template <class Pick>
std::vector<unsigned char> joined_pieces(int size, Pick pick) {
  std::vector<unsigned char> out;
  while (static_cast<int>(out.size()) < size) {
    const char* piece = pick();
    out.insert(out.end(), piece, piece + std::strlen(piece));
  }
  out.resize(static_cast<std::size_t>(size));
  return out;
}

template <std::size_t N>
const char* any_piece(std::mt19937& rng, const char* const (&pieces)[N]) {
  return pieces[rng() % N];
}

// The fast paths write what the cells written one by one give: random bytes
// and bytes made of the pieces that each code's paths tell apart (pairs of
// every code, kana, JIS X 0212, UTF-8 sequences whole and cut, escape
// sequences), every line width, both encodings, escapes shown or not; and
// lines of sixteen bytes through the one-step path of a whole line.
std::vector<unsigned char> piece_text(std::mt19937& rng, int size) {
  static const char* const kPieces[] = {
      "ab", " ", "\x7f", "\x01", "\x82\xa0", "\x88\x9f", "\xea\xa4", "\xb1", "\xa4\xa2", "\xb0\xa1",
      "\x8e\xb1", "\x8f\xb0\xa1", "\xe3\x81\x82", "\xc3\xa9", "\xf0\x9f\x98\x80", "\xc2\x85", "\xe3\x81",
      "\xef\xbd\xb1", "\xe2\x83\x9d", "\xe4\xb8\x82", "\xe2\x80\x8b", "\x1b$B", "\x1b(B", "\x1b(I", "\x1b$D",
      "\x1b(J", "\x1b", "!!", "0!", "~~", "\x80", "\xff"};
  return joined_pieces(size, [&] { return any_piece(rng, kPieces); });
}

// Text that is mostly pairs (Shift_JIS and EUC-JP, narrow and wide ones,
// a mark on its circle), in runs that fill whole lines, with a few ASCII
// bytes and kana between them: lines of pairs only, and pairs that a line's
// end cuts, in both alignments.
std::vector<unsigned char> pair_text(std::mt19937& rng, int size) {
  static const char* const kPairs[] = {"\x82\xa0", "\x88\x9f", "\x87\x40", "\x86\x79", "\xf0\x40", "\xfc\xfc",
                                       "\xa4\xa2", "\xb0\xa1", "\xad\xa1", "!!", "0!"};
  static const char* const kBetween[] = {"a", "\r\n", "\xb1", " ", "\x80"};
  return joined_pieces(size, [&] { return rng() % 12 != 0 ? any_piece(rng, kPairs) : any_piece(rng, kBetween); });
}

// Pairs with half-width kana among them, in EUC-JP (8E and the kana byte)
// and alone: the kana after a lone 8E, an 8E before a byte that is no kana
// (a pair's, a lone one's, another 8E), an 8E in a line's last byte.
std::vector<unsigned char> kana_text(std::mt19937& rng, int size) {
  static const char* const kPieces[] = {"\xa4\xa2", "\xb0\xa1", "\x82\xa0", "\x8e\xb1", "\x8e\xdf", "\x8e\xa1",
                                        "\x8e",     "\x8e\xa0", "\x8e\xe0", "\x8e\x8e\xb1", "\x8e\xb1\xa4",
                                        "\xb1",     "a",        "\r\n",    "\x8f\xb0\xa1"};
  return joined_pieces(size, [&] { return any_piece(rng, kPieces); });
}

// JIS text: runs of row and cell bytes and of ASCII between the escape
// sequences that switch to them, as a mail holds them, so that sequences
// stand inside lines, after pairs, and across lines' ends; now and then a
// kana shift, an unknown escape or a byte that is no JIS.
std::vector<unsigned char> jis_text(std::mt19937& rng, int size) {
  static const char* const kRuns[] = {"\x1b$B%\x22%K!#", "\x1b$B$\x22", "\x1b(BAb 1-2", "\x1b(J\r\n", "0!~~",
                                      "\x1b$@!!", "\x1b(I12", "\x1b(Ba", "\x1bx", "\x80\x1b(B"};
  return joined_pieces(size, [&] { return any_piece(rng, kRuns); });
}

// UTF-8 text, mostly characters of three bytes that fill whole lines and
// that the line's end cuts at every byte, among sequences of two and four
// bytes, characters Shift_JIS lacks (Hangul, Armenian, Thai after E0, an
// emoji), marks that combine, invisible and private-use characters, C1
// controls, half-width kana, surrogates and overlong forms, cut sequences
// and stray bytes.
std::vector<unsigned char> utf8_text(std::mt19937& rng, int size) {
  static const char* const kCommon[] = {"\xe3\x81\x82", "\xe4\xb8\x82", "\xe6\x97\xa5", "\xef\xbc\x91",
                                        "\xe3\x80\x82", "\xea\xb0\x80", "\xe2\x91\xa0"};
  static const char* const kOthers[] = {
      "a",            "1-2 ",         "\xce\xb1",         "\xc3\xa9",         "\xd4\xb1",     "\xcc\x81",
      "\xc2\x85",     "\xc2\xa5",     "\xe2\x80\xbe",     "\xe0\xb8\x81",     "\xe0\x80\x80", "\xed\xa0\x80",
      "\xed\x9f\xbf", "\xe2\x83\x9d", "\xe2\x80\x8b",     "\xee\x80\x80",     "\xef\xbd\xb1", "\xef\xbf\xbf",
      "\xf0\x9f\x98\x80", "\xf0\xa0\xae\xb7", "\xf4\x8f\xbf\xbf", "\xf0\x80\x80\x80", "\xe3\x81", "\xf0\x9f",
      "\x80",         "\xc0\xaf",     "\xff",             "\r\n"};
  return joined_pieces(size, [&] { return rng() % 3 != 0 ? any_piece(rng, kCommon) : any_piece(rng, kOthers); });
}

template <class Decoder, class Encoder>
void check_fast_paths(const char* name, bool sixteen) {
  std::mt19937 rng(sixteen ? 20261211 : 20261210);
  for (int round = 0; round < 3600; ++round) {
    const int size = static_cast<int>(rng() % 100) + 1;
    std::vector<unsigned char> data(static_cast<std::size_t>(size));
    if (round >= 3000) {
      data = utf8_text(rng, size);
    } else if (round >= 2400) {
      data = jis_text(rng, size);
    } else if (round >= 1800) {
      data = kana_text(rng, size);
    } else if (round >= 1200) {
      data = pair_text(rng, size);
    } else if (round % 2 == 1) {
      data = piece_text(rng, size);
    } else {
      for (auto& b : data) b = static_cast<unsigned char>(rng());
    }
    const int lb = sixteen ? 16 : static_cast<int>(rng() % 40) + 1;
    ColumnState fast, slow;
    fast.decoder.show_escapes = slow.decoder.show_escapes = round % 4 == 3;
    for (int at = 0; at < size; at += lb) {
      const int n = size - at < lb ? size - at : lb;
      char a[512], b[512];
      int ca = 0, cb = 0;
      const int la = n == 16 && sixteen ? write_columns16<Decoder, Encoder>(fast, data.data() + at, size - at, a, &ca)
                                        : write_columns<Decoder, Encoder, true>(fast, data.data() + at, n, size - at, a, &ca);
      const int lb2 = write_columns<Decoder, Encoder, false>(slow, data.data() + at, n, size - at, b, &cb);
      ASSERT_EQ(std::string(a, static_cast<std::size_t>(la)), std::string(b, static_cast<std::size_t>(lb2)))
          << name << " round " << round << " line at " << at;
      ASSERT_EQ(ca, cb) << name << " round " << round;
      ASSERT_EQ(fast.has_pending, slow.has_pending) << name << " round " << round;
      if (fast.has_pending) {
        ASSERT_EQ(fast.from, slow.from) << name << " round " << round;
        ASSERT_EQ(fast.shown_to, slow.shown_to) << name << " round " << round;
        ASSERT_EQ(fast.pending.len, slow.pending.len) << name << " round " << round;
      }
    }
  }
}

TEST(ColumnWriter, FastPathsAgreeWithCellByCell) {
  for (bool sixteen : {false, true}) {
    check_fast_paths<AsciiDecoder, SjisEncoder>("ascii", sixteen);
    check_fast_paths<KanaDecoder, SjisEncoder>("kana", sixteen);
    check_fast_paths<SjisDecoder, SjisEncoder>("sjis", sixteen);
    check_fast_paths<EucDecoder, SjisEncoder>("euc", sixteen);
    check_fast_paths<Utf8Decoder, SjisEncoder>("utf8", sixteen);
    check_fast_paths<JisDecoder, SjisEncoder>("jis", sixteen);
    check_fast_paths<AsciiDecoder, Utf8Encoder>("ascii, utf-8", sixteen);
    check_fast_paths<KanaDecoder, Utf8Encoder>("kana, utf-8", sixteen);
    check_fast_paths<SjisDecoder, Utf8Encoder>("sjis, utf-8", sixteen);
    check_fast_paths<EucDecoder, Utf8Encoder>("euc, utf-8", sixteen);
    check_fast_paths<Utf8Decoder, Utf8Encoder>("utf8, utf-8", sixteen);
    check_fast_paths<JisDecoder, Utf8Encoder>("jis, utf-8", sixteen);
  }
}

// Every character of two and three bytes, at each offset of a line of
// sixteen bytes and cut by its end: the fast path's tables give what its
// cell written alone gives.
template <class Encoder>
void check_every_utf8_character(const char* name) {
  for (char32_t cp = 0x80; cp < 0x10000; ++cp) {
    char seq[4];
    const int len = put_utf8(cp, seq);
    for (int at : {0, 5, 13, 14, 15}) {
      std::string bytes(static_cast<std::size_t>(at), 'x');
      bytes.append(seq, static_cast<std::size_t>(len));
      bytes.append("yz");
      const auto* d = reinterpret_cast<const unsigned char*>(bytes.data());
      const int total = static_cast<int>(bytes.size());
      const int n = total < 16 ? total : 16;
      ColumnState fast, slow;
      char a[512], b[512];
      int ca = 0, cb = 0;
      const int la = write_columns<Utf8Decoder, Encoder, true>(fast, d, n, total, a, &ca);
      const int lb = write_columns<Utf8Decoder, Encoder, false>(slow, d, n, total, b, &cb);
      ASSERT_EQ(std::string(a, static_cast<std::size_t>(la)), std::string(b, static_cast<std::size_t>(lb)))
          << name << " U+" << std::hex << static_cast<unsigned>(cp) << " at " << std::dec << at;
      ASSERT_EQ(ca, cb) << name << " U+" << std::hex << static_cast<unsigned>(cp);
    }
  }
}

TEST(ColumnWriter, EveryUtf8CharacterAgreesWithCellByCell) {
  check_every_utf8_character<SjisEncoder>("sjis");
  check_every_utf8_character<Utf8Encoder>("utf-8");
}

// A text read on its own in UTF-8 (the list's text items): what its cells
// written one by one give, for texts of every length up to 40 bytes, sixteen
// among them, cut anywhere.
template <class Decoder>
void check_text_utf8(const char* name) {
  std::mt19937 rng(20261212);
  for (int round = 0; round < 800; ++round) {
    const int size = static_cast<int>(rng() % 40) + 1;
    std::vector<unsigned char> data(static_cast<std::size_t>(size));
    if (round >= 600) {
      data = kana_text(rng, size);
    } else if (round % 3 == 0) {
      data = piece_text(rng, size);
    } else if (round % 3 == 1) {
      data = pair_text(rng, size);
    } else {
      for (auto& b : data) b = static_cast<unsigned char>(rng());
    }
    char a[512], b[512];
    const int la = put_text_utf8<Decoder>(false, data.data(), size, a);
    ColumnState slow;
    int cols = 0;
    const int lb = write_columns<Decoder, Utf8Encoder, false>(slow, data.data(), size, size, b, &cols);
    ASSERT_EQ(std::string(a, static_cast<std::size_t>(la)), std::string(b, static_cast<std::size_t>(lb)))
        << name << " round " << round;
    ASSERT_EQ(cols, size) << name << " round " << round;
  }
}

TEST(ColumnWriter, TextInUtf8AgreesWithCellByCell) {
  check_text_utf8<SjisDecoder>("sjis");
  check_text_utf8<EucDecoder>("euc");
  check_text_utf8<Utf8Decoder>("utf8");
  check_text_utf8<JisDecoder>("jis");
  check_text_utf8<KanaDecoder>("kana");
}

// The colored columns likewise: characters, hex digits and every change of
// style the same with the fast path as cell by cell, on the same bytes.
// Long runs of one style, which the fast path copies run by run: each piece
// repeated up to eight times.
std::vector<unsigned char> run_text(std::mt19937& rng, int size) {
  std::vector<unsigned char> out;
  while (static_cast<int>(out.size()) < size) {
    const std::vector<unsigned char> piece = piece_text(rng, 1 + static_cast<int>(rng() % 3));
    for (int k = static_cast<int>(rng() % 8); k >= 0; --k) out.insert(out.end(), piece.begin(), piece.end());
  }
  out.resize(static_cast<std::size_t>(size));
  return out;
}

template <class Decoder, class Encoder>
void check_colored_fast_path(const char* name) {
  std::mt19937 rng(20261211);
  int whole_lines = 0;  // lines written in one step
  for (int round = 0; round < 1800; ++round) {
    const int size = static_cast<int>(rng() % 100) + 1;
    std::vector<unsigned char> data(static_cast<std::size_t>(size));
    if (round % 3 == 1) {
      data = piece_text(rng, size);
    } else if (round % 3 == 2) {
      data = run_text(rng, size);
    } else {
      for (auto& b : data) b = static_cast<unsigned char>(rng());
    }
    // Lines of sixteen bytes, the commonest, in every other round.
    const int lb = round % 2 == 0 ? 16 : static_cast<int>(rng() % 40) + 1;
    ColumnState fast, slow;
    fast.decoder.show_escapes = slow.decoder.show_escapes = round % 4 == 3;
    for (int at = 0; at < size; at += lb) {
      const int n = size - at < lb ? size - at : lb;
      char a[2048], b[2048], ha[2048], hb[2048];
      int ca = 0, cb = 0, hla = 0, hlb = 0;
      int la = 0;
#if defined(__SSE2__)
      // A whole line of sixteen bytes in one step, where it may be.
      if constexpr (std::is_same_v<Encoder, SjisEncoder> && colors_line16<Decoder>()) {
        if (n == 16 && lb == 16) {
          hla = colored_line16<Decoder>(fast, data.data() + at, size - at, ha, a, &la, &ca);
          if (hla != 0) ++whole_lines;
        }
      }
#endif
      if (hla == 0)
        la = write_colored_columns<Decoder, Encoder, true>(fast, data.data() + at, n, size - at, a, &ca, ha, &hla);
      const int lb2 =
          write_colored_columns<Decoder, Encoder, false>(slow, data.data() + at, n, size - at, b, &cb, hb, &hlb);
      ASSERT_EQ(std::string(a, static_cast<std::size_t>(la)), std::string(b, static_cast<std::size_t>(lb2)))
          << name << " round " << round << " line at " << at;
      ASSERT_EQ(std::string(ha, static_cast<std::size_t>(hla)), std::string(hb, static_cast<std::size_t>(hlb)))
          << name << " round " << round << " line at " << at;
      ASSERT_EQ(ca, cb) << name << " round " << round;
      ASSERT_EQ(fast.has_pending, slow.has_pending) << name << " round " << round;
    }
  }
#if defined(__SSE2__)
  if constexpr (std::is_same_v<Encoder, SjisEncoder> && colors_line16<Decoder>()) {
    EXPECT_GT(whole_lines, 100) << name;
  }
#endif
  (void)whole_lines;
}

TEST(ColoredColumnWriter, FastPathAgreesWithCellByCell) {
  check_colored_fast_path<AsciiDecoder, SjisEncoder>("ascii");
  check_colored_fast_path<KanaDecoder, SjisEncoder>("kana");
  check_colored_fast_path<SjisDecoder, SjisEncoder>("sjis");
  check_colored_fast_path<EucDecoder, SjisEncoder>("euc");
  check_colored_fast_path<Utf8Decoder, SjisEncoder>("utf8");
  check_colored_fast_path<JisDecoder, SjisEncoder>("jis");
  check_colored_fast_path<SjisDecoder, Utf8Encoder>("sjis, utf-8");
}

// The styles the fast path gives a byte outside pairs and sequences are
// those of the byte taken alone: every byte value, every decoder it reads.
template <class Decoder>
void check_lone_styles(const char* name) {
#if defined(__SSE2__)
  const LoneColoredBytes& table = lone_colored_bytes<Decoder, SjisEncoder>();
  for (int first = 0; first < 256; first += 16) {
    unsigned char bytes[16];
    for (int i = 0; i < 16; ++i) bytes[i] = static_cast<unsigned char>(first + i);
    const simd::Bytes x = simd::load(bytes);
    unsigned char styles[16];
    simd::store(reinterpret_cast<char*>(styles), lone_styles<kana_alone<Decoder>()>(x, simd::flipped(x)));
    for (int i = 0; i < 16; ++i)
      EXPECT_EQ(static_cast<int>(styles[i]), static_cast<int>(table.style[first + i])) << name << " byte " << first + i;
  }
#else
  (void)name;
#endif
}

TEST(ColoredColumnWriter, LoneStylesAgreeWithTheDecoders) {
  check_lone_styles<AsciiDecoder>("ascii");
  check_lone_styles<KanaDecoder>("kana");
  check_lone_styles<SjisDecoder>("sjis");
  check_lone_styles<EucDecoder>("euc");
  check_lone_styles<Utf8Decoder>("utf8");
}

}  // namespace
}  // namespace vesk
