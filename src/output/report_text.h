// The rule every byte of the report keeps: printable ASCII, line ends,
// half-width kana and valid Shift_JIS pairs, read left to right. Nothing else
// may reach the user's terminal.
#pragma once

#include <cstddef>

namespace vesk {

// The index of the first byte of text[0..n) that breaks the rule, or n when
// none does.
std::size_t first_non_report_byte(const char* text, std::size_t n);

}  // namespace vesk
