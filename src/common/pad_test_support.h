// For the unit tests: a report line's text padded with blanks to a column.
#pragma once

#include <cstddef>
#include <string>

namespace vesk::test_support {

inline std::string pad(const std::string& s, std::size_t col) { return s + std::string(col - s.size(), ' '); }

}  // namespace vesk::test_support
