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

// A bounded text under construction; what does not fit is dropped.
struct Text {
  char s[400];
  int len = 0;
  Text() { s[0] = '\0'; }
  void add(const char* p, int n) {
    if (n > static_cast<int>(sizeof s) - 1 - len) n = static_cast<int>(sizeof s) - 1 - len;
    if (n <= 0) return;
    std::memcpy(s + len, p, static_cast<std::size_t>(n));
    len += n;
    s[len] = '\0';
  }
  void add(const char* p) { add(p, static_cast<int>(std::strlen(p))); }
  void add(char c) { add(&c, 1); }
};

char* set_result(char (&buffer)[kFloatTextSize], const char* text) {
  std::size_t n = std::strlen(text);
  if (n > kFloatTextSize - 1) n = kFloatTextSize - 1;
  std::memcpy(buffer, text, n);
  buffer[n] = '\0';
  return buffer;
}

// Drops trailing zeros after the point of a mantissa, keeping the point.
void strip_mantissa_zeros(char* m) {
  char* point = std::strchr(m, '.');
  if (point == nullptr) return;
  char* end = m + std::strlen(m);
  while (end > point + 1 && end[-1] == '0') --end;
  *end = '\0';
}

int count_digits(const char* m) {
  int n = 0;
  for (; *m; ++m)
    if (is_digit(*m)) ++n;
  return n;
}

// The digits of "d.ddd" or "-d.ddd" without sign and point; false for any other shape.
bool mantissa_digits(const char* m, Text& out) {
  if (*m == '-') ++m;
  if (!is_digit(m[0]) || m[1] != '.') return false;
  out.add(m[0]);
  for (const char* p = m + 2; *p; ++p) out.add(*p);
  return true;
}

// Moves the point of the mantissa n places to the right ("?" without a point).
void shift_point(const char* m, int n, Text& out) {
  const char* point = std::strchr(m, '.');
  if (point == nullptr) {
    out.add("?");
    return;
  }
  out.add(m, static_cast<int>(point - m));
  const char* frac = point + 1;
  int frac_len = static_cast<int>(std::strlen(frac));
  for (int i = 0; i < n; ++i) out.add(i < frac_len ? frac[i] : '0');
  out.add('.');
  if (n < frac_len) out.add(frac + n);
}

// Trailing zeros of the first fraction go (and its point when nothing is
// left); one leading zero of the exponent goes.
void tidy(Text& t) {
  char* s = t.s;
  char* point = std::strchr(s, '.');
  if (point != nullptr) {
    char* end = point + 1;
    while (is_digit(*end)) ++end;
    char* cut = end;
    while (cut > point + 1 && cut[-1] == '0') --cut;
    if (cut == point + 1) cut = point;
    std::memmove(cut, end, std::strlen(end) + 1);
  }
  char* e = std::strchr(s, 'e');
  if (e != nullptr) {
    char* d = e + 1;
    if (*d == '-') ++d;
    if (d[0] == '0' && is_digit(d[1])) std::memmove(d, d + 1, std::strlen(d + 1) + 1);
  }
  t.len = static_cast<int>(std::strlen(s));
}

// The text of value; precision 0 means 15 significant digits ("%.14e"),
// otherwise the digits after the point of the exponent form.
char* float_text(double value, int precision, char (&buffer)[kFloatTextSize]) {
  floaterr_flg = 0;
  // "%.14e" (or "%.<precision>e"): to_chars writes the same text as the
  // formatted print, at a fraction of its cost.
  char raw[400];
  auto made = std::to_chars(raw, raw + sizeof raw - 1, value, std::chars_format::scientific,
                            precision == 0 ? 14 : precision);
  if (made.ec == std::errc{})
    *made.ptr = '\0';
  else
    std::snprintf(raw, sizeof raw, "%.*e", precision == 0 ? 14 : precision, value);
  // Every NaN, of either sign, and a conversion that raised an exception.
  if (floaterr_flg == 1 || std::isnan(value) || std::strncmp(raw, "-NAN", 4) == 0 ||
      std::strncmp(raw, "NAN", 3) == 0)
    return set_result(buffer, "NAN");

  char* e = std::strchr(raw, 'e');
  // Only infinities come without an exponent: shown as formatted ("inf", "-inf").
  if (e == nullptr) return set_result(buffer, raw);
  *e = '\0';
  char* mantissa = raw;
  char* exp_text = e + 1;
  if (*exp_text == '+') ++exp_text;
  // The exponent: an optional minus and digits (read as atoi would).
  int n = 0;
  for (const char* d = exp_text + (*exp_text == '-' ? 1 : 0); is_digit(*d); ++d) n = n * 10 + (*d - '0');
  if (*exp_text == '-') n = -n;

  int digits_needed;
  if (n < 0) {
    strip_mantissa_zeros(mantissa);
    digits_needed = count_digits(mantissa) + (-n - 1);
  } else {
    digits_needed = n + 1;
  }

  bool exponent_form;
  if (precision == 0)
    exponent_form = n < expLower || digits_needed > expUpper;
  else if (precision >= 2)
    exponent_form = n < expLower || digits_needed > precision + 1;
  else
    exponent_form = false;

  Text out;
  if (exponent_form) {
    out.add(mantissa);
    out.add('e');
    out.add(exp_text);
  } else if (n < 0) {
    Text digits;
    if (!mantissa_digits(mantissa, digits)) {
      errmsg("internal error: %f data conversion error\n", value);
      buffer[0] = '\0';
      return buffer;
    }
    out.add(mantissa[0] == '-' ? "-0." : "0.");
    for (int i = 0; i < -n - 1; ++i) out.add('0');
    out.add(digits.s);
  } else {
    shift_point(mantissa, n, out);
  }
  tidy(out);
  return set_result(buffer, out.s);
}

}  // namespace

char* dblToStr(double value, char (&buffer)[kFloatTextSize]) { return float_text(value, 0, buffer); }

char* floatToStr(double value, char (&buffer)[kFloatTextSize]) { return float_text(value, 5, buffer); }

}  // namespace vesk
