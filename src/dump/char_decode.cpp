#include "dump/char_decode.h"

#include <cstring>

#include "common/text_scan.h"
#include "dump/tables/euc_tables.h"
#include "dump/tables/unicode_table.h"

namespace vesk {

namespace {

// Display of every byte value: ASCII only (-A), and ASCII with half-width kana.
struct DisplayTables {
  char ascii[256];
  char kana[256];
  constexpr DisplayTables() : ascii(), kana() {
    for (int b = 0; b < 256; ++b) {
      bool printable = b >= 0x20 && b <= 0x7E;
      bool kana_byte = b >= 0xA1 && b <= 0xDF;
      ascii[b] = printable ? static_cast<char>(b) : '.';
      kana[b] = printable || kana_byte ? static_cast<char>(b) : '.';
    }
  }
};
constexpr DisplayTables kDisplay;

const char* display_table(CharMode mode) { return mode == CharMode::ascii ? kDisplay.ascii : kDisplay.kana; }

// Shift_JIS double-byte test as a table: bit 0 lead byte, bit 1 trail byte.
struct SjisClass {
  unsigned char bits[256];
  constexpr SjisClass() : bits() {
    for (int b = 0; b < 256; ++b) {
      bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
      bool trail = (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
      bits[b] = static_cast<unsigned char>((lead ? 1 : 0) | (trail ? 2 : 0));
    }
  }
};
constexpr SjisClass kSjis;

// A valid Shift_JIS pair, by the table: decoders test every code they convert.
inline bool valid_pair(unsigned char hi, unsigned char lo) { return (kSjis.bits[hi] & 1) && (kSjis.bits[lo] & 2); }

// The report holds printable ASCII, half-width kana and valid Shift_JIS pairs
// only: a control byte in it would drive the user's terminal. A byte that a
// conversion yields outside them shows as a point.
char shown(unsigned char b) { return kDisplay.kana[b]; }

// A converted byte that stands for a half-width kana: shown only when it is one.
char shown_kana(unsigned char b) { return is_half_width_kana(b) ? static_cast<char>(b) : '.'; }

// A converted two-byte code: the pair when it is valid Shift_JIS, else two
// points.
void put_shown_pair(char* dest, unsigned char hi, unsigned char lo) {
  bool valid = valid_pair(hi, lo);
  dest[0] = valid ? static_cast<char>(hi) : '.';
  dest[1] = valid ? static_cast<char>(lo) : '.';
}

// Writes text at column at and a zero byte after it: the line closes there.
// Returns the column of the zero byte.
int put_closing(char* dest, int at, const char* text) {
  int i = 0;
  for (; text[i] != '\0'; ++i) dest[at + i] = text[i];
  dest[at + i] = '\0';
  return at + i;
}

void set_carry(CharDecoder& st, const char* text, int skip) {
  int i = 0;
  for (; text[i] != '\0' && i < 3; ++i) st.carry_text[i] = text[i];
  st.carry_text[i] = '\0';
  st.carry_skip = skip;
}

// The display of every two-byte EUC code, built at the first use: scanning the
// runs costs more than the rest of an EUC line together. Rows are the first
// bytes 0xA1..0xFC and then 0x8E; columns the second bytes 0xA0..0xFE.
constexpr int kEucCols = 0xFE - 0xA0 + 1;
constexpr int kEucRows = 0xFC - 0xA1 + 1 + 1;
struct EucDirect {
  char disp[kEucRows * kEucCols][2];
};

// The run that holds c: the one starting at c, else the last one starting below it.
void euc2sjis_scan(unsigned c, char* dest) {
  int i = 0;
  while (i < kEuc2sjRuns && euc2sj[i].euc < c) ++i;
  if (i == kEuc2sjRuns || euc2sj[i].euc > c) --i;
  if (i < 0) {
    // Below the first run (0x8E 0xA0): no mapping.
    dest[0] = '.';
    dest[1] = '.';
    return;
  }
  // Codes of rows without a run of their own fall into the run before, and
  // their sums can leave the kana and the Shift_JIS ranges.
  unsigned code = (euc2sj[i].sjis + (c - euc2sj[i].euc)) & 0xFFFF;
  if (euc2sj[i].sjis <= 0xFF) {
    dest[0] = '.';
    dest[1] = shown_kana(static_cast<unsigned char>(code & 0xFF));
  } else {
    put_shown_pair(dest, static_cast<unsigned char>(code >> 8), static_cast<unsigned char>(code & 0xFF));
  }
}

// The table slot of a two-byte code, or -1 outside the table.
int euc_slot(unsigned char b1, unsigned char b2) {
  if (b2 < 0xA0 || b2 > 0xFE) return -1;
  int row = b1 == 0x8E ? kEucRows - 1 : (b1 >= 0xA1 && b1 <= 0xFC ? b1 - 0xA1 : -1);
  return row < 0 ? -1 : row * kEucCols + (b2 - 0xA0);
}

const EucDirect& euc_direct() {
  static const EucDirect* const table = [] {
    auto* t = new EucDirect();
    for (int b1 = 0x8E; b1 <= 0xFC; ++b1) {
      for (int b2 = 0xA0; b2 <= 0xFE; ++b2) {
        int slot = euc_slot(static_cast<unsigned char>(b1), static_cast<unsigned char>(b2));
        if (slot >= 0) euc2sjis_scan(static_cast<unsigned>(b1 << 8 | b2), t->disp[slot]);
      }
    }
    return t;
  }();
  return *table;
}

// Shift_JIS codes of the Basic Multilingual Plane through a two-level index,
// built at the first use in place of fourteen probes of a binary search per
// character. Only the pages of 256 code points that hold entries take memory.
struct BmpIndex {
  std::uint16_t page_of[256] = {};  // 0: no entry in the page; else page number + 1
  std::uint16_t pages[256][256] = {};  // Shift_JIS code + 1; 0: no entry
  int used = 0;
};

const BmpIndex& bmp_index() {
  static const BmpIndex* const index = [] {
    auto* x = new BmpIndex();
    // unicodeTbl is sorted by code point without repeats, so each code point
    // has exactly the entry that the binary search finds.
    for (int i = 0; i < kUnicodeTblSize && unicodeTbl[i].code < 0x10000; ++i) {
      unsigned hi = unicodeTbl[i].code >> 8;
      if (x->page_of[hi] == 0) x->page_of[hi] = static_cast<std::uint16_t>(++x->used);
      x->pages[x->page_of[hi] - 1][unicodeTbl[i].code & 0xFF] = static_cast<std::uint16_t>(unicodeTbl[i].sjis + 1);
    }
    return x;
  }();
  return *index;
}

// sjis_of_unicode for a code point below 0x10000.
inline int bmp_lookup(const BmpIndex& x, std::uint32_t code) {
  unsigned page = x.page_of[code >> 8];
  if (page == 0) return -1;
  unsigned v = x.pages[page - 1][code & 0xFF];
  return v == 0 ? -1 : static_cast<int>(v - 1);
}

void decode_single(CharMode mode, char* dest, const unsigned char* data, int off, int n) {
  const char* disp = display_table(mode);
  for (; off < n; ++off) dest[off] = disp[data[off]];
}

void decode_sjis(CharDecoder& st, char* dest, const unsigned char* data, int off, int n) {
  const char* disp = kDisplay.kana;
  while (off < n) {
    unsigned char c = data[off];
    if ((kSjis.bits[c] & 1) && (kSjis.bits[data[off + 1]] & 2)) {
      dest[off] = static_cast<char>(c);
      dest[off + 1] = static_cast<char>(data[off + 1]);
      // A character begun in the last column stands in the blank before the bar.
      if (off == n - 1) set_carry(st, "", 1);
      off += 2;
    } else {
      dest[off] = disp[c];
      off += 1;
    }
  }
}

void decode_jis(CharDecoder& st, char* dest, const unsigned char* data, int off, int n) {
  const char* disp = kDisplay.kana;
  while (off < n) {
    const unsigned char* p = data + off;
    int state = jis_escape(p);
    if (state >= 0) {
      st.jis_state = state;
      st.esc_left = 3;
    }
    if (st.esc_left == 0 && st.jis_state == 2) {
      std::uint16_t s = jis2sjis(static_cast<std::uint16_t>(p[0] << 8 | p[1]));
      unsigned char hi = static_cast<unsigned char>(s >> 8), lo = static_cast<unsigned char>(s & 0xFF);
      if (p[0] == 0x0E) {
        // After 0x0E the byte stands alone, followed by a blank.
        dest[off] = shown(hi);
        dest[off + 1] = shown(lo);
      } else {
        // Pairs outside 0x21-0x7E give codes outside Shift_JIS.
        put_shown_pair(dest + off, hi, lo);
      }
      if (off == n - 1) set_carry(st, " ", 1);
      off += 2;
    } else if (st.esc_left == 0 && st.jis_state == 1) {
      // Any byte plus 0x80: only 0xA1-0xDF is kana (0x80-0x9F are 8-bit controls).
      dest[off] = shown_kana(static_cast<unsigned char>(p[0] + 0x80));
      off += 1;
    } else if (st.esc_left > 0) {
      st.esc_left -= 1;
      bool visible = st.show_ctrl && p[0] >= 0x20 && p[0] <= 0x7E;
      dest[off] = visible ? static_cast<char>(p[0]) : '.';
      off += 1;
    } else {
      dest[off] = disp[p[0]];
      off += 1;
    }
  }
}

int decode_euc(CharDecoder& st, char* dest, const unsigned char* data, int off, int n) {
  const char* disp = kDisplay.kana;
  const EucDirect& direct = euc_direct();
  int closed = -1;
  while (off < n) {
    const unsigned char* p = data + off;
    int d = euc_char_len(p);
    if (d == 0) {
      dest[off] = disp[p[0]];
      off += 1;
      continue;
    }
    int len = n - off;
    if (d == 2 && len > 2) {
      // The common case, a two-byte character inside the line: from the table.
      const char* shown_pair = direct.disp[euc_slot(p[0], p[1])];
      dest[off] = shown_pair[0];
      dest[off + 1] = shown_pair[1];
      off += 2;
      continue;
    }
    d = euc2sjis(p, dest + off);
    if (d == len) {
      closed = put_closing(dest, n, " |");
    } else if (d == 2 && len == 1) {
      closed = put_closing(dest, n + 1, "|");
      set_carry(st, " ", 1);
    } else if (d == 3 && len == 1) {
      char rest[3] = {dest[off + 1], dest[off + 2], '\0'};
      set_carry(st, rest, 2);
      closed = put_closing(dest, off + 1, " |");
    } else if (d == 3 && len == 2) {
      closed = put_closing(dest, n + 1, "|");
      set_carry(st, " ", 1);
    }
    off += d;
  }
  return closed;
}

int decode_utf8(CharDecoder& st, char* dest, const unsigned char* data, int off, int n) {
  static const char kPoints[] = "....";
  const char* disp = kDisplay.kana;
  const BmpIndex& bmp = bmp_index();
  int closed = -1;
  while (off < n) {
    const unsigned char* p = data + off;
    if (p[0] < 0xC0) {
      // No sequence starts here (unicodeKanji gives 0).
      dest[off] = disp[p[0]];
      off += 1;
      continue;
    }
    int d = unicodeKanji(p);
    int len = n - off;
    if (d == 3 && len > 3) {
      // The common case, a three-byte sequence inside the line, shown in two
      // columns and a point.
      std::uint32_t code = (p[0] & 0x0Fu) << 12 | (p[1] & 0x3Fu) << 6 | (p[2] & 0x3Fu);
      unsigned r = static_cast<unsigned>(bmp_lookup(bmp, code)) & 0xFFFF;
      if (r >= 0xFF) {
        unsigned char hi = static_cast<unsigned char>(r >> 8);
        unsigned char lo = static_cast<unsigned char>(r & 0xFF);
        bool unknown = r == 0xFFFF || !valid_pair(hi, lo);
        dest[off] = unknown ? '.' : static_cast<char>(hi);
        dest[off + 1] = unknown ? '.' : static_cast<char>(lo);
        dest[off + 2] = '.';
        off += 3;
        continue;
      }
    }
    unsigned r = static_cast<unsigned>(unicode2sjis(p)) & 0xFFFF;
    if (r < 0xFF) {
      // Shown in three columns, the code and two points, whatever the length.
      // Overlong and unchecked forms reach the control codes and DEL too.
      dest[off] = shown(static_cast<unsigned char>(r));
      if (len == 1) {
        set_carry(st, "..", d - len);
      } else if (len == 2) {
        dest[off + 1] = '.';
        set_carry(st, ".", d - len);
      } else {
        dest[off + 1] = '.';
        dest[off + 2] = '.';
        // A 4-byte sequence with three bytes on the line: its last byte's column.
        if (d > len) set_carry(st, ".", d - len);
      }
    } else {
      unsigned char hi = static_cast<unsigned char>(r >> 8);
      unsigned char lo = static_cast<unsigned char>(r & 0xFF);
      bool unknown = r == 0xFFFF || !valid_pair(hi, lo);
      dest[off] = unknown ? '.' : static_cast<char>(hi);
      dest[off + 1] = unknown ? '.' : static_cast<char>(lo);
      if (d < len) {
        std::memcpy(dest + off + 2, kPoints, static_cast<std::size_t>(d - 2));
      } else if (d == len) {
        std::memcpy(dest + off + 2, kPoints, static_cast<std::size_t>(d - 2));
        closed = put_closing(dest, n, " |");
      } else if (len == 1) {
        closed = put_closing(dest, n + 1, "|");
        char text[4] = " ";
        std::memcpy(text + 1, kPoints, static_cast<std::size_t>(d - 2));
        text[d - 1] = '\0';
        set_carry(st, text, d - len);
      } else {
        std::memcpy(dest + off + 2, kPoints, static_cast<std::size_t>(len - 2));
        closed = put_closing(dest, n, " |||");
        char text[4] = "";
        std::memcpy(text, kPoints, static_cast<std::size_t>(d - len));
        text[d - len] = '\0';
        set_carry(st, text, d - len);
      }
    }
    off += d;
  }
  return closed;
}

}  // namespace

int jis_escape(const unsigned char* p) {
  if (p[0] != 0x1B) return -1;
  if (p[1] == '$' && (p[2] == '@' || p[2] == 'B' || p[2] == 'D')) return 2;
  if (p[1] == '(' && p[2] == 'I') return 1;
  if (p[1] == '(' && (p[2] == 'J' || p[2] == 'B')) return 0;
  return -1;
}

int sjis_of_unicode_fast(std::uint32_t code) {
  return code < 0x10000 ? bmp_lookup(bmp_index(), code) : sjis_of_unicode(code);
}

std::uint16_t jis2sjis(std::uint16_t code) {
  unsigned char h = static_cast<unsigned char>(code >> 8);
  unsigned char l = static_cast<unsigned char>(code & 0xFF);
  if (h == 0x0E) return static_cast<std::uint16_t>(l << 8 | 0x20);
  unsigned char l2 = static_cast<unsigned char>((h & 1) ? l + 0x1F : l + 0x7D);
  if (l2 >= 0x7F) l2 = static_cast<unsigned char>(l2 + 1);
  unsigned char h2 = static_cast<unsigned char>((static_cast<unsigned char>(h - 0x21) >> 1) + 0x81);
  if (h2 > 0x9F) h2 = static_cast<unsigned char>(h2 + 0x40);
  return static_cast<std::uint16_t>(h2 << 8 | l2);
}

int euc_char_len(const unsigned char* p) {
  if (p[0] == 0x8E && p[1] >= 0xA0 && p[1] <= 0xDF) return 2;
  if (p[0] >= 0xA1 && p[0] <= 0xFC && p[1] >= 0xA0 && p[1] <= 0xFE) return 2;
  if (p[0] == 0x8F) return 3;
  return 0;
}

int euc2sjis(const unsigned char* p, char* dest) {
  if (p[0] == 0x8F) return euc3_2sjis(p, dest);
  int slot = euc_slot(p[0], p[1]);
  if (slot < 0) {
    euc2sjis_scan(static_cast<unsigned>(p[0] << 8 | p[1]), dest);
    return 2;
  }
  const EucDirect& direct = euc_direct();
  dest[0] = direct.disp[slot][0];
  dest[1] = direct.disp[slot][1];
  return 2;
}

int euc3_2sjis(const unsigned char* p, char* dest) {
  std::uint32_t c = static_cast<std::uint32_t>(p[0]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[2];
  dest[0] = '.';
  // Every code of the table is a valid Shift_JIS pair (a unit test checks it),
  // so it is written as it is.
  for (int i = 0; i < kEuc2sj3Rows; ++i) {
    if (euc2sj_3[i].euc == c) {
      dest[1] = static_cast<char>(euc2sj_3[i].sjis >> 8);
      dest[2] = static_cast<char>(euc2sj_3[i].sjis & 0xFF);
      return 3;
    }
  }
  dest[1] = '?';
  dest[2] = '?';
  return 3;
}

int unicodeKanji(const unsigned char* p) {
  switch (p[0] >> 4) {
    case 0xC:
    case 0xD:
      return 2;
    case 0xE:
      return 3;
    case 0xF:
      return 4;
    default:
      return 0;
  }
}

int unicode2sjis(const unsigned char* p) {
  std::uint32_t code = 0;
  int len = unicodeKanji(p);
  switch (len) {
    case 2:
      code = (p[0] & 0x1Fu) << 6 | (p[1] & 0x3Fu);
      break;
    case 3:
      code = (p[0] & 0x0Fu) << 12 | (p[1] & 0x3Fu) << 6 | (p[2] & 0x3Fu);
      break;
    case 4:
      code = (p[0] & 0x07u) << 18 | (p[1] & 0x3Fu) << 12 | (p[2] & 0x3Fu) << 6 | (p[3] & 0x3Fu);
      break;
    default:
      return -1;
  }
  return sjis_of_unicode_fast(code);
}

int sjis_of_unicode(std::uint32_t code) {
  int low = 0;
  int high = kUnicodeTblSize - 1;
  while (low <= high) {
    int mid = (low + high) / 2;
    if (unicodeTbl[mid].code < code)
      low = mid + 1;
    else if (unicodeTbl[mid].code > code)
      high = mid - 1;
    else
      return static_cast<int>(unicodeTbl[mid].sjis);
  }
  return -1;
}

int decode_chars(CharDecoder& st, char* dest, const unsigned char* data, int n) {
  int off = 0;
  if (st.carry_skip > 0) {
    for (int i = 0; st.carry_text[i] != '\0'; ++i) dest[i] = st.carry_text[i];
    off = st.carry_skip;
    st.carry_skip = 0;
  }
  switch (st.mode) {
    case CharMode::jis:
      decode_jis(st, dest, data, off, n);
      return -1;
    case CharMode::euc:
      return decode_euc(st, dest, data, off, n);
    case CharMode::utf8:
      return decode_utf8(st, dest, data, off, n);
    case CharMode::ascii:
    case CharMode::kana:
      decode_single(st.mode, dest, data, off, n);
      return -1;
    case CharMode::sjis:
      break;
  }
  decode_sjis(st, dest, data, off, n);
  return -1;
}

}  // namespace vesk
