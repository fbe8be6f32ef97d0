#include "compare/compare_dump.h"

#include <gtest/gtest.h>

#include <string>

#include "common/memory_file_test_support.h"
#include "common/pad_test_support.h"
#include "format/format_reader.h"

namespace vesk {
namespace {

// Records of 4 bytes paired by id: the label "id : key  " stands in columns
// 69-78 (name column 2, comment column 5).
const char kFormat[] =
    "#BLNO 0 & ; rec\n"
    "struct R {\n"
    " char id[2]; /* key */\n"
    " short n; /* count */\n"
    "};\n";

using test_support::pad;

TEST(CompareDump, AComparisonInProcess) {
  Definitions defs;
  FormatOptions options;
  options.name = "t.fmt";
  options.block_id = "id";
  ASSERT_EQ(read_format_text(options, defs, kFormat), 0);
  Settings s;
  s.run_mode = RunMode::compare;
  s.fmt_name = "t.fmt";
  s.block_id = "id";
  s.file1_name = "old.dat";
  s.file2_name = "new.dat";
  test_support::MemoryFile old_file(std::string("AB\x00\x07" "CD\x01\x00", 8));
  test_support::MemoryFile new_file(std::string("CD\x01\x00" "AB\x00\x08" "EF\x00\x01", 12));
  ByteSource in1(old_file.fd, s.file1_name);
  ByteSource in2(new_file.fd, s.file2_name);
  ReportSink sink;
  Report report(sink, s.page_lines);
  EXPECT_EQ(compare_dump(s, defs, in1, in2, report), 0);
  sink.flush();
  const std::string comment = pad("       rec", 79) + "\n";
  EXPECT_EQ(sink.memory(), " UPDATED DATA\n"
                           "       block: 0  addr: 0000 / block: 1  addr: 0004\n" + comment +
                               pad(" 0000: [AB] ", 69) + "id : key  \n" +
                               pad(" 0002: [7] : [8] ", 69) + "n  : count\n" +
                               "       block: 1  addr: 0004 / block: 0  addr: 0000\n" + comment +
                               pad(" 0000: [CD] ", 69) + "id : key  \n" +
                               "       NO UPDATED\n"
                               "\n INSERTED DATA\n"
                               "       block: 2  addr: 0008\n" + comment +
                               pad(" 0000: [EF] ", 69) + "id : key  \n" +
                               pad(" 0002: [1] ", 69) + "n  : count\n");
}

}  // namespace
}  // namespace vesk
