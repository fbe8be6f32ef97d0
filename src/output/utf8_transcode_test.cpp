#include "output/utf8_transcode.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "text/decoders.h"
#include "text/encoders.h"

namespace vesk {
namespace {

constexpr unsigned char kGuard = 0xAA;

// Transcodes into a buffer of exactly the documented bound, followed by guard
// bytes that must stay untouched. The input is followed by a trail byte, which
// must not be read as the second byte of a pair.
std::string transcode(const std::string& in) {
  std::size_t bound = kUtf8PerSjisByte * in.size();
  std::vector<char> buf(bound + 16, static_cast<char>(kGuard));
  std::string padded = in + '@';
  std::size_t len = sjis2utf8(padded.data(), in.size(), buf.data());
  EXPECT_LE(len, bound);
  for (std::size_t i = bound; i < buf.size(); ++i)
    EXPECT_EQ(static_cast<unsigned char>(buf[i]), kGuard) << "written past the bound";
  return std::string(buf.data(), len);
}

// Strict UTF-8 decoding; false on any malformed, overlong or surrogate sequence.
bool decode_utf8(const std::string& s, std::vector<std::uint32_t>& points) {
  points.clear();
  for (std::size_t i = 0; i < s.size();) {
    unsigned b = static_cast<unsigned char>(s[i]);
    int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (len == 0 || i + len > s.size()) return false;
    std::uint32_t cp = len == 1 ? b : b & (0x7F >> len);
    for (int k = 1; k < len; ++k) {
      unsigned c = static_cast<unsigned char>(s[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3F);
    }
    static constexpr std::uint32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    points.push_back(cp);
    i += len;
  }
  return true;
}

// What the cell encoder writes for the cells the Shift_JIS decoder makes of in.
std::string encoded(const std::string& in) {
  const auto* p = reinterpret_cast<const unsigned char*>(in.data());
  const int n = static_cast<int>(in.size());
  std::string out;
  DecoderState st;
  for (int at = 0; at < n;) {
    Cell c = SjisDecoder::decode(st, p + at, n - at);
    char buf[32];
    out.append(buf, static_cast<std::size_t>(put_cell<Utf8Encoder>(c, buf)));
    at += c.len;
  }
  return out;
}

TEST(Sjis2Utf8, HandWorkedCases) {
  struct Case {
    const char* name;
    std::string in;
    std::string out;
  } cases[] = {
      {"ascii as it is", "0A 5C|a\\~", "0A 5C|a\\~"},
      {"kana B1", "\xB1", "\xEF\xBD\xB1"},
      {"kana ends A1 DF", "\xA1\xDF", "\xEF\xBD\xA1\xEF\xBE\x9F"},
      {"kana BF C0", "\xBF\xC0", "\xEF\xBD\xBF\xEF\xBE\x80"},
      {"hiragana a, wide", "\x82\xA0", "\xE3\x81\x82"},
      {"circled one, narrow", "\x87\x40", "\xE2\x91\xA0 "},
      {"IBM extension", "\xFB\xFC", "\xE9\xAB\x99"},
      {"euro from Shift_JIS-2004", "\x85\x40", "\xE2\x82\xAC "},
      {"e acute", "\x85\x7E", "\xC3\xA9 "},
      {"user-defined area", "\xF0\x40", "\xE3\x80\x93"},
      {"combining mark, on its circle", "\x86\x79", "\xE2\x97\x8C\xCC\x81 "},
      {"unassigned pair", "\x84\xDD", "\xE3\x80\x93"},
      {"kana with combining mark", "\x82\xF5", "\xE3\x80\x93"},
      {"wave dash, CP932", "\x81\x60", "\xEF\xBD\x9E"},
      {"fullwidth reverse solidus", "\x81\x5F", "\xEF\xBC\xBC"},
      {"lone lead byte at the end", "AB\x81", "AB."},
      {"lead byte before a non-trail", "\x81 \x81\x7F", ". .."},
      {"controls and gaps", std::string("\x00\x09\x0A\x7F\x80\xA0\xFD\xFF", 8), "........"},
      {"pair across an ASCII run", "0123456\x82\xA0" "89abcdefgh",
       "0123456\xE3\x81\x82" "89abcdefgh"},
      {"empty", "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(transcode(c.in), c.out) << c.name;
}

TEST(Sjis2Utf8, LongestUnitsKeepTheBound) {
  // A mark on its circle and its blank: six bytes for two, within the bound
  // that transcode() checks.
  std::string in;
  for (int i = 0; i < 37; ++i) in += "\x86\x79";
  EXPECT_EQ(transcode(in).size(), 3 * in.size());
}

// Every single byte and every two-byte input: the transcoder writes what the
// cell encoder writes for the decoder's cells, well-formed UTF-8 whose
// characters take the columns of the bytes.
TEST(Sjis2Utf8, EveryShortInputAsTheCellEncoder) {
  std::vector<std::uint32_t> points;
  for (unsigned b = 0; b < 256; ++b) {
    std::string in(1, static_cast<char>(b));
    ASSERT_EQ(transcode(in), encoded(in)) << b;
    ASSERT_TRUE(decode_utf8(transcode(in), points)) << b;
  }
  for (unsigned lead = 0; lead < 256; ++lead) {
    for (unsigned trail = 0; trail < 256; ++trail) {
      std::string in{static_cast<char>(lead), static_cast<char>(trail)};
      std::string out = transcode(in);
      ASSERT_EQ(out, encoded(in)) << lead << " " << trail;
      ASSERT_TRUE(decode_utf8(out, points)) << lead << " " << trail;
      for (std::uint32_t cp : points) ASSERT_TRUE(cp >= 0x20 && cp != 0x7F && (cp < 0x80 || cp >= 0xA0));
    }
  }
}

// Random lines (fixed seed) of ASCII runs, kana, pairs and stray bytes: a line
// comes out as its units one after another, whatever their alignment.
TEST(Sjis2Utf8, LinesAreTheirUnits) {
  std::mt19937 rng(20240613);
  auto pick = [&](unsigned lo, unsigned hi) { return std::uniform_int_distribution<unsigned>(lo, hi)(rng); };
  for (int round = 0; round < 3000; ++round) {
    std::string line;
    std::vector<std::string> units;
    int count = static_cast<int>(pick(0, 40));
    for (int u = 0; u < count; ++u) {
      std::string unit;
      switch (pick(0, 4)) {
        case 0:  // a run of printable ASCII
          for (unsigned k = pick(1, 20); k > 0; --k) unit += static_cast<char>(pick(0x20, 0x7E));
          break;
        case 1:
          unit = static_cast<char>(pick(0xA1, 0xDF));
          break;
        case 2: {
          unsigned lead = pick(0, 59), trail = pick(0x40, 0xFB);
          unit = {static_cast<char>(lead < 31 ? 0x81 + lead : 0xC1 + lead),
                  static_cast<char>(trail >= 0x7F ? trail + 1 : trail)};
          break;
        }
        case 3: {  // a byte outside the report's set, never a lead byte
          static constexpr unsigned char kStray[] = {0x00, 0x09, 0x0A, 0x1F, 0x7F, 0x80, 0xA0, 0xFD, 0xFF};
          unit = static_cast<char>(kStray[pick(0, 8)]);
          break;
        }
        default:  // a lead byte followed by a non-trail, or ending the line
          unit = static_cast<char>(pick(0, 1) ? 0x81 : 0xFC);
          if (u + 1 < count || pick(0, 1)) unit += static_cast<char>(pick(0x20, 0x3F));
          break;
      }
      line += unit;
      units.push_back(unit);
    }
    std::string want;
    for (const std::string& unit : units) want += transcode(unit);
    ASSERT_EQ(transcode(line), want) << "round " << round;
    ASSERT_EQ(transcode(line), encoded(line)) << "round " << round;
  }
}

// Random bytes of every value (fixed seed), long enough for the sixteen-byte
// steps and cut at every length: what the cell encoder writes.
TEST(Sjis2Utf8, RandomBytesAsTheCellEncoder) {
  std::mt19937 rng(20261211);
  for (int round = 0; round < 2000; ++round) {
    std::string in(rng() % 90, '\0');
    for (char& b : in) b = static_cast<char>(rng() % 3 == 0 ? 0x81 + rng() % 0x7C : rng());
    ASSERT_EQ(transcode(in), encoded(in)) << "round " << round;
  }
}

}  // namespace
}  // namespace vesk
