#include "main/long_options.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace vesk {
namespace {

const char* nearest(const char* typed) {
  const LongOption* o = nearest_long_option(typed, std::strlen(typed));
  return o ? o->name : "";
}

TEST(LongOptions, NearestName) {
  struct Case {
    const char* typed;
    const char* meant;
  };
  for (const Case& c : {Case{"summray", "summary"}, Case{"sumary", "summary"}, Case{"summaryy", "summary"},
                        Case{"sum", "summary"}, Case{"utf", "utf8"}, Case{"utf-8", "utf8"}, Case{"sjsi", "sjis"},
                        Case{"hlep", "help"}, Case{"Help", "help"}, Case{"exitcode", "exit-code"},
                        Case{"skip-byte", "skip-bytes"}, Case{"read-byte", "read-bytes"}, Case{"alll", "all"},
                        Case{"x", ""}, Case{"s", ""}, Case{"everything", ""}, Case{"xml", ""}, Case{"jsno", "json"}, Case{"cvs", "csv"}, Case{"", ""}}) {
    EXPECT_STREQ(nearest(c.typed), c.meant) << c.typed;
  }
}

// Every option has a help line and a name --help can show in its column.
TEST(LongOptions, TableRows) {
  for (const LongOption& o : long_options()) {
    EXPECT_NE(o.help, nullptr);
    EXPECT_NE(o.apply, nullptr);
    EXPECT_LT(std::strlen(o.name) + (o.value ? std::strlen(o.value) + (o.value_optional ? 3 : 1) : 0), 17u)
        << o.name;
  }
}

struct Taken {
  int rc;
  std::string err;
  Settings settings;
  LongRequests requests;
  std::vector<std::string> rest;
  std::string byte_option;  // copied: the settings point into the arguments
};

Taken take(std::vector<std::string> words) {
  words.insert(words.begin(), "vesk");
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  Taken t;
  std::vector<char*> rest;
  testing::internal::CaptureStderr();
  t.rc = take_long_options(static_cast<int>(argv.size()), argv.data(), t.settings, t.requests, rest);
  t.err = testing::internal::GetCapturedStderr();
  for (char* r : rest) t.rest.emplace_back(r);
  if (t.settings.byte_option != nullptr) t.byte_option = t.settings.byte_option;
  t.settings.byte_option = nullptr;
  return t;
}

TEST(LongOptions, Values) {
  Taken t = take({"--skip-bytes=1K", "a.bin", "--read-bytes=0x10"});
  EXPECT_EQ(t.rc, 0);
  EXPECT_EQ(t.settings.skip_bytes, 1024);
  EXPECT_EQ(t.settings.read_bytes, 16);
  EXPECT_EQ(t.byte_option, "--skip-bytes=1K");
  EXPECT_EQ(t.rest, (std::vector<std::string>{"vesk", "a.bin"}));
  EXPECT_EQ(take({"--read-bytes=0"}).err, "--read-bytes=0: invalid number of bytes\n");
  EXPECT_EQ(take({"--skip-bytes=-1"}).err, "--skip-bytes=-1: invalid number of bytes\n");
  EXPECT_EQ(take({"--skip-bytes"}).err, "--skip-bytes: needs a value (--skip-bytes=N)\n");
  EXPECT_EQ(take({"--summary=yes"}).err, "--summary=yes: takes no value\n");
  // The first failure is the one reported; the flags after it still count.
  t = take({"--skip-bytes=z", "--summray", "--exit-code"});
  EXPECT_EQ(t.err, "--skip-bytes=z: invalid number of bytes\n");
  EXPECT_TRUE(t.settings.exit_code);
  t = take({"--summray=1", "--skip-bytes=z"});
  EXPECT_EQ(t.err, "--summray=1: invalid option; did you mean --summary?\n");
  EXPECT_NE(t.rc, 0);
}

// --color takes auto, always or never, or nothing (always); the later one wins.
TEST(LongOptions, Color) {
  EXPECT_EQ(take({}).settings.color, ColorChoice::automatic);
  EXPECT_EQ(take({"--color"}).settings.color, ColorChoice::always);
  EXPECT_EQ(take({"--color=never"}).settings.color, ColorChoice::never);
  EXPECT_EQ(take({"--color=never", "--color=always"}).settings.color, ColorChoice::always);
  EXPECT_EQ(take({"--color", "--color=auto"}).settings.color, ColorChoice::automatic);
  EXPECT_EQ(take({"--color=yes"}).err, "--color=yes: invalid value (auto, always or never)\n");
  EXPECT_EQ(take({"--color="}).err, "--color=: invalid value (auto, always or never)\n");
  EXPECT_EQ(take({"--colour"}).err, "--colour: invalid option; did you mean --color?\n");
}

TEST(LongOptions, EncodingVariable) {
  Settings s;
  EXPECT_EQ(take_encoding_variable(nullptr, s), 0);
  EXPECT_EQ(take_encoding_variable("", s), 0);
  EXPECT_EQ(s.encoding, OutputEncoding::automatic);
  EXPECT_EQ(take_encoding_variable("utf8", s), 0);
  EXPECT_EQ(s.encoding, OutputEncoding::utf8);
  EXPECT_EQ(take_encoding_variable("sjis", s), 0);
  EXPECT_EQ(s.encoding, OutputEncoding::sjis);
  testing::internal::CaptureStderr();
  EXPECT_NE(take_encoding_variable("UTF-8", s), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "VESK_ENCODING=UTF-8: invalid value (utf8 or sjis)\n");
}

}  // namespace
}  // namespace vesk
