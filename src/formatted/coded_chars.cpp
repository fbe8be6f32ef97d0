#include "formatted/coded_chars.h"

#include <cstring>

#include "common/text_scan.h"

namespace vesk {

namespace {

// Bytes a decoder may read past a character.
constexpr int kLookAhead = 3;
// Columns a decoder may write past a character (its line-end marks).
constexpr int kWriteAhead = 5;
constexpr int kMaxUnit = 4;

// Printable ASCII and half-width kana as they are, other bytes as ".": how
// the decoders show a single byte, and how a byte of a cut character shows.
char single_display(unsigned char b) {
  return is_shown_single(b) ? static_cast<char>(b) : '.';
}

// Bytes of the character or escape sequence at p (zero bytes after the
// element's end), as the decoder of the code steps over them.
int unit_length(const CharDecoder& st, const unsigned char* p) {
  switch (st.mode) {
    case CharMode::sjis:
      return iskanji_sjis(p[0], p[1]) ? 2 : 1;
    case CharMode::euc: {
      int d = euc_char_len(p);
      return d == 0 ? 1 : d;
    }
    case CharMode::utf8: {
      int d = p[0] >= 0xC0 ? unicodeKanji(p) : 0;
      return d == 0 ? 1 : d;
    }
    case CharMode::jis:
      if (jis_escape(p) >= 0) return 3;
      return st.jis_state == 2 && st.esc_left == 0 ? 2 : 1;
    case CharMode::ascii:
    case CharMode::kana:
      break;
  }
  return 1;
}

}  // namespace

CodedChars::CodedChars(CharMode code, bool show_ctrl, const unsigned char* data, int n)
    : st_(code, show_ctrl), data_(data), n_(n) {}

bool CodedChars::next(CodedUnit& u) {
  if (at_ >= n_) return false;
  int left = n_ - at_;
  // The unit and the bytes the decoder may look at after it; zeros past the
  // element's end, so that nothing outside the element is read.
  unsigned char window[kMaxUnit + kLookAhead] = {};
  std::memcpy(window, data_ + at_, static_cast<std::size_t>(left < kMaxUnit ? left : kMaxUnit));
  int k = unit_length(st_, window);
  u = CodedUnit{};
  if (k > left) {
    // A character cut by the element's end: its first byte stands alone.
    u.len = 1;
    u.cols[0] = single_display(window[0]);
    at_ += 1;
    return true;
  }
  std::memset(window + k, 0, sizeof window - static_cast<std::size_t>(k));
  // A decoder may leave a column of a long sequence unwritten (an overlong
  // 4-byte form of a single byte): it shows as a point.
  char dest[kMaxUnit + kWriteAhead + 1];
  std::memset(dest, '.', sizeof dest);
  decode_chars(st_, dest, window, k);
  // A whole character never leaves a part for a next line.
  st_.carry_skip = 0;
  u.len = k;
  u.multibyte = k >= 2 && !(st_.mode == CharMode::jis && jis_escape(window) >= 0);
  std::memcpy(u.cols, dest, static_cast<std::size_t>(k));
  at_ += k;
  return true;
}

int coded_cell_text(const CodedUnit& u, char (&out)[2]) {
  int b = 0;
  int e = u.len;
  while (b < e && u.cols[b] == '.') ++b;
  while (e > b && u.cols[e - 1] == '.') --e;
  auto at = [&](int i) { return static_cast<unsigned char>(u.cols[i]); };
  // The decoders write pairs whole; a lead byte without its partner is never
  // let through all the same.
  if (e - b >= 2 && iskanji_sjis(at(b), at(b + 1))) {
    out[0] = u.cols[b];
    out[1] = u.cols[b + 1];
    return 2;
  }
  if (e - b == 0 || is_sjis_lead(at(b))) {
    out[0] = '.';
    return 1;
  }
  out[0] = u.cols[b];
  if (e - b >= 2 && !is_sjis_lead(at(b + 1))) {
    out[1] = u.cols[b + 1];
    return 2;
  }
  return 1;
}

}  // namespace vesk
