// The item types of the format language, one row each: code, element size,
// alignment, and how a value is shown. The layout, the walk over a block, the
// value texts and the parser all read this table, so a new type is one row
// and one renderer.
#pragma once

namespace vesk {

// How the elements of a type are shown.
enum class ValueForm {
  text,          // c: characters
  hex,           // x: two hex digits a byte
  signed_int,    // decimal with a sign
  unsigned_int,  // decimal
  pointer,       // eight upper-case hex digits
  float32,       // float text, 6 significant digits
  float64,       // float text, 15 significant digits
  packed,        // packed decimal: two digits a byte, the last nibble the sign
  zoned,         // zoned decimal: a digit a byte, the last byte may carry the sign
  structure,     // the members of a structure
};

struct ItemType {
  char code;
  int size;          // bytes of one element; 0 when the item gives its length, and for structures
  int pad_align;     // under -B: the position an element starts at is a multiple of this (0: any)
  int struct_align;  // what the type counts for its structure's alignment
  ValueForm form;
  int max_length;    // the longest element of a type whose item gives its length
};

// Item type codes.
constexpr char T_CHAR = 'c';
constexpr char T_HEX = 'x';
constexpr char T_SBYTE = 'b';
constexpr char T_UBYTE = 'B';
constexpr char T_SHORT = 's';
constexpr char T_USHORT = 'S';
constexpr char T_INT = 'i';
constexpr char T_UINT = 'I';
constexpr char T_LONG = 'l';
constexpr char T_ULONG = 'L';
constexpr char T_QUAD = 'q';
constexpr char T_UQUAD = 'Q';
constexpr char T_FLOAT = 'f';
constexpr char T_DOUBLE = 'd';
constexpr char T_PTR = 'p';
constexpr char T_FARPTR = 'P';
constexpr char T_PACKED = 'k';
constexpr char T_ZONED = 'z';
constexpr char T_NESTED = ' ';   // a structure opened inside another
constexpr char T_REF = 'R';      // an item of structure type
constexpr char T_FORMAT = 'D';   // a data format (outermost structure)
constexpr char T_TEMPLATE = 'T'; // typedef struct { ... } NAME;

// The row of a code; null for a code that is no type.
const ItemType* item_type(char code);

inline bool is_struct_code(char code) {
  const ItemType* t = item_type(code);
  return t != nullptr && t->form == ValueForm::structure;
}
// An item of one of these codes is a field of the block (not a structure).
inline bool is_simple_code(char code) {
  const ItemType* t = item_type(code);
  return t != nullptr && t->form != ValueForm::structure;
}
// c and x: their elements are text, shown as far as the data goes.
inline bool is_text_code(char code) { return code == T_CHAR || code == T_HEX; }
// c, x, packed and zoned: the item gives the length of its elements.
inline bool has_item_length(char code) {
  const ItemType* t = item_type(code);
  return t != nullptr && t->size == 0 && t->form != ValueForm::structure;
}
// A type of fixed size shown as a number.
inline bool is_numeric_code(char code) {
  const ItemType* t = item_type(code);
  return t != nullptr && t->size > 0;
}
// Bytes of one element of a numeric code; 0 for any other.
inline int numeric_size(char code) {
  const ItemType* t = item_type(code);
  return t != nullptr ? t->size : 0;
}
// Packed and zoned decimal.
inline bool is_decimal_code(char code) { return code == T_PACKED || code == T_ZONED; }
// Packed and zoned decimal: the digits an element of length bytes holds (the
// largest scale it may be given); 0 for any other code.
int decimal_digits(char code, int length);

}  // namespace vesk
