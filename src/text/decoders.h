// The decoders of the input codes. Each turns the bytes at p into the one
// cell that starts there: a character of the code, or the bytes that begin
// none (the longest start of a sequence that the next byte cannot continue,
// or a lone byte). p[0 .. avail) may be read, avail >= 1; a sequence that
// would need more is cut short and so is no character. Inline, so that the
// line builders decode and encode in one loop.
#pragma once

#include "common/settings.h"
#include "text/byte_cells.h"
#include "text/decoder_state.h"

namespace vesk {

// Which bytes are a cell of their own whatever follows them and whatever the
// state: a line builder takes runs of them through a table.
struct LoneBytes {
  bool lone[256];
  template <class Test>
  constexpr explicit LoneBytes(Test test) : lone() {
    for (int b = 0; b < 256; ++b) lone[b] = test(static_cast<unsigned char>(b));
  }
};

// -A: printable ASCII; every other byte is a control or no character.
struct AsciiDecoder {
  static constexpr CharMode kMode = CharMode::ascii;
  static constexpr const char* kName = nullptr;
  static constexpr char kLetter = 'A';
  static constexpr int kMaxLen = 1;
  static bool starts_fresh(unsigned char, unsigned char) { return true; }
  static constexpr LoneBytes kLone{[](unsigned char) { return true; }};
  static constexpr bool kHasPairs = false;
  static unsigned pair_at(const unsigned char*) { return 0; }
  static Cell decode(DecoderState&, const unsigned char* p, int) {
    if (p[0] < 0x80) return seven_bit_cell(p[0]);
    return invalid_cell(1);
  }
};

// -K: ASCII and half-width kana (0xA1-0xDF).
struct KanaDecoder {
  static constexpr CharMode kMode = CharMode::kana;
  static constexpr const char* kName = nullptr;
  static constexpr char kLetter = 'K';
  static constexpr int kMaxLen = 1;
  static bool starts_fresh(unsigned char, unsigned char) { return true; }
  static constexpr LoneBytes kLone{[](unsigned char) { return true; }};
  static constexpr bool kHasPairs = false;
  static unsigned pair_at(const unsigned char*) { return 0; }
  static Cell decode(DecoderState&, const unsigned char* p, int) {
    if (p[0] < 0x80) return seven_bit_cell(p[0]);
    if (is_half_width_kana(p[0])) return kana_cell(p[0], 1, 0);
    return invalid_cell(1);
  }
};

// Shift_JIS: ASCII, half-width kana, and pairs of a lead byte (0x81-0x9F,
// 0xE0-0xFC) and a trail byte (0x40-0x7E, 0x80-0xFC).
struct SjisDecoder {
  static constexpr CharMode kMode = CharMode::sjis;
  static constexpr const char* kName = "SJIS";
  static constexpr char kLetter = 0;
  static constexpr int kMaxLen = 2;
  // After a byte that cannot lead a pair, a cell begins.
  static bool starts_fresh(unsigned char before, unsigned char) { return !is_sjis_lead(before); }
  static constexpr LoneBytes kLone{[](unsigned char b) { return !is_sjis_lead(b); }};
  // The line builders' shortcut for the commonest cell: a character of two
  // bytes at p (both readable) shown as a Shift_JIS pair at its start; the
  // pair, or 0 when p holds none. Every pair it gives is valid.
  static constexpr bool kHasPairs = true;
  static unsigned pair_at(const unsigned char* p) { return is_sjis_pair(p[0], p[1]) ? p[0] << 8 | p[1] : 0; }
  static Cell decode(DecoderState&, const unsigned char* p, int avail) {
    const unsigned char b = p[0];
    if (b < 0x80) return seven_bit_cell(b);
    if (is_half_width_kana(b)) return kana_cell(b, 1, 0);
    if (avail >= 2 && is_sjis_pair(b, p[1])) return multibyte_cell(kCpOfSjis, b << 8 | p[1], 2);
    return invalid_cell(1);
  }
};

// EUC-JP: ASCII; 8E and a byte 0xA1-0xDF, a half-width kana; two bytes
// 0xA1-0xFE, a JIS X 0208 character; 8F and two bytes 0xA1-0xFE, a JIS X 0212
// character. Kana and 0212 characters are shown after a point, in the
// columns of their last bytes.
struct EucDecoder {
  static constexpr CharMode kMode = CharMode::euc;
  static constexpr const char* kName = "EUC";
  static constexpr char kLetter = 'E';
  static constexpr int kMaxLen = 3;
  // After a byte that cannot begin a sequence, a cell begins.
  static bool starts_fresh(unsigned char before, unsigned char) {
    return before != 0x8E && before != 0x8F && !(before >= 0xA1 && before <= 0xFE);
  }
  static constexpr bool is_euc_byte(unsigned char b) { return b >= 0xA1 && b <= 0xFE; }
  static constexpr LoneBytes kLone{
      [](unsigned char b) { return b != 0x8E && b != 0x8F && !(b >= 0xA1 && b <= 0xFE); }};
  static constexpr bool kHasPairs = true;
  static unsigned pair_at(const unsigned char* p) {
    return is_euc_byte(p[0]) && is_euc_byte(p[1]) ? jis2sjis(p[0] & 0x7F, p[1] & 0x7F) : 0;
  }

