#include "records/record_text.h"

#include <cstring>

#include "text/sjis_codes.h"
#include "text/text_cells.h"

namespace vesk {

bool decode_text(const Codec& codec, const unsigned char* p, int n, std::u32string& out) {
  bool whole = true;
  TextCells cells(codec, false, p, n);
  while (const Cell* next = cells.next()) {
    const Cell& c = *next;
    switch (c.cls) {
      case CellClass::escape:
        break;
      case CellClass::control:
        out += c.cp;
        break;
      case CellClass::ascii:
      case CellClass::kana:
      case CellClass::multibyte: {
        const char32_t cp = character_of(c);
        if (cp < 0x110000) {
          out += cp;
          break;
        }
        [[fallthrough]];
      }
      case CellClass::invalid:
      case CellClass::filler:
        out += kReplacementCharacter;
        whole = false;
        break;
    }
  }
  return whole;
}

std::u32string format_file_text(const char* text) {
  std::u32string out;
  if (text != nullptr)
    decode_text(codec_of(CharMode::sjis), reinterpret_cast<const unsigned char*>(text),
                static_cast<int>(std::strlen(text)), out);
  return out;
}

}  // namespace vesk
