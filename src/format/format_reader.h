// Reads a format file into the definition tables.
#pragma once

namespace vesk {

// 0 on success; -1 after a message.
int read_format(const char* fmt_name);

}  // namespace vesk
