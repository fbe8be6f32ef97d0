#include "text/codec.h"

#include <array>
#include <cstring>
#include <string>
#include <utility>

#include "text/column_writer.h"
#include "text/decoders.h"
#include "text/text_cells.h"

namespace vesk {

namespace {

template <class Decoder>
constexpr Codec row() {
  return Codec{Decoder::kMode,
               Decoder::kName,
               Decoder::kLetter,
               Decoder::kMaxLen,
               Decoder::starts_fresh,
               &Decoder::decode,
               &decode_cells<Decoder>,
               &put_text_forms<Decoder, false>,
               &put_text_forms<Decoder, true>,
               &put_text_utf8<Decoder>};
}

template <std::size_t... I>
constexpr auto rows(std::index_sequence<I...>) {
  return std::array<Codec, sizeof...(I)>{row<std::tuple_element_t<I, Decoders>>()...};
}

const auto kCodecs = rows(std::make_index_sequence<std::tuple_size_v<Decoders>>());

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
