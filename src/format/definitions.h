// The definition tables a format file is compiled into. Written while the
// format file is read, read-only while a driver runs.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "common/settings.h"
#include "format/item_types.h"

namespace vesk {

constexpr int MAX_ITEMS = 500;
constexpr int MAX_BLNO = 100;
constexpr int MAX_REN = 100;
constexpr int MAX_DEF = 200;
constexpr int MAX_NEST = 10;

struct ItemInf {
  char type = 0;       // a code of the item-type table (format/item_types.h)
  int16_t length = 0;  // c/x: bytes per element; numeric: element size; structures: alignment
  int16_t count = 0;   // repeat count
  int16_t first = 0;   // structures: first member; simple items: kBlockIdMark for the block-id item
  int16_t last = 0;    // structures: last member
  const char* tag = nullptr;
  const char* name = nullptr;
  const char* comment = nullptr;
  int16_t display = 0;  // 0: "no display"
  int16_t scale = 0;    // packed and zoned decimal: digits after the decimal point
  // char items: the code of their text when the item states it
  // (char(EUC) name[20]); else the file's #CODE decides.
  bool code_stated = false;
  CharMode code = CharMode::sjis;
  // Worked out once by the layout, read by every walk over a block: where
  // the item starts in one instance of the structure that holds it (after
  // its padding under -B), and for a structure the bytes of one instance of
  // it (padded to its alignment).
  int32_t offset = 0;
  int32_t instance = 0;
  // The dimensions as written, outermost first: long a[2][3] has 2 and 3, a
  // structure closed by "} line[4];" has 4. The last bracket of a text or
  // decimal is its length, not a dimension: char two[2][8] has 2 alone. None
  // for a single value. count is their product.
  const int16_t* dims = nullptr;
  int16_t dim_count = 0;

  // The comparison's id item: a simple item marked in first (which a
  // structure uses for its first member).
  bool is_block_id() const;
};

// The member of a structure after member m: a nested structure's members
// follow it and belong to it; an item of structure type shares members that
// lie elsewhere.
inline int next_member(const ItemInf& it, int m) {
  return it.type == T_NESTED && it.last > m ? it.last + 1 : m + 1;
}

// first of the block-id item.
constexpr int16_t kBlockIdMark = 1;

struct BlnoInf {
  int16_t item_no = 0;
  int16_t from_blk = 0;
  long long to_blk = 0;   // 32767 for "&", or with --all the largest block number
  bool open_end = false;  // written "n &"
  int32_t offset = -1;  // -1: none given
  int32_t size = 0;
  const char* comment = nullptr;
};

struct RenInf {
  char type = 0;
  const char* name = nullptr;
};

struct DefInf {
  const char* name = nullptr;
  int8_t value = 0;  // stored modulo 256
};

// Where an item was declared: its line, kept for the messages about the item
// that come after the line is gone (the layout's, at the structure's end).
struct ItemSource {
  const char* text = nullptr;  // a copy of the line; null for a record of no item line
  int length = 0;
  long long line = 0;
  int name_at = 0;             // the column of the item's name
};

// #ENDIAN: the byte order of the numeric items, when the format file states one.
enum class Endian { unstated, big, little };

// Where a block lies in the data formats.
struct BlockPlace {
  int entry = -1;        // its range in blno_inf; -1 when no range holds the block
  int size = -1;         // the block size of that range
  int offset = -1;       // the range's offset=, on the range's first block only; else -1
  bool range_first = false;
};

struct Definitions {
  ItemInf item_inf[MAX_ITEMS];
  int item_cnt = 0;
  ItemSource item_source[MAX_ITEMS];  // by record, beside item_inf
  BlnoInf blno_inf[MAX_BLNO];
  int blnoinf_cnt = 0;
  RenInf ren_inf[MAX_REN];
  int ren_cnt = 0;
  DefInf def_inf[MAX_DEF];
  int def_cnt = 0;
  int item_mlen = 0;     // longest item name
  int comment_mlen = 0;  // longest item comment
  int16_t block_id_pos = -1;
  int16_t block_id_len = 0;
  Endian endian = Endian::unstated;
  // #CODE: how char items are decoded, when the format file states it.
  bool code_stated = false;
  CharMode code = CharMode::sjis;

  // The first range holding block decides.
  BlockPlace place_of(long long block) const;

  // A copy of n bytes of text, kept as long as the tables; returns it ended
  // by a zero byte. The tables point to their texts through such copies.
  const char* keep_text(const char* text, std::size_t n);
  // A copy of an item's dimensions, kept as long as the tables.
  const int16_t* keep_dims(const std::vector<int16_t>& dims);

 private:
  std::deque<std::string> texts_;  // a deque: the copies never move
  std::deque<std::vector<int16_t>> dims_;
};

inline bool ItemInf::is_block_id() const { return first == kBlockIdMark && !is_struct_code(type); }

}  // namespace vesk
