// The input codes: Decoders is the one place that lists them, each decoder
// holding its name, letter and rules; the codec table has a row for each. The
// plain dump's character column, the text items of the formatted dump and the
// comparison all decode through them.
#pragma once

#include <cstddef>
#include <tuple>

#include "common/settings.h"
#include "text/cell.h"
#include "text/decoders.h"

namespace vesk {

using Decoders = std::tuple<AsciiDecoder, KanaDecoder, SjisDecoder, EucDecoder, JisDecoder, Utf8Decoder>;

// Calls f.template operator()<Decoder>() with the decoder of mode and gives
// back what it gives: a line builder made for one decoder runs without a call
// a cell.
template <class F, std::size_t I = 0>
decltype(auto) with_decoder(CharMode mode, F&& f) {
  using D = std::tuple_element_t<I, Decoders>;
  if constexpr (I + 1 == std::tuple_size_v<Decoders>) {
    return f.template operator()<D>();
  } else {
    if (D::kMode == mode) return f.template operator()<D>();
    return with_decoder<F, I + 1>(mode, std::forward<F>(f));
  }
}

using DecodeFn = Cell (*)(DecoderState& st, const unsigned char* p, int avail);
// The cells from p on, as many as decode gives one after the other, at most
// max_cells of them, into out; returns how many and sets *bytes to the bytes
// they cover. One call for a run of cells.
using DecodeCellsFn = int (*)(DecoderState& st, const unsigned char* p, int avail, Cell* out, int max_cells,
                              int* bytes);
// The Shift_JIS forms of the cells of n bytes read on their own (from the
// code's first state), one column a byte, written to out, which has room for
// n + kMaxCellLength bytes; with starts (room for n bytes), where each cell
// starts and how long it is (text/text_cells.h). Returns n.
using TextFormsFn = int (*)(bool show_escapes, const unsigned char* data, int n, char* out, unsigned char* starts);
// The UTF-8 report of the cells of n bytes read on their own, one column a
// byte, written to out, which has room for column_room<Utf8Encoder>(n)
// bytes (text/column_writer.h). Returns the bytes written.
using TextUtf8Fn = int (*)(bool show_escapes, const unsigned char* data, int n, char* out);

struct Codec {
  CharMode mode;
  const char* name;  // its word in #CODE and char(...); null when only a letter picks it
  char letter;       // its option letter; 0 for the default code
  int max_len;       // bytes of its longest cell
  // Decoding can start afresh a few bytes before any position: the byte at
  // `at`, after `before`, begins a cell whatever came earlier. Null for a
  // code whose meaning depends on escape sequences far behind (JIS).
  bool (*starts_fresh)(unsigned char before, unsigned char at);
  DecodeFn decode;
  DecodeCellsFn decode_cells;
  TextFormsFn put_text_forms;
  TextFormsFn put_text_layout;  // the same, with starts
  TextUtf8Fn put_text_utf8;

  bool resumable() const { return starts_fresh != nullptr; }
};

const Codec& codec_of(CharMode mode);
// The code named by the n bytes of word in #CODE or char(...); null for none.
const Codec* codec_named(const char* word, std::size_t n);
// The code chosen by an option letter; null for none.
const Codec* codec_of_letter(char letter);
// The names of the codes that have one, for messages: "SJIS, EUC, JIS or UTF-8".
const char* codec_names();

}  // namespace vesk
