// Color on the terminal: the style each part of the report is shown in, and
// the SGR sequences (ESC [ ... m) that switch from one style to another. Only
// the eight basic colors, bold and dim: no white, black or bright black,
// which vanish on a light or a dark background. The sequences change no
// text: with them removed, a colored report is the uncolored one.
#pragma once

#include <cstdint>
#include <cstring>

#include "text/cell.h"

namespace vesk {

enum class Style : std::uint8_t {
  none,       // the terminal's own color
  // The plain dump, by the class of each byte (hex pair and character alike).
  zero,       // 00: dim
  ascii,      // printable ASCII: cyan
  space,      // white space and line ends (09-0D, 20): green
  control,    // other control bytes, and the bytes of JIS escape sequences: magenta
  multibyte,  // bytes of a character beyond ASCII (a kana, a character of several bytes): yellow
  invalid,    // bytes that are no character of the code: red
  // Every mode.
  position,   // block numbers, offsets, the marker of repeated lines: dim
  // The formatted dump, by the kind of value.
  number,     // integers, floats, decimals: cyan
  text,       // characters: green
  hex,        // hex digits: magenta
  pointer,    // yellow
  label,      // names and comments: dim
  unread,     // what could not be read: [EOD], [..]x, NAN, a map's marks: bold red
  // The comparison.
  old_value,  // a differing value of the first file, a deleted block: red
  new_value,  // a differing value of the second file, an inserted block: green
};
constexpr int kStyles = 16;

// The SGR parameters of each style, in the order of Style.
inline constexpr const char* kStyleParameters[kStyles] = {
    "", "2", "36", "32", "35", "33", "31", "2", "36", "32", "35", "33", "2", "1;31", "31", "32"};

// The room a writer keeps for one change of style: put_style_change copies
// a whole slot of the table, the longest sequence ("\x1b[0;1;31m") and more.
constexpr int kMaxStyleChange = 16;

// The sequence that switches from one style to the next: nothing when they
// look alike; "ESC[0m" back to the terminal's color; "ESC[<p>m" to a style
// of parameters <p> from the terminal's color, or from a color alone to a
// style with a color (which replaces it); "ESC[0;<p>m" from any other style
// (to clear its bold or dim). A slot of 16 bytes each, its length in its
// last byte.
struct StyleChanges {
  struct alignas(16) Change {
    char text[kMaxStyleChange - 1] = {};
    unsigned char len = 0;
  };
  Change change[kStyles][kStyles];

  constexpr StyleChanges() : change() {
    for (int from = 0; from < kStyles; ++from) {
      for (int to = 0; to < kStyles; ++to) {
        Change& c = change[from][to];
        const char* a = kStyleParameters[from];
        const char* b = kStyleParameters[to];
        if (same(a, b)) continue;
        add(c, "\x1b[");
        if (*b == '\0') {
          add(c, "0");
        } else {
          if (*a != '\0' && !(color_alone(a) && has_color(b))) add(c, "0;");
          add(c, b);
        }
        add(c, "m");
      }
    }
  }

 private:
  static constexpr bool same(const char* a, const char* b) {
    while (*a != '\0' && *a == *b) ++a, ++b;
    return *a == *b;
  }
  // Parameters of a foreground color alone ("36"), or with one ("1;31").
  static constexpr bool color_alone(const char* p) { return p[0] == '3' && p[1] != '\0' && p[2] == '\0'; }
  static constexpr bool has_color(const char* p) {
    for (; *p != '\0'; ++p)
      if (p[0] == '3' && p[1] != '\0' && (p[2] == '\0' || p[2] == ';')) return true;
    return false;
  }
  static constexpr void add(Change& c, const char* t) {
    while (*t != '\0') c.text[c.len++] = *t++;
  }
};
inline constexpr StyleChanges kStyleChanges;

// Writes the change from `from` to `to` at out, which has kMaxStyleChange
// bytes of room; returns its length.
inline int put_style_change(Style from, Style to, char* out) {
  const StyleChanges::Change& c = kStyleChanges.change[static_cast<int>(from)][static_cast<int>(to)];
  std::memcpy(out, &c, kMaxStyleChange);
  return c.len;
}

// The style of the bytes of a cell in the plain dump: by its class, and for a
// control by its character (zero, white space or another control).
constexpr Style style_of_cell(const Cell& c) {
  switch (c.cls) {
    case CellClass::ascii:
      return c.cp == ' ' ? Style::space : Style::ascii;
    case CellClass::kana:
    case CellClass::multibyte:
      return Style::multibyte;
    case CellClass::control:
      return c.cp == 0 ? Style::zero : c.cp >= 0x09 && c.cp <= 0x0D ? Style::space : Style::control;
    case CellClass::escape:
      return Style::control;
    case CellClass::invalid:
    case CellClass::filler:
      break;
  }
  return Style::invalid;
}

}  // namespace vesk
