// The definition tables a format file is compiled into. Written while the
// format file is read, read-only while a driver runs.
#pragma once

#include <cstdint>

namespace vesk {

constexpr int MAX_ITEMS = 500;
constexpr int MAX_BLNO = 100;
constexpr int MAX_REN = 100;
constexpr int MAX_DEF = 200;
constexpr int MAX_NEST = 10;

// Item type codes.
constexpr char T_CHAR = 'c';
constexpr char T_HEX = 'x';
constexpr char T_SHORT = 's';
constexpr char T_USHORT = 'S';
constexpr char T_INT = 'i';
constexpr char T_UINT = 'I';
constexpr char T_LONG = 'l';
constexpr char T_ULONG = 'L';
constexpr char T_FLOAT = 'f';
constexpr char T_DOUBLE = 'd';
constexpr char T_PTR = 'p';
constexpr char T_FARPTR = 'P';
constexpr char T_NESTED = ' ';   // a structure opened inside another
constexpr char T_REF = 'R';      // an item of structure type
constexpr char T_FORMAT = 'D';   // a data format (outermost structure)
constexpr char T_TEMPLATE = 'T'; // typedef struct { ... } NAME;

inline bool is_struct_code(char t) {
  return t == T_NESTED || t == T_REF || t == T_FORMAT || t == T_TEMPLATE;
}

struct ItemInf {
  char type = 0;
  int16_t length = 0;  // c/x: bytes per element; numeric: element size; structures: alignment
  int16_t count = 0;   // repeat count
  int16_t first = 0;   // structures: first member; simple items: 1 for the block-id item
  int16_t last = 0;    // structures: last member
  const char* tag = nullptr;
  const char* name = nullptr;
  const char* comment = nullptr;
  int16_t display = 0;  // 0: "no display"
};

struct BlnoInf {
  int16_t item_no = 0;
  int16_t from_blk = 0;
  int16_t to_blk = 0;
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

struct Definitions {
  ItemInf item_inf[MAX_ITEMS];
  int item_cnt = 0;
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
};

extern Definitions defs;

// The block size of the first range holding block; offset and first-of-range
// flag are set as described in definitions.cpp. -1 when no range holds it.
int find_blno(int block, int* offset, int* first_flag);

}  // namespace vesk
