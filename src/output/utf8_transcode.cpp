#include "output/utf8_transcode.h"

#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "common/text_scan.h"
#include "text/decoders.h"
#include "text/encoders.h"
#include "text/sjis_utf8.h"

namespace vesk {

namespace {

// True when all eight bytes of x are printable ASCII (0x20-0x7E). A byte passes
// when its top bit is clear, its low seven bits plus 0x60 reach 0x80 (it is at
// least 0x20) and plus 1 do not (it is not 0x7F); no sum carries into the next byte.
inline bool all_printable(std::uint64_t x) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  constexpr std::uint64_t kHigh = 0x8080808080808080u;
  std::uint64_t low = x & ~kHigh;
  return ((x | (low + kOnes) | ~(low + 0x60 * kOnes)) & kHigh) == 0;
}

// What the transcoder writes for one unit (a byte, or a pair): up to
// eight bytes, and how many.
struct alignas(16) Unit {
  unsigned char text[8];
  unsigned char len;
};

// The unit of a cell, as the UTF-8 encoder writes it.
Unit unit_of(const Cell& c) {
  Unit u{};
  char buf[16];
  int n = put_cell<Utf8Encoder>(c, buf);
  std::memcpy(u.text, buf, static_cast<std::size_t>(n));
  u.len = static_cast<unsigned char>(n);
  return u;
}

// The unit of every byte on its own and its class. Built once, from the
// Shift_JIS decoder's cells; a pair's unit is the generated table's.
struct UnitTables {
  enum Kind : unsigned char { kPrintable, kLead, kOther };
  Unit single[256];
  unsigned char kind[256];

  UnitTables() : single(), kind() {
    DecoderState st;
    for (int b = 0; b < 256; ++b) {
      const auto c8 = static_cast<unsigned char>(b);
      // A lone byte: what the decoder makes of it when no trail follows.
      single[b] = unit_of(SjisDecoder::decode(st, &c8, 1));
      kind[b] = is_printable_ascii(c8) ? kPrintable : is_sjis_lead(c8) ? kLead : kOther;
    }
  }
};

const UnitTables& unit_tables() {
  static const UnitTables* const tables = new UnitTables();
  return *tables;
}

// Copies the next kBlock bytes at p to o (the caller has room for them) and
// returns how many of them, from the first, are printable ASCII: at least one,
// the first being printable. Most of a report line is such a run.
#if defined(__SSE2__)
constexpr std::size_t kBlock = 16;
inline std::size_t copy_printable_block(const unsigned char* p, unsigned char* o) {
  // Signed bytes: 0x20-0x7E are those above 0x1F and below 0x7F.
  __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(o), x);
  __m128i ok = _mm_and_si128(_mm_cmpgt_epi8(x, _mm_set1_epi8(0x1F)), _mm_cmplt_epi8(x, _mm_set1_epi8(0x7F)));
  unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(ok));
  return mask == 0xFFFF ? kBlock : static_cast<std::size_t>(__builtin_ctz(~mask));
}
#else
constexpr std::size_t kBlock = 8;
inline std::size_t copy_printable_block(const unsigned char* p, unsigned char* o) {
  std::memcpy(o, p, 8);
  std::uint64_t x;
  std::memcpy(&x, p, 8);
  if (all_printable(x)) return 8;
  std::size_t k = 1;
  while (is_printable_ascii(p[k])) ++k;
  return k;
}
#endif

}  // namespace

// The bound: after i bytes read, at most 4 * i bytes are written. A run of
// printable ASCII writes what it reads. A unit read with two or more bytes left
// copies all eight bytes of its text (ending at most at 4 * i + 8 <= 4 * n)
// and keeps len of them: at most 3 for one byte, 7 for a pair. The last byte
// of the line writes only its len.
std::size_t sjis2utf8(const char* in, std::size_t n, char* out) {
  const auto* p = reinterpret_cast<const unsigned char*>(in);
  auto* o = reinterpret_cast<unsigned char*>(out);
  const UnitTables& t = unit_tables();
  std::size_t i = 0;
  while (n - i >= 2) {
    const unsigned b = p[i];
    const unsigned kind = t.kind[b];
    if (kind == UnitTables::kPrintable) {
      // A run of printable ASCII, the bulk of most lines: a block at a time
      // (a block ends no further than 4 * i + kBlock <= 4 * n), then its end,
      // shorter than a block, eight bytes at a time where it can, then a byte
      // at a time. A lone one, as points between characters, goes on its own.
      *o++ = static_cast<unsigned char>(b);
      ++i;
      if (t.kind[p[i]] != UnitTables::kPrintable) continue;
      while (n - i >= kBlock) {
        std::size_t k = copy_printable_block(p + i, o);
        o += k;
        i += k;
        if (k < kBlock) break;
      }
      if (n - i >= 8) {
        std::uint64_t x;
        std::memcpy(&x, p + i, 8);
        if (all_printable(x)) {
          std::memcpy(o, &x, 8);
          o += 8;
          i += 8;
        }
      }
      while (i < n && t.kind[p[i]] == UnitTables::kPrintable) *o++ = p[i++];
      continue;
    }
    if (kind == UnitTables::kLead) {
      // Pairs, one after the other, the bulk of a line of Japanese text.
      bool lone = false;  // a lead byte without its trail
      for (;;) {
        const unsigned trail = p[i + 1];
        if (!is_sjis_trail(static_cast<unsigned char>(trail))) {
          lone = true;
          break;
        }
        o += put_sjis_pair_utf8(p[i], trail, reinterpret_cast<char*>(o));
        i += 2;
        if (n - i < 2 || t.kind[p[i]] != UnitTables::kLead) break;
      }
      if (!lone) continue;
    }
    // A byte on its own that is no printable ASCII.
    const Unit& u = t.single[p[i]];
    ++i;
    std::memcpy(o, u.text, 8);
    o += u.len;
  }
  if (i < n) {
    // The last byte: its text written a byte at a time, so that no byte goes
    // past 3 * n.
    const Unit& u = t.single[p[i]];
    for (unsigned j = 0; j < u.len; ++j) *o++ = u.text[j];
  }
  return static_cast<std::size_t>(o - reinterpret_cast<unsigned char*>(out));
}

}  // namespace vesk
