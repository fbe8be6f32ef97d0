// The column writer's fast paths: sixteen bytes at a time, with the same
// results as writing their cells one by one (a unit test compares both on
// random bytes). Where a path does not apply it leaves the bytes to the
// cell-by-cell loop.
#pragma once

#include <cstring>
#include <type_traits>

#include "text/byte_masks.h"
#include "text/decoders.h"
#include "text/encoders.h"

namespace vesk {

#if defined(__SSE2__)

// Sixteen bytes and the one after them, read where they lie, or from a copy
// with zeros past the bytes that may be read (a zero is no lead, trail or
// shown byte).
struct Window {
  simd::Bytes x;     // bytes 0..15
  simd::Bytes next;  // bytes 1..16
  Window(const unsigned char* p, int avail) {
    if (avail >= 17) {
      x = simd::load(p);
      next = simd::load(p + 1);
      return;
    }
    unsigned char copy[32] = {};
    std::memcpy(copy, p, static_cast<std::size_t>(avail > 0 ? avail : 0));
    x = simd::load(copy);
    next = simd::load(copy + 1);
  }
};

// What each decoder takes alone, for sixteen flipped bytes: the bytes that
// are not cells of their own, and those that show as themselves in Shift_JIS.
template <class Decoder>
struct LoneMasks {
  static constexpr bool kHas = false;
};
template <>
struct LoneMasks<AsciiDecoder> {
  static constexpr bool kHas = true;
  static unsigned others(simd::Bytes) { return 0; }
  static simd::Bytes shown(simd::Bytes fx) { return simd::in_range(fx, 0x20, 0x7E); }
};
template <>
struct LoneMasks<KanaDecoder> {
  static constexpr bool kHas = true;
  static unsigned others(simd::Bytes) { return 0; }
  static simd::Bytes shown(simd::Bytes fx) {
    return _mm_or_si128(simd::in_range(fx, 0x20, 0x7E), simd::in_range(fx, 0xA1, 0xDF));
  }
};
template <>
struct LoneMasks<SjisDecoder> {
  static constexpr bool kHas = true;
  static unsigned others(simd::Bytes fx) {
    return simd::bits(_mm_or_si128(simd::in_range(fx, 0x81, 0x9F), simd::in_range(fx, 0xE0, 0xFC)));
  }
  static simd::Bytes shown(simd::Bytes fx) { return LoneMasks<KanaDecoder>::shown(fx); }
};
template <>
struct LoneMasks<EucDecoder> {
  static constexpr bool kHas = true;
  static unsigned others(simd::Bytes fx) {
    return simd::bits(_mm_or_si128(simd::in_range(fx, 0x8E, 0x8F), simd::in_range(fx, 0xA1, 0xFE)));
  }
  static simd::Bytes shown(simd::Bytes fx) { return simd::in_range(fx, 0x20, 0x7E); }
};
template <>
struct LoneMasks<Utf8Decoder> {
  static constexpr bool kHas = true;
  static unsigned others(simd::Bytes fx) { return simd::bits(simd::in_range(fx, 0xC2, 0xF4)); }
  static simd::Bytes shown(simd::Bytes fx) { return simd::in_range(fx, 0x20, 0x7E); }
};

// The pairs that begin in candidates c (bit i: byte i is a lead and byte i + 1
// a trail), read from the left: in a run of candidates each pair takes the
// next byte, so a pair begins at every other one from the run's first. The
// runs that begin at an even bit are cleared by adding their first bits (the
// carry runs through them); the others are the runs that begin at an odd bit.
inline unsigned pair_starts(unsigned c) {
  constexpr unsigned kEven = 0x55555555u, kOdd = 0xAAAAAAAAu;
  const unsigned first = c & ~(c << 1);
  const unsigned even_runs = c & ~(c + (first & kEven));
  return (even_runs & kEven) | (c & ~even_runs & kOdd);
}

// Shift_JIS read and written as Shift_JIS: a pair, a kana and printable ASCII
// are the bytes themselves, every other byte a point. Sixteen bytes of the
// line at a time, their pairs found by masks; the part of a line shorter than
// sixteen bytes, and a pair begun in the line's last byte, as the loop does.
// Returns the new offset in the line; out is the line's column 0.
inline int sjis_chunks(const unsigned char* d, int off, int n, int avail, char* out) {
  while (n - off >= 16) {
    Window w(d + off, avail - off);
    const simd::Bytes fx = simd::flipped(w.x), fn = simd::flipped(w.next);
    const unsigned leads = simd::bits(_mm_or_si128(simd::in_range(fx, 0x81, 0x9F), simd::in_range(fx, 0xE0, 0xFC)));
    const unsigned trails_after =
        simd::bits(_mm_or_si128(simd::in_range(fn, 0x40, 0x7E), simd::in_range(fn, 0x80, 0xFC)));
    const unsigned starts = pair_starts(leads & trails_after);
    // A pair begun in the sixteenth byte: the first fifteen bytes here, whose
    // pairs all end inside them; the pair is left to the loop.
    if (starts & 0x8000u) {
      const unsigned keep15 = starts & 0x7FFFu;
      const unsigned keep = keep15 | (keep15 << 1) | (simd::bits(LoneMasks<SjisDecoder>::shown(fx)) & 0x7FFFu);
      char buf[16];
      simd::store(buf, simd::select(simd::spread(keep), w.x, '.'));
      std::memcpy(out + off, buf, 15);
      off += 15;
      break;
    }
    const unsigned keep = starts | (starts << 1) | simd::bits(LoneMasks<SjisDecoder>::shown(fx));
    simd::store(out + off, simd::select(simd::spread(keep), w.x, '.'));
    off += 16;
  }
  return off;
}

// A decoder's run of sixteen bytes that are all cells of their own, written
// in Shift_JIS: each byte itself, or a point.
template <class Decoder>
inline int lone_chunks_sjis(const unsigned char* d, int off, int n, int avail, char* out) {
  while (n - off >= 16) {
    Window w(d + off, avail - off);
    const simd::Bytes fx = simd::flipped(w.x);
    if (LoneMasks<Decoder>::others(fx) != 0) break;
    simd::store(out + off, simd::select(LoneMasks<Decoder>::shown(fx), w.x, '.'));
    off += 16;
  }
  return off;
}

// A run of sixteen bytes of printable ASCII, which is itself in UTF-8.
inline int ascii_chunks(const unsigned char* d, int off, int n, int avail, char** out) {
  while (n - off >= 16) {
    Window w(d + off, avail - off);
    if (simd::bits(simd::in_range(simd::flipped(w.x), 0x20, 0x7E)) != 0xFFFFu) break;
    simd::store(*out, w.x);
    *out += 16;
    off += 16;
  }
  return off;
}

#endif

// The fast path for a decoder and an encoder, from offset off of a line of n
// bytes: returns the offset it reached (off when it does not apply); o moves
// on past what it wrote. The Shift_JIS encoder writes one byte a column, so
// its bytes stand at the line's own offsets.
template <class Decoder, class Encoder>
inline int fast_columns(const unsigned char* d, int off, int n, int avail, char* out, char** o) {
#if defined(__SSE2__)
  if constexpr (Encoder::kMaxBytesPerColumn == 1) {
    int reached = off;
    if constexpr (std::is_same_v<Decoder, SjisDecoder>) {
      reached = sjis_chunks(d, off, n, avail, out);
    } else if constexpr (LoneMasks<Decoder>::kHas) {
      reached = lone_chunks_sjis<Decoder>(d, off, n, avail, out);
    }
    *o = out + reached;
    return reached;
  } else {
    (void)out;
    if constexpr (LoneMasks<Decoder>::kHas) return ascii_chunks(d, off, n, avail, o);
    return off;
  }
#else
  (void)d, (void)n, (void)avail, (void)out, (void)o;
  return off;
#endif
}

}  // namespace vesk