  static Cell decode(DecoderState&, const unsigned char* p, int avail) {
    const unsigned char b = p[0];
    if (b < 0x80) return seven_bit_cell(b);
    if (is_euc_byte(b)) {
      if (avail < 2 || !is_euc_byte(p[1])) return invalid_cell(1);
      return multibyte_cell(kCpOfSjis, jis2sjis(b & 0x7F, p[1] & 0x7F), 2);
    }
    if (b == 0x8E) {
      if (avail < 2 || !is_half_width_kana(p[1])) return invalid_cell(1);
      return kana_cell(p[1], 2, 1);
    }
    if (b == 0x8F) {
      if (avail < 2 || !is_euc_byte(p[1])) return invalid_cell(1);
      if (avail < 3 || !is_euc_byte(p[2])) return invalid_cell(2);
      Jisx0212Code c = jisx0212_char(p[1] & 0x7F, p[2] & 0x7F);
      return multibyte_cell(c.cp != 0 ? c.cp : kNoCharacter, c.sjis, 3, 1);
    }
    return invalid_cell(1);
  }
};

// UTF-8 as RFC 3629 writes it: no overlong form, no surrogate, nothing past
// U+10FFFF. C1 controls (U+0080-U+009F) are controls.
struct Utf8Decoder {
  static constexpr CharMode kMode = CharMode::utf8;
  static constexpr const char* kName = "UTF-8";
  static constexpr char kLetter = 'U';
  static constexpr int kMaxLen = 4;
  // Every byte but a continuation byte begins a cell.
  static bool starts_fresh(unsigned char, unsigned char at) { return (at & 0xC0) != 0x80; }
  static constexpr LoneBytes kLone{[](unsigned char b) { return b < 0xC2 || b > 0xF4; }};
  static constexpr bool kHasPairs = false;
  static unsigned pair_at(const unsigned char*) { return 0; }
  // For each lead byte: the sequence's length (0: no lead) and the range of
  // its second byte; later bytes are 0x80-0xBF.
  struct Lead {
    unsigned char len, lo, hi;
  };
  static Lead lead_of(unsigned char b) {
    if (b >= 0xC2 && b <= 0xDF) return {2, 0x80, 0xBF};
    if (b == 0xE0) return {3, 0xA0, 0xBF};
    if (b == 0xED) return {3, 0x80, 0x9F};
    if (b >= 0xE1 && b <= 0xEF) return {3, 0x80, 0xBF};
    if (b == 0xF0) return {4, 0x90, 0xBF};
    if (b == 0xF4) return {4, 0x80, 0x8F};
    if (b >= 0xF1 && b <= 0xF3) return {4, 0x80, 0xBF};
    return {0, 0, 0};
  }

