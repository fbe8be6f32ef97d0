// Short readable texts of float and double values: plain decimal while that
// needs few digits, exponent form otherwise, no trailing zeros, "NAN" for
// values that cannot be shown.
#pragma once

#include <csignal>

namespace vesk {

// Set by the SIGFPE handler; cleared before each conversion and read after it.
extern volatile sig_atomic_t floaterr_flg;

// Room for the longest text ("-1.23456789012345e-308") and more.
constexpr int kFloatTextSize = 32;

// The text of a double with up to 15 significant digits. Returns buffer; an
// empty text after an internal conversion error (reported on standard error).
char* dblToStr(double value, char (&buffer)[kFloatTextSize]);

// The same with 6 significant digits, for single-precision values.
char* floatToStr(double value, char (&buffer)[kFloatTextSize]);

}  // namespace vesk
