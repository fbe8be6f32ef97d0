// Item lines of a format file: the colon form ("c:10:title:book title") and the
// declaration form ("  char title[10]; /* book title */").
#pragma once

#include "format/format_context.h"

namespace vesk {

// Adds one item record for the line, or ignores an indented "//" line.
// 0, or -1 after a message.
int parse_item(const FormatContext& ctx, const char* line, long long line_no);

// The two forms; parse_c_item returns kIgnoredLine for a "//" line.
constexpr int kIgnoredLine = 1;
int parse_colon_item(const FormatContext& ctx, const char* line, long long line_no);
int parse_c_item(const FormatContext& ctx, const char* line, long long line_no);

}  // namespace vesk