  static Cell decode(DecoderState&, const unsigned char* p, int avail) {
    const unsigned char b = p[0];
    if (b < 0x80) return seven_bit_cell(b);
    const Lead lead = lead_of(b);
    if (lead.len == 0) return invalid_cell(1);
    if (avail < 2 || p[1] < lead.lo || p[1] > lead.hi) return invalid_cell(1);
    char32_t cp = 0;
    if (lead.len == 2) {
      cp = (b & 0x1Fu) << 6 | (p[1] & 0x3Fu);
      if (cp < 0xA0) {
        Cell c;
        c.cp = cp;
        c.len = 2;
        c.cls = CellClass::control;
        return c;
      }
    } else {
      for (int i = 2; i < lead.len; ++i)
        if (avail <= i || (p[i] & 0xC0) != 0x80) return invalid_cell(i);
      cp = lead.len == 3 ? (b & 0x0Fu) << 12 | (p[1] & 0x3Fu) << 6 | (p[2] & 0x3Fu)
                         : (b & 0x07u) << 18 | (p[1] & 0x3Fu) << 12 | (p[2] & 0x3Fu) << 6 | (p[3] & 0x3Fu);
    }
    int sjis = sjis_of_unicode_fast(cp);
    if (sjis >= 0 && sjis < 0x100 && is_half_width_kana(static_cast<unsigned char>(sjis)))
      return kana_cell(static_cast<unsigned char>(sjis), lead.len, 0);
    return multibyte_cell(cp, sjis, lead.len);
  }
};

// ISO-2022-JP (JIS): escape sequences switch between ASCII (ESC ( B, ESC ( J),
// half-width kana (ESC ( I: bytes 0x21-0x5F), JIS X 0208 (ESC $ @, ESC $ B)
// and JIS X 0212 (ESC $ D), each of whose characters is two bytes
// 0x21-0x7E. The switch lasts across lines and blocks. Bytes of 0x80 and
// above are never characters: the code has seven bits.
struct JisDecoder {
  static constexpr CharMode kMode = CharMode::jis;
  static constexpr const char* kName = "JIS";
  static constexpr char kLetter = 'J';
  static constexpr int kMaxLen = 2;
  // What a byte is depends on escape sequences that may lie far behind:
  // decoding cannot start afresh.
  static constexpr bool (*starts_fresh)(unsigned char, unsigned char) = nullptr;
  static constexpr unsigned char kEsc = 0x1B;
  // What a byte is depends on the shift: none is taken alone.
  static constexpr LoneBytes kLone{[](unsigned char) { return false; }};
  static constexpr bool kHasPairs = false;
  static unsigned pair_at(const unsigned char*) { return 0; }

  // The shift that an escape sequence at p selects; false when none starts there.
  static bool escape_at(const unsigned char* p, int avail, JisShift& shift) {
    if (avail < 3 || p[0] != kEsc) return false;
    if (p[1] == '$' && (p[2] == '@' || p[2] == 'B')) shift = JisShift::jisx0208;
    else if (p[1] == '$' && p[2] == 'D') shift = JisShift::jisx0212;
    else if (p[1] == '(' && p[2] == 'I') shift = JisShift::kana;
    else if (p[1] == '(' && (p[2] == 'B' || p[2] == 'J')) shift = JisShift::ascii;
    else return false;
    return true;
  }

  static Cell escape_byte(const DecoderState& st, unsigned char b) {
    Cell c;
    c.cp = b;
    c.cls = CellClass::escape;
    if (st.show_escapes && is_printable_ascii(b)) c.sjis = b;
    return c;
  }

  static bool is_jis_byte(unsigned char b) { return b >= 0x21 && b <= 0x7E; }

  static Cell decode(DecoderState& st, const unsigned char* p, int avail) {
    const unsigned char b = p[0];
    if (st.escape_left > 0) {
      st.escape_left -= 1;
      return escape_byte(st, b);
    }
    if (escape_at(p, avail, st.shift)) {
      st.escape_left = 2;
      return escape_byte(st, b);
    }
    if (b >= 0x80) return invalid_cell(1);
    // A blank and the controls are themselves in every shift.
    if (!is_jis_byte(b)) return seven_bit_cell(b);
    switch (st.shift) {
      case JisShift::ascii:
        return ascii_cell(b);
      case JisShift::kana:
        if (b <= 0x5F) return kana_cell(static_cast<unsigned char>(b + 0x80), 1, 0);
        return invalid_cell(1);
      case JisShift::jisx0208:
      case JisShift::jisx0212:
        break;
    }
    if (avail < 2 || !is_jis_byte(p[1])) return invalid_cell(1);
    if (st.shift == JisShift::jisx0208) return multibyte_cell(kCpOfSjis, jis2sjis(b, p[1]), 2);
    Jisx0212Code c = jisx0212_char(b, p[1]);
    return multibyte_cell(c.cp != 0 ? c.cp : kNoCharacter, c.sjis, 2);
  }
};

}  // namespace vesk
