// The formatted dump driver.
#pragma once

namespace vesk {

void format_dump();

}  // namespace vesk
