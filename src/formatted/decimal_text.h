// Packed and zoned decimal numbers as text: "300.00", "-0.05", "12".
//
// The text has the digits without leading zeros (one "0" is kept before the
// point), a point scale digits from the right, and "-" for a negative sign;
// a negative zero keeps its sign ("-0.00"), so that it differs from +0 in a
// comparison as its bytes do.
#pragma once

namespace vesk {

// Longest text: 31 digits, "-", "0." and the terminator.
constexpr int kDecimalValueSize = 36;

// The most digits a packed or zoned element holds.
constexpr int kMaxDecimalDigits = 31;

// What a packed or zoned element holds: its digits (values 0 to 9), most
// significant first, all of them (leading zeros too), and its sign.
struct DecimalDigits {
  unsigned char digits[kMaxDecimalDigits];
  int count = 0;
  bool negative = false;
};

// The digits of a packed decimal of n bytes (see packed_text); false when a
// nibble is no digit or sign.
bool packed_digits(const unsigned char* p, int n, DecimalDigits& out);
// The digits of a zoned decimal of n bytes (see zoned_text); false when a
// byte is no digit (nor, the last, a signed digit).
bool zoned_digits(const unsigned char* p, int n, DecimalDigits& out);

// Packed decimal of n bytes (1 to 16): two digits a byte, the last nibble the
// sign (C or F +, D -). Returns the text's length, or -1 when a digit nibble
// is above 9 or the sign nibble is none of C, D, F (nothing is written then).
int packed_text(const unsigned char* p, int n, int scale, char (&out)[kDecimalValueSize]);

// Zoned decimal of n bytes (1 to 31): ASCII digits; the last byte may carry
// the sign: "{", "A"-"I" for +0..9; "}", "J"-"R" for -0..9; "p"-"y" for
// -0..9. Returns the length, or -1 when a byte is no digit (nor, the last,
// a signed digit).
int zoned_text(const unsigned char* p, int n, int scale, char (&out)[kDecimalValueSize]);

}  // namespace vesk
