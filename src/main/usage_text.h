// The usage text: 89 Shift_JIS lines and a null entry.
#pragma once

namespace vesk {

constexpr int kUsageLines = 89;
extern const char* const usage_text[kUsageLines + 1];

}  // namespace vesk
