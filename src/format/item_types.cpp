#include "format/item_types.h"

namespace vesk {

namespace {

// Alignments under -B.
constexpr int align_short = 2;
constexpr int align_long = 4;
constexpr int align_float = 4;
constexpr int align_double = 4;
constexpr int align_ptr = 4;

// The longest elements: text of 1024 bytes; decimals of 31 digits.
constexpr int max_text = 1024;
constexpr int max_packed = 16;
constexpr int max_zoned = 31;

constexpr ItemType kTypes[] = {
    {T_CHAR, 0, 0, 1, ValueForm::text, max_text},
    {T_HEX, 0, 0, 1, ValueForm::hex, max_text},
    {T_SBYTE, 1, 0, 1, ValueForm::signed_int, 0},
    {T_UBYTE, 1, 0, 1, ValueForm::unsigned_int, 0},
    {T_SHORT, 2, align_short, 2, ValueForm::signed_int, 0},
    {T_USHORT, 2, align_short, 2, ValueForm::unsigned_int, 0},
    {T_INT, 4, align_long, 4, ValueForm::signed_int, 0},
    {T_UINT, 4, align_long, 4, ValueForm::unsigned_int, 0},
    {T_LONG, 4, align_long, 4, ValueForm::signed_int, 0},
    {T_ULONG, 4, align_long, 4, ValueForm::unsigned_int, 0},
    // An 8-byte integer lies as a double does.
    {T_QUAD, 8, align_double, 8, ValueForm::signed_int, 0},
    {T_UQUAD, 8, align_double, 8, ValueForm::unsigned_int, 0},
    {T_FLOAT, 4, align_float, 4, ValueForm::float32, 0},
    // A double starts at a multiple of 4 but gives its structure 8.
    {T_DOUBLE, 8, align_double, 8, ValueForm::float64, 0},
    {T_PTR, 4, align_ptr, 4, ValueForm::pointer, 0},
    {T_FARPTR, 4, 4, 4, ValueForm::pointer, 0},
    // Decimals are strings of bytes, never padded, like c.
    {T_PACKED, 0, 0, 1, ValueForm::packed, max_packed},
    {T_ZONED, 0, 0, 1, ValueForm::zoned, max_zoned},
    {T_NESTED, 0, 0, 0, ValueForm::structure, 0},
    {T_REF, 0, 0, 0, ValueForm::structure, 0},
    {T_FORMAT, 0, 0, 0, ValueForm::structure, 0},
    {T_TEMPLATE, 0, 0, 0, ValueForm::structure, 0},
};

struct TypeIndex {
  const ItemType* of[256] = {};
  constexpr TypeIndex() {
    for (const ItemType& t : kTypes) of[static_cast<unsigned char>(t.code)] = &t;
  }
};
constexpr TypeIndex kIndex;

}  // namespace

const ItemType* item_type(char code) { return kIndex.of[static_cast<unsigned char>(code)]; }

int decimal_digits(char code, int length) {
  const ItemType* t = item_type(code);
  if (t == nullptr || length < 1) return 0;
  if (t->form == ValueForm::packed) return 2 * length - 1;
  if (t->form == ValueForm::zoned) return length;
  return 0;
}

}  // namespace vesk
