// The cells of a run of bytes read on its own, such as one element of a text
// item: decoded from its first byte in the code's first state (JIS: ASCII),
// nothing read past its end, so a character it cuts is no character.
#pragma once

#include <cstdint>
#include <cstring>

#include "text/codec.h"
#include "text/decoders.h"
#include "text/encoders.h"

namespace vesk {

// The cells from p on (avail bytes readable), at most max_cells, into out;
// returns how many and sets *bytes to the bytes they cover. A codec's
// decode_cells.
template <class Decoder>
int decode_cells(DecoderState& st, const unsigned char* p, int avail, Cell* out, int max_cells, int* bytes) {
  int k = 0;
  int at = 0;
  while (k < max_cells && at < avail) {
    out[k] = Decoder::decode(st, p + at, avail - at);
    at += out[k].len;
    ++k;
  }
  *bytes = at;
  return k;
}

// The Shift_JIS form of each byte that the decoder takes alone: the one
// column of its cell; 0 for a byte that is no cell of its own.
template <class Decoder>
struct LoneForms {
  char form[256];
  // Every printable ASCII byte is a cell of its own shown as itself: runs
  // of them are copied eight bytes at a time.
  bool ascii_itself;

  LoneForms() : form(), ascii_itself(true) {
    for (int b = 0; b < 256; ++b) {
      if (!Decoder::kLone.lone[b]) continue;
      DecoderState st;
      const auto byte = static_cast<unsigned char>(b);
      char out[kMaxCellLength];
      put_cell<SjisEncoder>(Decoder::decode(st, &byte, 1), out);
      form[b] = out[0];
    }
    for (int b = 0x20; b < 0x7F; ++b) ascii_itself = ascii_itself && form[b] == static_cast<char>(b);
  }
};

// The Shift_JIS forms of the cells of the n bytes at data read on their own,
// one column a byte, written to out (room for n + kMaxCellLength bytes): the
// same bytes as each cell's put_cell<SjisEncoder>, with the cells that the
// decoder's tables give (a lone byte, a pair) taken without building them.
// Returns n. A codec's put_text_forms.
template <class Decoder>
int put_text_forms(bool show_escapes, const unsigned char* data, int n, char* out) {
  static const LoneForms<Decoder> lone;
  DecoderState st;
  st.show_escapes = show_escapes;
  int off = 0;
  while (off < n) {
    if (lone.form[data[off]] != 0) {
      // A run of lone bytes; printable ASCII shown as itself eight at a time.
      if (lone.ascii_itself) {
        while (n - off >= 8) {
          std::uint64_t eight;
          std::memcpy(&eight, data + off, 8);
          // No top bit, none below 0x20, none 0x7F.
          constexpr std::uint64_t kOnes = 0x0101010101010101u, kHigh = 0x8080808080808080u;
          const std::uint64_t low = eight & ~kHigh;
          if (((eight | (low + kOnes) | ~(low + 0x60 * kOnes)) & kHigh) != 0) break;
          std::memcpy(out + off, data + off, 8);
          off += 8;
        }
      }
      for (char f; off < n && (f = lone.form[data[off]]) != 0; ++off) out[off] = f;
      continue;
    }
    if constexpr (Decoder::kHasPairs) {
      if (off + 1 < n) {
        if (const unsigned pair = Decoder::pair_at(data + off)) {
          out[off] = static_cast<char>(pair >> 8);
          out[off + 1] = static_cast<char>(pair & 0xFF);
          off += 2;
          continue;
        }
      }
    }
    const Cell c = Decoder::decode(st, data + off, n - off);
    put_cell<SjisEncoder>(c, out + off);
    off += c.len;
  }
  return n;
}

class TextCells {
 public:
  TextCells(const Codec& codec, bool show_escapes, const unsigned char* data, int n)
      : decode_cells_(codec.decode_cells), data_(data), n_(n) {
    state_.show_escapes = show_escapes;
  }

  // The next cell, valid until the next call; null after the last.
  const Cell* next() {
    if (taken_ == count_ && !refill()) return nullptr;
    return &batch_.cells[taken_++];
  }

 private:
  // Decodes the next batch of cells; false when no byte is left.
  bool refill() {
    if (at_ >= n_) return false;
    int bytes = 0;
    count_ = decode_cells_(state_, data_ + at_, n_ - at_, batch_.cells, kBatch, &bytes);
    at_ += bytes;
    taken_ = 0;
    return count_ > 0;
  }

  static constexpr int kBatch = 16;
  // Cells are written before they are read: the batch is left uninitialised,
  // as an element of a few bytes would otherwise pay for all of it.
  union Batch {
    Batch() {}
    Cell cells[kBatch];
  };
  DecodeCellsFn decode_cells_;
  DecoderState state_;
  const unsigned char* data_;
  int n_;
  int at_ = 0;
  Batch batch_;
  int count_ = 0;
  int taken_ = 0;
};

}  // namespace vesk
