#include "dump/plain_dump.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/memory_file_test_support.h"
#include "dump/dump_line.h"

namespace vesk {
namespace {

int eod(const char* code, const char* text, int n) {
  return find_eod(reinterpret_cast<const unsigned char*>(text), reinterpret_cast<const unsigned char*>(code),
                  static_cast<int>(std::strlen(code)), n);
}

TEST(FindEod, PositionJustPastTheCode) {
  EXPECT_EQ(eod("\r\n", "ab\r\ncd", 6), 4);
  EXPECT_EQ(eod("X", "abXcd", 5), 3);
  EXPECT_EQ(eod("X", "abcd", 4), -1);
  // Starts run while i < n - 1: a one-byte code in the last byte is not taken.
  EXPECT_EQ(eod("X", "abcX", 4), -1);
  // A code that ends in the last byte is taken; one that passes it is not.
  EXPECT_EQ(eod("cX", "abcX", 4), 4);
  EXPECT_EQ(eod("cXY", "abcXY", 4), -1);
}

TEST(PutHexPair, PairAndSingle) {
  char buf[8] = "xxxxxxx";
  put_hex_pair(buf, 0x0A, 0xFF);
  EXPECT_EQ(std::string(buf, 7), "0aff xx");
  put_hex_pair(buf, 0xB1, -1);
  EXPECT_EQ(std::string(buf, 7), "b1   xx");
}

// The whole dump of bytes, run in process into a memory sink.
struct Dumped {
  std::string out;
  int status;
};
Dumped dump(const Settings& s, const std::string& bytes) {
  test_support::MemoryFile file(bytes);
  ByteSource in(file.fd, "in.bin");
  ReportSink sink;
  Report report(sink, s.page_lines);
  int status = plain_dump(s, in, report);
  sink.flush();
  return {sink.memory(), status};
}

// 16 bytes a line: the prefix in columns 0-11, hex groups from 13, the first
// bar at 53, the characters from 55, the closing bar at 72.
const std::string kScale = "              0 1  2 3  4 5  6 7  8 9  A B  C D  E F   0123456789ABCDEF\n";

TEST(PlainDump, ASmallBufferInProcess) {
  Dumped d = dump(Settings{}, std::string("Hello, World!\r\n\x82\xa0" "ABC\0\x01", 22));
  EXPECT_EQ(d.status, 0);
  EXPECT_EQ(d.out, kScale +
                       " 0000 0000   4865 6c6c 6f2c 2057 6f72 6c64 210d 0a82 | Hello, World!..\x82\xa0|\n"
                       "      0010   a041 4243 0001                          |  ABC..           |\n");
}

TEST(PlainDump, RepeatsAndPages) {
  Settings s;
  s.page_lines = 3;
  s.blk_size = 48;
  // Block 0: three equal lines; block 1: one line of its own.
  Dumped d = dump(s, std::string(48, 'a') + "b");
  const std::string a16 = "6161 6161 6161 6161 6161 6161 6161 6161 | aaaaaaaaaaaaaaaa |";
  EXPECT_EQ(d.out, kScale +
                       " 0000 0000   " + a16 + "\n"
                       "      ....\n" +
                       kScale +
                       " 0001 0000   62                                      | b                |\n");
}

// A line of sixteen bytes of one letter whose code is 0x6N: its hex part
// and characters.
std::string letter_line(char letter, char n) {
  std::string hex;
  for (int g = 0; g < 8; ++g) hex += std::string("6") + n + "6" + n + " ";
  return hex + "| " + std::string(16, letter) + " |\n";
}

TEST(PlainDump, RunsOfLinesBrokenByRepeatsAndPages) {
  Settings s;
  s.page_lines = 4;
  s.blk_size = 96;
  // The page ends after the third line; the last line repeats the fifth,
  // the second of a run of lines.
  Dumped d = dump(s, std::string(16, 'a') + std::string(16, 'b') + std::string(16, 'c') + std::string(16, 'd') +
                         std::string(32, 'e'));
  EXPECT_EQ(d.out, kScale + " 0000 0000   " + letter_line('a', '1') + "      0010   " + letter_line('b', '2') +
                       "      0020   " + letter_line('c', '3') + kScale + "      0030   " + letter_line('d', '4') +
                       "      0040   " + letter_line('e', '5') + "      ....\n");
}

TEST(PlainDump, APageForEachBlockUnderPb) {
  Settings s;
  s.page_lines = kPerBlockPageLines;
  s.page_mode = PageMode::per_block;
  s.blk_size = 1;
  s.line_bytes = 2;
  Dumped d = dump(s, "AB");
  const std::string scale = "              0 1   01\n";
  EXPECT_EQ(d.out, scale + " 0000 0000   41   | A  |\n" + scale + " 0001 0000   42   | B  |\n");
}

}  // namespace
}  // namespace vesk
