#include "output/utf8_transcode.h"

#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "output/tables/sjis_unicode.h"

namespace vesk {

namespace {

constexpr std::uint16_t kNoLead = 0xFFFF;

struct ByteTables {
  SjisCell single[256];        // what a byte on its own becomes
  std::uint16_t row[256];      // first slot of a lead byte's row, kNoLead for other bytes
  bool trail[256];
  constexpr ByteTables() : single(), row(), trail() {
    for (int b = 0; b < 256; ++b) {
      SjisCell& c = single[b];
      c.width = 1;
      if (b >= 0x20 && b <= 0x7E) {
        c.text[0] = static_cast<unsigned char>(b);
        c.len = 1;
      } else if (b >= 0xA1 && b <= 0xDF) {  // U+FF61-U+FF9F: EF BD A1-BF, EF BE 80-9F
        c.text[0] = 0xEF;
        c.text[1] = b < 0xC0 ? 0xBD : 0xBE;
        c.text[2] = static_cast<unsigned char>(b < 0xC0 ? b : b - 0x40);
        c.len = 3;
      } else {
        c.text[0] = '.';
        c.len = 1;
      }
      bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
      row[b] = lead ? static_cast<std::uint16_t>(sjis_slot(b, 0x40)) : kNoLead;
      trail[b] = (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
    }
  }
};
constexpr ByteTables kBytes;

constexpr bool is_printable(unsigned b) { return b - 0x20 < 0x5F; }

// True when all eight bytes of x are printable ASCII (0x20-0x7E). A byte passes
// when its top bit is clear, its low seven bits plus 0x60 reach 0x80 (it is at
// least 0x20) and plus 1 do not (it is not 0x7F); no sum carries into the next byte.
inline bool all_printable(std::uint64_t x) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  constexpr std::uint64_t kHigh = 0x8080808080808080u;
  std::uint64_t low = x & ~kHigh;
  return ((x | (low + kOnes) | ~(low + 0x60 * kOnes)) & kHigh) == 0;
}

// The cells of every lead byte's row laid out over all 256 trail bytes, so
// that a pair needs one look-up: a cell of length 0 is no pair. Built once.
struct WideRows {
  static constexpr int kRowSize = 256;
  SjisCell cells[2][kSjisLeads * kRowSize];
  std::uint16_t row_of[256];  // first cell of a lead byte's row; kNoLead for other bytes

  WideRows() : cells(), row_of() {
    for (int b = 0; b < 256; ++b) row_of[b] = kNoLead;
    int r = 0;
    for (int lead = 0; lead < 256; ++lead) {
      if (kBytes.row[lead] == kNoLead) continue;
      row_of[lead] = static_cast<std::uint16_t>(r * kRowSize);
      for (int trail = 0; trail < 256; ++trail) {
        if (!kBytes.trail[trail]) continue;
        for (int m = 0; m < 2; ++m)
          cells[m][r * kRowSize + trail] = sjisCells[m][sjis_slot(static_cast<unsigned>(lead), static_cast<unsigned>(trail))];
      }
      ++r;
    }
  }
};

const WideRows& wide_rows() {
  static const WideRows* const rows = new WideRows();
  return *rows;
}

// The length of the run of printable ASCII at p, at most n bytes, counted
// sixteen (or eight) bytes at a time: most of a report line is such a run.
inline std::size_t printable_run(const unsigned char* p, std::size_t n) {
  std::size_t i = 0;
#if defined(__SSE2__)
  // Signed bytes: 0x20-0x7E are those above 0x1F and below 0x7F.
  const __m128i low = _mm_set1_epi8(0x1F), high = _mm_set1_epi8(0x7F);
  while (n - i >= 16) {
    __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    __m128i ok = _mm_and_si128(_mm_cmpgt_epi8(x, low), _mm_cmplt_epi8(x, high));
    unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(ok));
    if (mask != 0xFFFF) return i + static_cast<std::size_t>(__builtin_ctz(~mask));
    i += 16;
  }
#endif
  while (n - i >= 8) {
    std::uint64_t x;
    std::memcpy(&x, p + i, 8);
    if (!all_printable(x)) break;
    i += 8;
  }
  while (i < n && is_printable(p[i])) ++i;
  return i;
}

}  // namespace

// The bound: after i bytes read, at most 3 * i bytes are written. A run of
// printable ASCII writes what it reads. A unit read with two or more bytes left
// copies all four bytes of its cell (ending at most at 3 * i + 4 < 3 * n) and
// keeps len of them: at most 3 for one byte, 4 for a pair. The last byte of the
// line writes only its len.
std::size_t sjis2utf8(const char* in, std::size_t n, char* out, SjisMapping mapping) {
  const auto* p = reinterpret_cast<const unsigned char*>(in);
  auto* o = reinterpret_cast<unsigned char*>(out);
  const WideRows& rows = wide_rows();
  const SjisCell* pairs = rows.cells[mapping == SjisMapping::utf8_input ? 1 : 0];
  std::size_t i = 0;
  while (n - i >= 2) {
    unsigned b = p[i];
    if (is_printable(b)) {
      *o++ = static_cast<unsigned char>(b);
      ++i;
      // A second printable byte starts a run, the bulk of most lines, copied
      // whole. Characters and points that alternate do not pay for it.
      if (is_printable(p[i])) {
        std::size_t k = printable_run(p + i, n - i);
        std::memcpy(o, p + i, k);
        o += k;
        i += k;
      }
      continue;
    }
    const SjisCell* c = &kBytes.single[b];
    unsigned row = rows.row_of[b];
    if (row != kNoLead) {
      const SjisCell* pair = &pairs[row + p[i + 1]];
      if (pair->len != 0) {
        c = pair;
        i += 1;
      }
    }
    i += 1;
    std::memcpy(o, c->text, 4);
    o += c->len;
  }
  if (i < n) {
    const SjisCell& c = kBytes.single[p[i]];
    std::memcpy(o, c.text, c.len);
    o += c.len;
  }
  return static_cast<std::size_t>(o - reinterpret_cast<unsigned char*>(out));
}

}  // namespace vesk
