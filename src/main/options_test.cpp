#include "main/options.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include <memory>

namespace vesk {
namespace {

struct Parsed {
  int rc;
  std::string err;
};

// The settings of the last parse.
Settings settings;

// Parses the arguments from fresh settings; none of these name a file, so a
// parse that gets to the end fails with "filename missing".
Parsed parse(std::initializer_list<const char*> args, const Settings& preset = Settings()) {
  auto cmd = std::make_unique<CommandLine>();
  cmd->settings = preset;
  std::vector<std::string> words{"vesk"};
  for (const char* a : args) words.emplace_back(a);
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  testing::internal::CaptureStderr();
  int rc = parse_options(static_cast<int>(argv.size()), argv.data(), *cmd);
  std::string err = testing::internal::GetCapturedStderr();
  settings = cmd->settings;
  // The settings keep pointers into argv only for files and format names,
  // which these cases do not give.
  return {rc, err};
}

constexpr const char* kComplete = "filename missing\n";

std::string code() {
  return std::string(reinterpret_cast<const char*>(settings.eod_code), sizeof settings.eod_code);
}

TEST(ParseOptions, LetterGroups) {
  struct Case {
    const char* arg;
    CharMode char_mode;
    bool show_ctrl, map_disp;
    int map_cell;
  };
  using M = CharMode;
  for (const Case& c : {Case{"-AE", M::euc, 0, 0, 3}, Case{"-EA", M::ascii, 0, 0, 3}, Case{"-jJ", M::jis, 1, 0, 3},
                        Case{"-jU", M::utf8, 1, 0, 3}, Case{"-K", M::kana, 0, 0, 3}, Case{"-Mm", M::sjis, 0, 1, 4},
                        Case{"-m", M::sjis, 0, 1, 3}}) {
    Parsed p = parse({c.arg});
    EXPECT_EQ(p.err, kComplete) << c.arg;
    EXPECT_EQ(settings.char_mode, c.char_mode) << c.arg;
    EXPECT_EQ(settings.show_ctrl, c.show_ctrl) << c.arg;
    EXPECT_EQ(settings.map_disp, c.map_disp) << c.arg;
    EXPECT_EQ(settings.map_cell, c.map_cell) << c.arg;
  }
  parse({"-BCDLv"});
  EXPECT_TRUE(settings.align_mode);
  EXPECT_EQ(settings.run_mode, RunMode::char_dump);
  EXPECT_TRUE(settings.dec_mode);
  EXPECT_FALSE(settings.omit_same);
  EXPECT_TRUE(settings.byte_swap);
}

TEST(ParseOptions, EndCodes) {
  parse({"-xa0B1"});
  EXPECT_EQ(code(), std::string("\xa0\xb1\0\0\0\0\0\0", 8));
  EXPECT_EQ(settings.eod_len, 2);
  parse({"-tabc", "-x41"});
  EXPECT_EQ(code(), std::string("A\0\0\0\0\0\0\0", 8));
  EXPECT_EQ(settings.eod_len, 1);
  parse({"-x4142", "-x43"});
  EXPECT_EQ(code(), std::string("C\0\0\0\0\0\0\0", 8));
  EXPECT_EQ(settings.eod_len, 1);
  parse({"-x0123456789abcdef"});
  EXPECT_EQ(code(), "\x01\x23\x45\x67\x89\xab\xcd\xef");
  EXPECT_EQ(settings.eod_len, 8);
  parse({"-x41", "-tAB"});
  EXPECT_EQ(code(), std::string("AB\0\0\0\0\0\0", 8));
  EXPECT_EQ(settings.eod_len, 2);
  parse({"-t12345678"});
  EXPECT_EQ(code(), "12345678");
  EXPECT_EQ(settings.eod_len, 8);
  // Without -t or -x the code is three blanks: no end code.
  parse({"-A"});
  EXPECT_EQ(code(), std::string("   \0\0\0\0\0", 8));
  EXPECT_EQ(settings.eod_len, 0);
}

TEST(ParseOptions, BlockRanges) {
  struct Case {
    std::vector<const char*> args;
    int start, end;
  };
  const std::vector<Case> cases = {
      {{"-n5"}, 5, 5},
      {{"-n10,20"}, 0x10, 0x20},
      {{"-D", "-n10,20"}, 10, 20},
      {{"-n10,0"}, 0x10, 0x10},
      {{"-nff,100"}, 0xff, 0x100},
      {{"-n,5"}, 0, 5},             // an empty first number leaves start_blk
      {{"-n3,9", "-nzz"}, 3, 3},    // no hex number: start_blk unchanged, one block
      {{"-D", "-n3", "-nzz"}, 0, 0}, // decimal text that is no number reads 0
      {{"-n0x1f,0X20"}, 0x1f, 0x20},
      {{"-D", "-n10,f"}, 10, 10},
  };
  for (const Case& c : cases) {
    Parsed p;
    switch (c.args.size()) {
      case 1: p = parse({c.args[0]}); break;
      case 2: p = parse({c.args[0], c.args[1]}); break;
      default: p = parse({c.args[0], c.args[1], c.args[2]}); break;
    }
    EXPECT_EQ(p.err, kComplete) << c.args.back();
    EXPECT_EQ(settings.start_blk, c.start) << c.args.back();
    EXPECT_EQ(settings.end_blk, c.end) << c.args.back();
  }
  Parsed p = parse({"-n10,f"});
  EXPECT_EQ(p.err, "-n10,f: illegal block number\n");
  p = parse({"-n3", "-n,2"});
  EXPECT_EQ(p.err, "-n,2: illegal block number\n");
}

TEST(ParseOptions, PagesWidthsAndSizes) {
  parse({"-p0"});
  EXPECT_EQ(settings.page_lines, 32767);
  parse({"-p"});
  EXPECT_EQ(settings.page_lines, 32767);
  EXPECT_EQ(settings.page_mode, PageMode::lines);
  parse({"-pb"});
  EXPECT_EQ(settings.page_lines, 32000);
  EXPECT_EQ(settings.page_mode, PageMode::per_block);
  parse({"-p32000"});
  EXPECT_EQ(settings.page_mode, PageMode::per_block);
  parse({"-p50x"});
  EXPECT_EQ(settings.page_lines, 50);
  parse({"-l100", "-w40,30"});
  EXPECT_EQ(settings.line_width, 100);
  EXPECT_EQ(settings.item_size, 40);
  EXPECT_EQ(settings.comment_size, 30);
  parse({"-w34,34"});
  EXPECT_EQ(settings.item_size, 34);
  EXPECT_EQ(settings.comment_size, 34);
  parse({"-C", "-b256", "-h4095", "-d4096"});
  EXPECT_EQ(settings.line_bytes, 256);
  EXPECT_EQ(settings.hdr_size, 4095);
  EXPECT_EQ(settings.blk_size, 4096);
  EXPECT_EQ(settings.run_mode, RunMode::char_dump);
}

TEST(ParseOptions, LargeNumbersKeepTheirLow32Bits) {
  parse({"-b4294967312"});  // 2^32 + 16
  EXPECT_EQ(settings.line_bytes, 16);
  EXPECT_EQ(parse({"-b4294967296"}).err, "0: invalid byte number\n");
  // Past 64 bits the value saturates like strtol: low 32 bits of 2^63 - 1.
  EXPECT_EQ(parse({"-b99999999999999999999"}).err, "-1: invalid byte number\n");
  // The -w sum does not wrap.
  EXPECT_EQ(parse({"-w2147483647,2147483647"}).err, "illegal -s option\n");
}

// A bare option whose bare form fails takes the next argument as its value;
// where the bare form is taken (ignored after -f) the next argument stays.
TEST(ParseOptions, ValuesInTheNextArgument) {
  parse({"-b", "8", "-d", "512", "-h", "3", "-x", "0d0a"});
  EXPECT_EQ(settings.line_bytes, 8);
  EXPECT_EQ(settings.blk_size, 512);
  EXPECT_EQ(settings.hdr_size, 3);
  EXPECT_EQ(settings.eod_len, 2);
  EXPECT_EQ(code(), std::string("\r\n\0\0\0\0\0\0", 8));
  parse({"-t", "END", "-l", "120", "-w", "60,40"});
  EXPECT_EQ(settings.eod_len, 3);
  EXPECT_EQ(settings.line_width, 120);
  EXPECT_EQ(settings.item_size, 60);
  EXPECT_EQ(settings.comment_size, 40);
  parse({"-C", "-b", "200"});
  EXPECT_EQ(settings.line_bytes, 200);
  // The messages name the option and its value as typed.
  EXPECT_EQ(parse({"-x", "zz"}).err, "-x zz: illegal code found\n");
  EXPECT_EQ(parse({"-t", "123456789"}).err, "-t 123456789: too long\n");
  EXPECT_EQ(parse({"-b", "33"}).err, "33: invalid byte number\n");
  EXPECT_EQ(parse({"-w", "40"}).err, "illegal -s option\n");
  // Last on the line, a bare option fails as before.
  EXPECT_EQ(parse({"-d"}).err, "0: too large block size(max. 4096 bytes)\n");
  EXPECT_EQ(parse({"-x"}).err, "-x: illegal -e option\n");
  // -n and -p keep their bare meaning; what follows is a file.
  parse({"-p", "-n"});
  EXPECT_EQ(settings.page_lines, 32767);
  EXPECT_EQ(settings.end_blk, 0);
  EXPECT_EQ(parse({"-n", "100"}).err, "100: not found (for blocks, write -n100)\n");
  EXPECT_EQ(parse({"-n", "1f,2a"}).err, "1f,2a: not found (for blocks, write -n1f,2a)\n");
  EXPECT_EQ(parse({"-D", "-n", "1f"}).err, "1f: not found\n");
  EXPECT_EQ(parse({"-p", "50"}).err, "50: not found (for the page length, write -p50)\n");
  EXPECT_EQ(parse({"-p", "b"}).err, "b: not found (for the page length, write -pb)\n");
  EXPECT_EQ(parse({"-p", "5,6"}).err, "5,6: not found\n");
  EXPECT_EQ(parse({"-n", "-A", "100"}).err, "100: not found\n");
}

// --skip-bytes and --read-bytes, as the long options leave them, become the
// blocks that hold the bytes, under the last -h and -d. (Any file that opens
// completes the command line.)
TEST(ParseOptions, ByteRanges) {
  constexpr const char* kAnyFile = "/dev/null";
  struct Case {
    std::vector<const char*> args;
    long long skip, read;
    long long start, end;
    bool header;
  };
  const std::vector<Case> cases = {
      {{}, 0, 1, 0, 0, false},
      {{}, 256, 256, 1, 1, false},
      {{}, 255, 2, 0, 1, false},
      {{}, 1500000000, -1, 5859375, kMaxBlockNumber, false},
      {{"-d1000"}, 1500000000, 1, 1500000, 1500000, false},
      {{"-d", "1000"}, 999, 1002, 0, 2, false},
      {{"-h100", "-d10"}, 99, 2, 0, 0, true},   // the last header byte and the first data byte
      {{"-h100", "-d10"}, 0, 100, 0, -1, true}, // the header alone
      {{"-h100", "-d10"}, 100, 10, 0, 0, false},
      {{"-h100", "-d10"}, 125, -1, 2, kMaxBlockNumber, false},
  };
  for (const Case& c : cases) {
    Settings preset;
    preset.skip_bytes = c.skip;
    preset.read_bytes = c.read;
    preset.byte_option = "--skip-bytes=N";
    Parsed p;
    switch (c.args.size()) {
      case 0: p = parse({kAnyFile}, preset); break;
      case 1: p = parse({c.args[0], kAnyFile}, preset); break;
      default: p = parse({c.args[0], c.args[1], kAnyFile}, preset); break;
    }
    EXPECT_EQ(p.err, "") << c.skip << " " << c.read;
    EXPECT_EQ(settings.start_blk, c.start) << c.skip << " " << c.read;
    EXPECT_EQ(settings.end_blk, c.end) << c.skip << " " << c.read;
    EXPECT_EQ(settings.shows_header(), c.header) << c.skip << " " << c.read;
    EXPECT_TRUE(settings.range_given);
  }
  Settings preset;
  preset.byte_option = "--read-bytes=5";
  preset.read_bytes = 5;
  EXPECT_EQ(parse({"-n3", kAnyFile}, preset).err, "--read-bytes=5: not with -n\n");
  EXPECT_EQ(parse({"-x0a", kAnyFile}, preset).err, "--read-bytes=5: not with an end code (-t, -x)\n");
  preset.byte_option = "--skip-bytes=X";
  preset.skip_bytes = kMaxBlockNumber + 1;
  preset.read_bytes = -1;
  EXPECT_EQ(parse({"-d1", kAnyFile}, preset).err, "--skip-bytes=X: past the last block number\n");
}

TEST(ParseOptions, StopsAtTheFirstFailure) {
  Parsed p = parse({"-b20", "-b33", "-b0"});
  EXPECT_NE(p.rc, 0);
  EXPECT_EQ(p.err, "33: invalid byte number\n");
  EXPECT_EQ(settings.line_bytes, 20);
}

}  // namespace
}  // namespace vesk
