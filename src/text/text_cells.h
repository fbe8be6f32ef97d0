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

// The cell of each byte that the decoder takes alone, whatever follows it
// and whatever the state (valid where Decoder::kLone says so).
template <class Decoder>
struct LoneCells {
  Cell cell[256];
  LoneCells() {
    for (int b = 0; b < 256; ++b) {
      if (!Decoder::kLone.lone[b]) continue;
      DecoderState st;
      const auto byte = static_cast<unsigned char>(b);
      cell[b] = Decoder::decode(st, &byte, 1);
    }
  }
};

// The cells from p on (avail bytes readable), at most max_cells, into out;
// returns how many and sets *bytes to the bytes they cover. A codec's
// decode_cells: the cells decode gives one after the other, those that the
// decoder's tables give (a lone byte, a pair) taken from them.
template <class Decoder>
int decode_cells(DecoderState& st, const unsigned char* p, int avail, Cell* out, int max_cells, int* bytes) {
  static const LoneCells<Decoder> lone;
  int k = 0;
  int at = 0;
  while (k < max_cells && at < avail) {
    const unsigned char b = p[at];
    if (Decoder::kLone.lone[b]) {
      out[k++] = lone.cell[b];
      ++at;
      continue;
    }
    if constexpr (Decoder::kHasPairs) {
      if (at + 1 < avail) {
        if (const unsigned pair = Decoder::pair_at(p + at)) {
          out[k++] = multibyte_cell(kCpOfSjis, static_cast<int>(pair), 2);
          at += 2;
          continue;
        }
      }
    }
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
// With starts, also where each cell starts: starts[i] is the length of the
// cell that starts at byte i, with kStartsCharacter added for a character
// of two or more bytes, and 0 for a byte inside a cell. Returns n.
constexpr unsigned char kStartsCharacter = 0x80;

template <class Decoder, bool kStarts>
int put_text_forms(bool show_escapes, const unsigned char* data, int n, char* out, unsigned char* starts) {
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
          if constexpr (kStarts) std::memcpy(starts + off, "\1\1\1\1\1\1\1\1", 8);
          off += 8;
        }
      }
      for (char f; off < n && (f = lone.form[data[off]]) != 0; ++off) {
        out[off] = f;
        if constexpr (kStarts) starts[off] = 1;
      }
      continue;
    }
    if constexpr (Decoder::kHasPairs) {
      if (off + 1 < n) {
        if (const unsigned pair = Decoder::pair_at(data + off)) {
          out[off] = static_cast<char>(pair >> 8);
          out[off + 1] = static_cast<char>(pair & 0xFF);
          if constexpr (kStarts) {
            starts[off] = 2 + kStartsCharacter;
            starts[off + 1] = 0;
          }
          off += 2;
          continue;
        }
      }
    }
    const Cell c = Decoder::decode(st, data + off, n - off);
    put_cell<SjisEncoder>(c, out + off);
    if constexpr (kStarts) {
      starts[off] = static_cast<unsigned char>(c.len + (c.cls == CellClass::multibyte ? kStartsCharacter : 0));
      for (int i = 1; i < c.len; ++i) starts[off + i] = 0;
    }
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
