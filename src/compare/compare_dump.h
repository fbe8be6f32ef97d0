// The comparison driver.
#pragma once

namespace vesk {

// 0 when the report is complete, -1 when it stopped on an error.
int compare_dump();

}  // namespace vesk
