#include "formatted/format_dump.h"

#include <gtest/gtest.h>

#include <string>

#include "common/memory_file_test_support.h"
#include "common/pad_test_support.h"
#include "format/format_reader.h"

namespace vesk {
namespace {

// Two-field records of 4 bytes: the name column is 2 wide ("id"), the comment
// column 5 ("count"), so the label "id : key  " stands in columns 69-78.
const char kFormat[] =
    "#BLNO 0 & ; rec\n"
    "struct R {\n"
    " char id[2]; /* key */\n"
    " short n; /* count */\n"
    "};\n";

using test_support::pad;

struct Dumped {
  std::string out;
  int status;
};

Dumped dump(Settings s, const std::string& data) {
  Definitions defs;
  FormatOptions options;
  options.name = "t.fmt";
  EXPECT_EQ(read_format_text(options, defs, kFormat), 0);
  s.run_mode = RunMode::formatted;
  s.fmt_name = "t.fmt";
  test_support::MemoryFile file(data);
  ByteSource in(file.fd, "in.dat");
  ReportSink sink;
  Report report(sink, s.page_lines);
  int status = format_dump(s, defs, in, report);
  sink.flush();
  return {sink.memory(), status};
}

TEST(FormatDump, AListInProcess) {
  Dumped r = dump(Settings{}, std::string("AB\x00\x07" "CD\x01\x00", 8));
  const std::string comment = pad("       rec", 79) + "\n";
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "       block: 0  addr: 0000\n" + comment +
                       pad(" 0000: [AB] ", 69) + "id : key  \n" +
                       pad(" 0002: [7] ", 69) + "n  : count\n" +
                       "       block: 1  addr: 0004\n" + comment +
                       pad(" 0000: [CD] ", 69) + "id : key  \n" +
                       pad(" 0002: [256] ", 69) + "n  : count\n");
}

// A block cut by the end of the data, in map form, with its page heading.
TEST(FormatDump, AMapInProcess) {
  Settings s;
  s.map_disp = true;
  s.line_bytes = 4;
  Dumped r = dump(s, std::string("AB\x01", 3));
  EXPECT_EQ(r.status, 0);
  // The scale: " 0  " at 12, " 1  " at 15, ... the line ending after the last cell.
  EXPECT_EQ(r.out, "             0  1  2  3  \n"
                   " [0000000]  size: 0004\n" +
                       pad("       rec", 79) + "\n" +
                       " 0000 0000:  A  B 01\n"
                       " [EOD]\n");
}

}  // namespace
}  // namespace vesk
