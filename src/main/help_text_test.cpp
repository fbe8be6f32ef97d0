#include "main/help_text.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "main/long_options.h"

namespace vesk {
namespace {

std::vector<std::string> help_lines() {
  ReportSink sink;
  write_help(sink, "9.99");
  sink.flush();
  std::vector<std::string> out;
  std::istringstream in(sink.memory());
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

// Every line fits a terminal of 80 columns, every long option has its line,
// and the version given closes the text.
TEST(HelpText, FitsAndListsEveryOption) {
  const std::vector<std::string> lines = help_lines();
  for (const std::string& line : lines) {
    EXPECT_LE(line.size(), 79u) << line;
    for (unsigned char c : line) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << line;
  }
  for (const LongOption& o : long_options()) {
    std::string value = !o.value           ? ""
                        : o.value_optional ? std::string("[=") + o.value + "]"
                                           : std::string("=") + o.value;
    std::string start = std::string("  --") + o.name + value + " ";
    bool found = false;
    for (const std::string& line : lines) found = found || line.rfind(start, 0) == 0;
    EXPECT_TRUE(found) << o.name;
  }
  EXPECT_EQ(lines.back(), "vesk 9.99");
}

}  // namespace
}  // namespace vesk
