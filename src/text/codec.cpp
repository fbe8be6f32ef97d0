#include "text/codec.h"

#include <cstring>
#include <string>

#include "text/decoders.h"
#include "text/text_cells.h"

namespace vesk {

namespace {

template <class Decoder>
constexpr Codec row(CharMode mode, const char* name, char letter, int max_len,
                    bool (*starts_fresh)(unsigned char, unsigned char)) {
  return Codec{mode,
               name,
               letter,
               max_len,
               starts_fresh,
               &Decoder::decode,
               &decode_cells<Decoder>,
               &put_text_forms<Decoder, false>,
               &put_text_forms<Decoder, true>,
               {&write_columns<Decoder, SjisEncoder>, &write_columns<Decoder, Utf8Encoder>},
               {&skip_columns<Decoder, SjisEncoder>, &skip_columns<Decoder, Utf8Encoder>}};
}

bool always(unsigned char, unsigned char) { return true; }
// Shift_JIS: after a byte that cannot lead a pair, a cell begins.
bool after_non_lead(unsigned char before, unsigned char) { return !is_sjis_lead(before); }
// EUC-JP: after a byte that cannot begin a sequence, a cell begins.
bool after_non_euc_lead(unsigned char before, unsigned char) {
  return before != 0x8E && before != 0x8F && !EucDecoder::is_euc_byte(before);
}
// UTF-8: every byte but a continuation byte begins a cell.
bool at_non_continuation(unsigned char, unsigned char at) { return (at & 0xC0) != 0x80; }

const Codec kCodecs[] = {
    row<AsciiDecoder>(CharMode::ascii, nullptr, 'A', 1, &always),
    row<KanaDecoder>(CharMode::kana, nullptr, 'K', 1, &always),
    row<SjisDecoder>(CharMode::sjis, "SJIS", 0, 2, &after_non_lead),
    row<EucDecoder>(CharMode::euc, "EUC", 'E', 3, &after_non_euc_lead),
    row<JisDecoder>(CharMode::jis, "JIS", 'J', 2, nullptr),
    row<Utf8Decoder>(CharMode::utf8, "UTF-8", 'U', 4, &at_non_continuation),
};

}  // namespace

const Codec& codec_of(CharMode mode) {
  for (const Codec& c : kCodecs)
    if (c.mode == mode) return c;
  return kCodecs[2];
}

const Codec* codec_named(const char* word, std::size_t n) {
  for (const Codec& c : kCodecs)
    if (c.name != nullptr && std::strlen(c.name) == n && std::strncmp(c.name, word, n) == 0) return &c;
  return nullptr;
}

const Codec* codec_of_letter(char letter) {
  for (const Codec& c : kCodecs)
    if (c.letter != 0 && c.letter == letter) return &c;
  return nullptr;
}

const char* codec_names() {
  static const std::string names = [] {
    std::string s;
    int count = 0;
    for (const Codec& c : kCodecs) count += c.name != nullptr ? 1 : 0;
    int k = 0;
    for (const Codec& c : kCodecs) {
      if (c.name == nullptr) continue;
      if (k > 0) s += k + 1 == count ? " or " : ", ";
      s += c.name;
      ++k;
    }
    return s;
  }();
  return names.c_str();
}

}  // namespace vesk
