#include "format/expression.h"

#include <cstring>
#include <vector>

#include "common/ascii.h"
#include "common/digits.h"
#include "format/near_names.h"

namespace vesk {

namespace {

bool is_operator(char c) { return c == '+' || c == '-' || c == '*' || c == '/'; }

// The neighbour rules of each character of an expanded expression.
int check_syntax(const char* s) {
  int open = 0;
  for (int i = 0; s[i]; ++i) {
    char c = s[i];
    char before = i > 0 ? s[i - 1] : '\0';
    char after = s[i + 1];
    switch (c) {
      case '-':
        if (i > 0 && before != '(' && before != ')' && !is_digit(before)) return -11;
        if (after != '(' && !is_digit(after)) return -12;
        break;
      case '+':
      case '*':
      case '/':
        if (i == 0 || (before != ')' && !is_digit(before))) return -13;
        if (after != '(' && !is_digit(after)) return -14;
        break;
      case '(':
        if (i > 0 && before != '(' && !is_operator(before)) return -15;
        if (after != '-' && after != '(' && !is_digit(after)) return -16;
        ++open;
        break;
      case ')':
        if (open == 0) return -17;
        if (after != '\0' && after != ')' && !is_operator(after)) return -18;
        --open;
        break;
      default:
        break;
    }
  }
  return open == 0 ? 0 : -19;
}

// A recursive evaluator over an expanded text. It never reads past the
// terminator, whatever the text holds.
struct Evaluator {
  const char* p;
  bool divided_by_zero = false;

  double number() {
    double v = 0;
    while (is_digit(*p)) v = v * 10 + (*p++ - '0');
    return v;
  }

  // A parenthesised part or a number.
  double operand() {
    if (*p == '(') {
      ++p;
      double v = expression();
      if (*p == ')') ++p;
      return v;
    }
    return number();
  }

  // Multiplies or divides target by the operand that follows; false after a
  // division by zero.
  bool apply(char op, double& target) {
    double v = operand();
    if (divided_by_zero) return false;
    if (op == '*') {
      target *= v;
    } else {
      if (v == 0) {
        divided_by_zero = true;
        return false;
      }
      target /= v;
    }
    return true;
  }

  // An accumulator and one pending additive term: * and / work on the pending
  // term when there is one; + and - fold it in and start a new one.
  double expression() {
    bool negative = false;
    if (*p == '-') {
      negative = true;
      ++p;
    }
    double acc = operand();
    if (negative) acc = -acc;
    double pending = 0;
    bool has_pending = false;
    while (!divided_by_zero && *p && *p != ')') {
      char op = *p++;
      if (op == '*' || op == '/') {
        if (!apply(op, has_pending ? pending : acc)) break;
      } else if (op == '+' || op == '-') {
        if (has_pending) acc += pending;
        double v = operand();
        pending = op == '+' ? v : -v;
        has_pending = true;
      } else {
        break;  // not an operator: an unchecked text ends here
      }
    }
    if (has_pending) acc += pending;
    return acc;
  }
};

}  // namespace

int find_define(const Definitions& defs, const char* name, int* value) {
  for (int i = 0; i < defs.def_cnt; ++i) {
    const char* n = defs.def_inf[i].name;
    if (n != nullptr && std::strcmp(n, name) == 0) {
      *value = defs.def_inf[i].value;
      return 0;
    }
  }
  return -1;
}

int expand_expr(const Definitions& defs, const char* text, char term, char* out, int out_size) {
  if (out_size < 1) return -1;
  int len = 0;
  auto put = [&](const char* s, int n) {
    if (len + n >= out_size) return false;
    std::memcpy(out + len, s, static_cast<std::size_t>(n));
    len += n;
    return true;
  };
  const char* p = text;
  while (*p && *p != term) {
    char c = *p;
    if (c == ' ' || c == '\t') {
      ++p;
    } else if (is_letter(c)) {
      char name[256];
      int n = 0;
      while (is_letter(*p) || is_digit(*p) || *p == '_') {
        if (n == static_cast<int>(sizeof name) - 1) return -2;  // longer than any line
        name[n++] = *p++;
      }
      name[n] = '\0';
      int value = 0;
      if (find_define(defs, name, &value) != 0) return -3;
      char digits[kDecimalTextSize];
      int k = decimal_text(value, digits);
      if (!put(digits, k)) return -4;
    } else if (is_digit(c) || is_operator(c) || c == '(' || c == ')') {
      if (!put(p, 1)) return -4;
      ++p;
    } else {
      return -5;
    }
  }
  out[len] = '\0';
  return check_syntax(out);
}

std::string expression_fault(const Definitions& defs, const char* text, char term, const char** at) {
  for (const char* p = text; *p && *p != term;) {
    if (is_letter(*p)) {
      const char* name = p;
      while (is_letter(*p) || is_digit(*p) || *p == '_') ++p;
      const std::string word(name, static_cast<std::size_t>(p - name));
      int value = 0;
      if (find_define(defs, word.c_str(), &value) == 0) continue;
      *at = name;
      std::vector<const char*> names;
      for (int i = 0; i < defs.def_cnt; ++i) names.push_back(defs.def_inf[i].name);
      if (const char* near = nearest_name(word.data(), word.size(), names))
        return "no #define of this name: did you mean " + std::string(near) + "?";
      return "no #define of this name";
    }
    const char c = *p;
    if (!is_blank(c) && !is_digit(c) && !is_operator(c) && c != '(' && c != ')') {
      *at = p;
      return "no part of an expression: numbers, #define names, + - * / and parentheses";
    }
    ++p;
  }
  *at = text;
  return "numbers, #define names, + - * / and parentheses, in their order";
}

int calc_expr(const char* text, double* value) {
  Evaluator e{text};
  double v = e.expression();
  *value = e.divided_by_zero ? 0 : v;
  return e.divided_by_zero ? 1 : 0;
}

}  // namespace vesk
