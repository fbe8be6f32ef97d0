#include "common/float_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/ascii.h"
#include "common/messages.h"

namespace vesk {

volatile sig_atomic_t floaterr_flg = 0;

namespace {

// Decimal exponents below this use the exponent form.
constexpr int expLower = -4;
// At precision 0, plain forms needing more digits than this use the exponent form.
constexpr int expUpper = 8;

char* set_result(char (&buffer)[kFloatTextSize], const char* text, std::size_t n) {
  if (n > kFloatTextSize - 1) n = kFloatTextSize - 1;
  std::memcpy(buffer, text, n);
  buffer[n] = '\0';
  return buffer;
}

// The text of value; precision 0 means 15 significant digits ("%.14e"),
// otherwise the digits after the point of the exponent form. The digits are
// those of the exponent form; the text is made from them in one pass: the
// exponent form without trailing zeros in its fraction and with one leading
// zero of its exponent dropped, or the plain form when the number needs few
// digits, again without trailing zeros.
char* float_text(double value, int precision, char (&buffer)[kFloatTextSize]) {
  floaterr_flg = 0;
  // "%.14e" (or "%.<precision>e"): to_chars writes the same text as the
  // formatted print, at a fraction of its cost.
  char raw[400];
  const int after = precision == 0 ? 14 : precision;
  auto made = std::to_chars(raw, raw + sizeof raw - 1, value, std::chars_format::scientific, after);
  std::size_t len;
  if (made.ec == std::errc{}) {
    len = static_cast<std::size_t>(made.ptr - raw);
    raw[len] = '\0';
  } else {
    std::snprintf(raw, sizeof raw, "%.*e", after, value);
    len = std::strlen(raw);
  }
  // Every NaN, of either sign, and a conversion that raised an exception.
  if (floaterr_flg == 1 || std::isnan(value)) return set_result(buffer, "NAN", 3);

  const char* e = static_cast<const char*>(std::memchr(raw, 'e', len));
  // Only infinities come without an exponent: shown as formatted ("inf", "-inf").
  if (e == nullptr) return set_result(buffer, raw, len);
  const bool negative = raw[0] == '-';
  const char* m = raw + (negative ? 1 : 0);
  if (!is_digit(m[0]) || (m + 1 < e && m[1] != '.')) {
    errmsg("internal error: %f data conversion error\n", value);
    buffer[0] = '\0';
    return buffer;
  }
  // The significant digits, the first and those after the point.
  char digits[400];
  int count = 0;
  digits[count++] = m[0];
  for (const char* d = m + 2; d < e; ++d) digits[count++] = *d;
  // The exponent: an optional sign and its digits as printed.
  const char* x = e + 1;
  const bool exp_negative = *x == '-';
  if (*x == '+' || *x == '-') ++x;
  const char* const exp_digits = x;
  const char* const end = raw + len;
  int n = 0;
  for (; x < end && is_digit(*x); ++x) n = n * 10 + (*x - '0');
  const auto exp_len = static_cast<int>(x - exp_digits);
  if (exp_negative) n = -n;

  // The digits without the trailing zeros of the fraction.
  int kept = count;
  while (kept > 1 && digits[kept - 1] == '0') --kept;
  const int digits_needed = n < 0 ? kept + (-n - 1) : n + 1;
  bool exponent_form;
  if (precision == 0)
    exponent_form = n < expLower || digits_needed > expUpper;
  else if (precision >= 2)
    exponent_form = n < expLower || digits_needed > precision + 1;
  else
    exponent_form = false;

  char out[900];
  int o = 0;
  if (negative) out[o++] = '-';
  if (exponent_form) {
    out[o++] = digits[0];
    if (kept > 1) {
      out[o++] = '.';
      std::memcpy(out + o, digits + 1, static_cast<std::size_t>(kept - 1));
      o += kept - 1;
    }
    out[o++] = 'e';
    if (exp_negative) out[o++] = '-';
    // One leading zero of the exponent goes.
    const bool drop = exp_len >= 2 && exp_digits[0] == '0';
    std::memcpy(out + o, exp_digits + (drop ? 1 : 0), static_cast<std::size_t>(exp_len - (drop ? 1 : 0)));
    o += exp_len - (drop ? 1 : 0);
  } else if (n < 0) {
    out[o++] = '0';
    out[o++] = '.';
    for (int i = 0; i < -n - 1; ++i) out[o++] = '0';
    std::memcpy(out + o, digits, static_cast<std::size_t>(kept));
    o += kept;
  } else {
    // The point moved n places to the right, zeros added where digits run
    // out; the fraction left without its trailing zeros, and without its
    // point when nothing is left.
    for (int i = 0; i <= n; ++i) out[o++] = i < count ? digits[i] : '0';
    int fraction_end = count;
    while (fraction_end > n + 1 && digits[fraction_end - 1] == '0') --fraction_end;
    if (fraction_end > n + 1) {
      out[o++] = '.';
      std::memcpy(out + o, digits + n + 1, static_cast<std::size_t>(fraction_end - n - 1));
      o += fraction_end - n - 1;
    }
  }
  return set_result(buffer, out, static_cast<std::size_t>(o));
}

}  // namespace

char* dblToStr(double value, char (&buffer)[kFloatTextSize]) { return float_text(value, 0, buffer); }

char* floatToStr(double value, char (&buffer)[kFloatTextSize]) { return float_text(value, 5, buffer); }

}  // namespace vesk
