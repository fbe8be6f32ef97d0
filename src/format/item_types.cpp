#include "format/item_types.h"

namespace vesk {

namespace {

// Alignments under -B.
constexpr int align_short = 2;
constexpr int align_long = 4;
constexpr int align_float = 4;
constexpr int align_double = 4;
constexpr int align_ptr = 4;

constexpr ItemType kTypes[] = {
    {T_CHAR, 0, 0, 1, ValueForm::text},
    {T_HEX, 0, 0, 1, ValueForm::hex},
    {T_SHORT, 2, align_short, 2, ValueForm::signed_int},
    {T_USHORT, 2, align_short, 2, ValueForm::unsigned_int},
    {T_INT, 4, align_long, 4, ValueForm::signed_int},
    {T_UINT, 4, align_long, 4, ValueForm::unsigned_int},
    {T_LONG, 4, align_long, 4, ValueForm::signed_int},
    {T_ULONG, 4, align_long, 4, ValueForm::unsigned_int},
    {T_FLOAT, 4, align_float, 4, ValueForm::float32},
    // A double starts at a multiple of 4 but gives its structure 8.
    {T_DOUBLE, 8, align_double, 8, ValueForm::float64},
    {T_PTR, 4, align_ptr, 4, ValueForm::pointer},
    {T_FARPTR, 4, 4, 4, ValueForm::pointer},
    {T_NESTED, 0, 0, 0, ValueForm::structure},
    {T_REF, 0, 0, 0, ValueForm::structure},
    {T_FORMAT, 0, 0, 0, ValueForm::structure},
    {T_TEMPLATE, 0, 0, 0, ValueForm::structure},
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

}  // namespace vesk
