#include "common/messages.h"

#include <gtest/gtest.h>

#include <string>


namespace vesk {
namespace {

std::string edit(const char* format, ...) {
  va_list args;
  va_start(args, format);
  char out[kEditSize];
  std::string s = err_edit(out, format, args);
  va_end(args);
  return s;
}

TEST(ErrEdit, Conversions) {
  EXPECT_EQ(edit("%s: not found\n", "a.dat"), "a.dat: not found\n");
  EXPECT_EQ(edit("%d: illegal line width\n", -5), "-5: illegal line width\n");
  EXPECT_EQ(edit("%x: no block data\n", 255), "ff: no block data\n");
  EXPECT_EQ(edit("[%c]", 'Q'), "[Q]");
  EXPECT_EQ(edit("%f", 1.5), "1.500000");
}

TEST(ErrEdit, WidthsAndFlagsAreNotSupported) {
  // The argument is not consumed: the %s that follows takes it.
  EXPECT_EQ(edit("%5d|%s", "x"), "%5d|x");
  EXPECT_EQ(edit("100%%"), "100%%");
  EXPECT_EQ(edit("%ld", 3), "%ld");
  EXPECT_EQ(edit("50%"), "50%");
}

TEST(ErrEdit, Backslashes) {
  EXPECT_EQ(edit("a\\%b%s", "c"), "a%bc");
  EXPECT_EQ(edit("end\\"), "end\\");
}

TEST(ErrEdit, LongStringsAreCut) {
  std::string big(2000, 'a');
  std::string out = edit("%s", big.c_str());
  EXPECT_EQ(out.size(), 1024u - 256u);
  std::string prefix(900, 'p');
  // 900 produced; the cut length 1024 - 900 - 256 is negative: nothing copied.
  std::string fmt = prefix + "%s";
  EXPECT_EQ(edit(fmt.c_str(), big.c_str()), prefix);
  // A text that fits is copied whole.
  EXPECT_EQ(edit("%s!", "short"), "short!");
}

TEST(ErrEdit, MoreConversions) {
  EXPECT_EQ(edit("%x", -1), "ffffffff");
  EXPECT_EQ(edit("%c%c", 0x141, 'b'), "Ab");  // only the low byte of the argument
  EXPECT_EQ(edit("%d/%d", 0, -2147483647 - 1), "0/-2147483648");
  // A width with an int argument: the three characters come out, the int is unused.
  EXPECT_EQ(edit("[%5d]", 7), "[%5d]");
  EXPECT_EQ(edit("%u%l%-"), "%u%l%-");
}

TEST(ErrEdit, TextStopsAtTheLimit) {
  // A conversion that reaches 1,024 exactly is copied whole; nothing follows it.
  std::string prefix(24, 'p');
  std::string text(1000, 't');
  std::string fmt = prefix + "%s tail";
  EXPECT_EQ(edit(fmt.c_str(), text.c_str()), prefix + text);
  // A %d past the limit still comes out whole: the cut is after the conversion.
  std::string near(1022, 'n');
  std::string fmt2 = near + "%d more";
  EXPECT_EQ(edit(fmt2.c_str(), 12345), near + "12345");
  // A long plain format is cut at 1,024 characters.
  std::string plain(1500, 'q');
  EXPECT_EQ(edit((plain + "%d").c_str(), 1), std::string(1024, 'q'));
  // 500 produced, 600 more would pass 1,024: 1024 - 500 - 256 = 268 are copied.
  std::string half(500, 'h');
  std::string s600(600, 's');
  EXPECT_EQ(edit((half + "%s!").c_str(), s600.c_str()), half + std::string(268, 's') + "!");
}

// Runs f with standard error captured and returns what it wrote.
template <typename F>
std::string stderr_of(F f) {
  testing::internal::CaptureStderr();
  f();
  return testing::internal::GetCapturedStderr();
}

TEST(ErrMsg, WritesPlainFormatsAsStored) {
  int n = 0;
  // Without a "%" the format is not edited: its backslash stays.
  EXPECT_EQ(stderr_of([&] { n = errmsg("a\\b\n"); }), "a\\b\n");
  EXPECT_EQ(n, 4);
  EXPECT_EQ(stderr_of([&] { n = errmsg("%s: not found\n", "x.dat"); }), "x.dat: not found\n");
  EXPECT_EQ(n, 17);
  // With a "%" the backslash escape applies.
  EXPECT_EQ(stderr_of([] { errmsg("\\x%d\n", 3); }), "x3\n");
  // The argument is inserted, never edited itself.
  EXPECT_EQ(stderr_of([] { errmsg("%s\n", "50% \\x"); }), "50% \\x\n");
}

TEST(DefError, NamesTheFormatFileAndTheLine) {
  const char* f = "sales.fmt";
  EXPECT_EQ(stderr_of([f] { def_error(f, "illegal repeat", 12); }), "sales.fmt: illegal repeat (line is 12)\n");
  EXPECT_EQ(stderr_of([f] { def_error(f, "illegal definition", 0); }), "sales.fmt: illegal definition\n");
  // The message is an argument: a "%" in it is written as it stands.
  EXPECT_EQ(stderr_of([f] { def_error(f, "%s: illegal repeat or data length", 3); }),
            "sales.fmt: %s: illegal repeat or data length (line is 3)\n");
  EXPECT_EQ(stderr_of([f] { def_error(f, "unknown type\n", 0); }), "sales.fmt: unknown type\n\n");
  // Line numbers are counted in 64 bits.
  EXPECT_EQ(stderr_of([f] { def_error(f, "x", 2147483647LL); }), "sales.fmt: x (line is 2147483647)\n");
  EXPECT_EQ(stderr_of([f] { def_error(f, "x", 2147483648LL); }), "sales.fmt: x (line is 2147483648)\n");
  EXPECT_EQ(stderr_of([f] { def_error(f, "x", 4294967299LL); }), "sales.fmt: x (line is 4294967299)\n");
  int rc = -1;
  stderr_of([&] { rc = def_error(f, "x", 0); });
  EXPECT_EQ(rc, 0);
}

TEST(GetMem, ReportsTheSizeItCouldNotHave) {
  EXPECT_EQ(stderr_of([] { report_no_memory(1010); }), "\ncannot get the memory of 0 K bytes\n");
  EXPECT_EQ(stderr_of([] { report_no_memory(1000); }), "\ncannot get the memory of 1000 bytes\n");
  EXPECT_EQ(stderr_of([] { report_no_memory(1001); }), "\ncannot get the memory of 0 K bytes\n");
  EXPECT_EQ(stderr_of([] { report_no_memory(5000); }), "\ncannot get the memory of 4 K bytes\n");
  EXPECT_EQ(stderr_of([] { report_no_memory(0); }), "\ncannot get the memory of 0 bytes\n");
}

}  // namespace
}  // namespace vesk
