// The bracket expressions of a format file: digits, #define names, + - * / and
// parentheses, evaluated in double precision.
#pragma once

#include <string>

#include "format/definitions.h"

namespace vesk {

// Room enough for the expansion of any line (each name of at least one
// character becomes at most four: "-128").
constexpr int kExprSize = 1100;

// Copies the text up to term (or its end) into out, blanks dropped and names
// replaced by their #define values, then checks its syntax. 0 when valid; a
// negative value when a character, a name or the syntax is not acceptable, or
// the result would not fit out_size bytes.
int expand_expr(const Definitions& defs, const char* text, char term, char* out, int out_size);

// Evaluates an expanded text; * and / before + and -, each left to right.
// Returns 1 after a division by zero (the value is then 0), else 0.
int calc_expr(const char* text, double* value);

// Where an expression that expand_expr refused goes wrong, for its message:
// a name that no #define gives (the note then names the nearest #define), a
// character that no expression holds; else the expression's start, with what
// an expression may hold. Returns the note and sets *at inside text.
std::string expression_fault(const Definitions& defs, const char* text, char term, const char** at);

// 0 and the value of the first #define of that name; -1 when there is none.
int find_define(const Definitions& defs, const char* name, int* value);

}  // namespace vesk
