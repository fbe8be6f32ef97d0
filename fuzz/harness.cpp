// Fuzz harness for vesk: turns one fuzz input into a command line and input
// files, then runs vesk exactly as main does. Built with AFL++'s compiler and
// run under its fork server, so every input gets a fresh process. Unless a
// harness sends the report to /dev/full, the report is kept in memory and
// checked against the rule that it holds only printable text (printable
// ASCII, line ends, half-width kana, valid Shift_JIS pairs; under --utf8,
// well-formed UTF-8 without control characters; with --color, outside the
// SGR sequences): a breach aborts, and the fuzzer keeps the input as a crash.
//
// usage: vesk_fuzz HARNESS INPUTFILE
//   options    the input's lines are the arguments; "@d", "@g", "@e", "@f",
//              "@c" and "@t" stand for a data file, a second data file, an
//              empty file, a format file, a comparison format and a folder
//   dump       an 8-byte header picks accepted plain-dump options; the rest is
//              the data
//   format     the input is a format file, run over a fixed data file
//   formatted  a 5-byte header picks a fixed format and options; the rest is
//              the data
//   compare    a 5-byte header picks options and where the rest is cut into
//              the two files of a comparison over a fixed format (each cut
//              to whole blocks, unless asked otherwise)
//
// Input files live in memory (memfd) or in a pipe, named /proc/self/fd/N.
// With VESK_FUZZ_KEEP=DIR the files are written into DIR under plain names
// instead, and the command line is printed on standard error: that replays a
// crash with any vesk binary.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "main/app.h"
#include "output/report_sink.h"
#include "output/report_text.h"

namespace {

using Bytes = std::string;

const char* keep_dir = nullptr;
std::vector<std::string> args;

// ---- input files ----------------------------------------------------------

std::string file_in_memory(const Bytes& data) {
  int fd = memfd_create("vesk-fuzz", 0);
  if (fd < 0) std::abort();
  std::size_t done = 0;
  while (done < data.size()) {
    ssize_t k = ::write(fd, data.data() + done, data.size() - done);
    if (k <= 0) std::abort();
    done += static_cast<std::size_t>(k);
  }
  return "/proc/self/fd/" + std::to_string(fd);
}

// A pipe already holding the data, its writing end closed: an input that
// cannot seek. Data beyond the pipe's capacity is left out.
std::string file_in_pipe(const Bytes& data) {
  int p[2];
  if (::pipe(p) != 0) std::abort();
  int cap = ::fcntl(p[1], F_SETPIPE_SZ, 1 << 20);
  if (cap < 0) cap = ::fcntl(p[1], F_GETPIPE_SZ);
  if (cap < 0) cap = 4096;
  std::size_t n = data.size() < static_cast<std::size_t>(cap) ? data.size() : static_cast<std::size_t>(cap);
  std::size_t done = 0;
  while (done < n) {
    ssize_t k = ::write(p[1], data.data() + done, n - done);
    if (k <= 0) break;
    done += static_cast<std::size_t>(k);
  }
  ::close(p[1]);
  return "/proc/self/fd/" + std::to_string(p[0]);
}

// Returns the name by which vesk is to open the file.
std::string make_file(const char* name, const Bytes& data, bool pipe = false) {
  if (keep_dir != nullptr) {
    std::string path = std::string(keep_dir) + "/" + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr || std::fwrite(data.data(), 1, data.size(), f) != data.size()) std::abort();
    std::fclose(f);
    if (pipe) return std::string("<(cat ") + name + ")";
    return name;
  }
  return pipe ? file_in_pipe(data) : file_in_memory(data);
}

// ---- fixed inputs -----------------------------------------------------------

// Every item type, a template, renames, nested and repeated structures, three
// ranges, the last at an explicit offset.
const char kFormatAll[] =
    "/* every item type */\n"
    "#define N 3\n"
    "#define LEN 6\n"
    "#REN YEN l\n"
    "typedef long AMOUNT;\n"
    "typedef unsigned short CODE;\n"
    "typedef struct {\n"
    "\tshort year;\n"
    "\tchar mon[2];\n"
    "} DATE;\n"
    "#BLNO 0 0 ; header\n"
    "struct HEAD {\n"
    "\tchar title[LEN*2]; /* file title */\n"
    "\tDATE made;\n"
    "\tlong count;\n"
    "\tBYTE flag; /* no display */\n"
    "};\n"
    "#BLNO 1 4 ; records\n"
    "struct REC {\n"
    "\tBYTE id[4];\n"
    "\tYEN price[2][N];\n"
    "\tstruct {\n"
    "\t\tshort code;\n"
    "\t\tunsigned char c;\n"
    "\t} sub[2];\n"
    "c:8:memo:remark\n"
    "\tint i;\n"
    "\tunsigned int ui;\n"
    "\tunsigned long ul;\n"
    "\tfloat f[2];\n"
    "\tdouble d;\n"
    "\tchar *p;\n"
    "\tchar far *fp;\n"
    "\tLPSTR lp;\n"
    "\tWORD w;\n"
    "\tDWORD dw;\n"
    "\tAMOUNT amt;\n"
    "\tCODE cd;\n"
    "x:3[2]:raw:raw words\n"
    "s:2:year:year list\n"
    "};\n"
    "#BLNO offset=0x200 5 & ; tail\n"
    "struct TAIL {\n"
    "\tlong v;\n"
    "\tchar t[20];\n"
    "} recs[3];\n";

// One data format with the id item of a comparison.
const char kFormatCompare[] =
    "#BLNO 0 & ; records\n"
    "struct R {\n"
    "\tlong id;\n"
    "\tchar name[10]; /* the name */\n"
    "\tshort v[3];\n"
    "\tdouble d;\n"
    "\tfloat f;\n"
    "\tBYTE raw[5];\n"
    "\tstruct {\n"
    "\t\tchar a;\n"
    "\t\tunsigned long b;\n"
    "\t} sub[2];\n"
    "};\n";

// The block size of kFormatCompare, without and with the letter B.
constexpr std::size_t kCompareBlock = 47;
constexpr std::size_t kCompareBlockAligned = 56;

// Tiny blocks, then one of the largest.
const char kFormatSizes[] =
    "#BLNO 0 9\n"
    "struct ONE {\n"
    "\tchar c;\n"
    "};\n"
    "#BLNO 10 &\n"
    "struct BIG {\n"
    "\tchar text[64][64];\n"
    "};\n";

// Doubles and floats only, to meet every float text.
const char kFormatFloats[] =
    "#BLNO 0 &\n"
    "struct F {\n"
    "\tdouble d[4];\n"
    "\tfloat f[4];\n"
    "};\n";

const char* const kFormats[] = {kFormatAll, kFormatCompare, kFormatSizes, kFormatFloats};

Bytes pattern_data(std::size_t n) {
  Bytes d(n, '\0');
  for (std::size_t i = 0; i < n; ++i) d[i] = static_cast<char>((i * 37 + (i >> 8)) & 0xFF);
  return d;
}

// ---- building the command line --------------------------------------------

void add(const std::string& a) { args.push_back(a); }

unsigned char at(const Bytes& in, std::size_t i) {
  return i < in.size() ? static_cast<unsigned char>(in[i]) : 0;
}

// Bytes of an argument cannot be 0.
std::string no_nul(const Bytes& b) {
  std::string s = b;
  for (char& c : s)
    if (c == '\0') c = '\x01';
  return s;
}

bool full_stdout = false;

void use_full_stdout() {
  full_stdout = true;
  int fd = ::open("/dev/full", O_WRONLY);
  if (fd >= 0) ::dup2(fd, STDOUT_FILENO);
}

void harness_options(const Bytes& in) {
  std::size_t start = 0;
  while (start <= in.size() && args.size() < 24) {
    std::size_t end = in.find('\n', start);
    if (end == Bytes::npos) end = in.size();
    std::string a = no_nul(in.substr(start, end - start));
    start = end + 1;
    if (a == "@d") a = make_file("d.dat", pattern_data(1000));
    else if (a == "@g") a = make_file("g.dat", pattern_data(700));
    else if (a == "@e") a = make_file("e.dat", "");
    else if (a == "@f") a = make_file("all.fmt", kFormatAll);
    else if (a == "@c") a = make_file("cmp.fmt", kFormatCompare);
    else if (a == "@t") a = "/";
    add(a);
  }
}

// Header: mode (and --guess), -b, -d, -h, -n first, -n second, end code, -p.
void harness_dump(const Bytes& in) {
  const unsigned char h0 = at(in, 0), h1 = at(in, 1), h2 = at(in, 2), h3 = at(in, 3);
  const unsigned char h4 = at(in, 4), h5 = at(in, 5), h6 = at(in, 6), h7 = at(in, 7);
  std::size_t pos = 8;
  static const char* const kModes[] = {"", "A", "K", "J", "j", "E", "U", "JE"};
  std::string letters = kModes[h0 & 7];
  const bool chars_only = h0 & 0x08;
  const bool decimal = h0 & 0x20;
  if (chars_only) letters += "C";
  if (h0 & 0x10) letters += "L";
  if (decimal) letters += "D";
  if (!letters.empty()) add("-" + letters);
  // Which code reads the data, in place of the dump.
  if ((h0 & 0xC0) == 0xC0) add("--guess");
  if (h1 != 0) add("-b" + std::to_string(chars_only ? h1 : 1 + h1 % 32));
  if (h2 != 0) {
    static const int kBig[] = {4096, 4095, 2048, 1024, 512, 257, 256, 255};
    add("-d" + std::to_string(h2 < 200 ? h2 : kBig[h2 % 8]));
  }
  if (h3 != 0) add("-h" + std::to_string(h3 < 128 ? h3 : (h3 - 128) * 32 + 1));
  if (h4 != 0) {
    int first = h4 % 24, second = first + h5 % 64;
    char text[64];
    if (decimal) std::snprintf(text, sizeof text, "-n%d", first);
    else std::snprintf(text, sizeof text, "-n%x", first);
    std::string n = text;
    if (h5 != 0) {
      if (decimal) std::snprintf(text, sizeof text, ",%d", second);
      else std::snprintf(text, sizeof text, ",%x", second);
      n += text;
    }
    add(n);
  }
  const int eod_len = h6 % 9;
  if (eod_len > 0) {
    Bytes code = in.substr(pos < in.size() ? pos : in.size(), eod_len);
    pos += eod_len;
    if (code.empty()) code = "\n";
    if (h6 & 0x80) {
      static const char kHex[] = "0123456789abcdef";
      std::string x = "-x";
      for (char c : code) {
        x += kHex[(static_cast<unsigned char>(c) >> 4) & 15];
        x += kHex[static_cast<unsigned char>(c) & 15];
      }
      add(x);
    } else {
      add("-t" + no_nul(code));
    }
  }
  if (h7 != 0) {
    if (h7 == 1) add("-p0");
    else if (h7 == 2) add("-pb");
    else if (h7 == 3) add("-p");
    else add("-p" + std::to_string(h7 % 40));
  }
  const bool pipe = h6 & 0x40;
  if ((h6 & 0x30) == 0x30) use_full_stdout();
  add(make_file("in.dat", in.substr(pos < in.size() ? pos : in.size()), pipe));
}

// Letters shared by the formatted dump and the comparison: m, M, v, D, B, and
// widths.
void format_letters(unsigned char flags, unsigned char widths) {
  std::string letters;
  if (flags & 0x01) letters += "m";
  if (flags & 0x02) letters += "M";
  if (flags & 0x04) letters += "v";
  if (flags & 0x08) letters += "D";
  if (flags & 0x10) letters += "B";
  if (!letters.empty()) add("-" + letters);
  if (widths & 0x80) add("-l" + std::to_string(80 + (widths & 0x7F)));
  if (widths & 0x40) add("-w" + std::to_string(widths & 0x3F) + "," + std::to_string((widths >> 2) & 0x0F));
}

// -b for the map, -n, after the format.
void format_ranges(unsigned char flags, unsigned char b, unsigned char n) {
  if ((flags & 0x03) && b != 0) add("-b" + std::to_string(1 + b % 40));
  if (n != 0) {
    const bool decimal = flags & 0x08;
    int first = n & 0x0F, second = first + (n >> 4);
    char text[64];
    if (decimal) std::snprintf(text, sizeof text, "-n%d,%d", first, second);
    else std::snprintf(text, sizeof text, "-n%x,%x", first, second);
    add(text);
  }
}

// The input is a format file; a checksum of it picks the options, so that the
// same format text is met in the formatted dump, the map and the comparison.
void harness_format(const Bytes& in) {
  unsigned sum = 0;
  for (unsigned char c : in) sum = sum * 31 + c;
  const unsigned char flags = static_cast<unsigned char>(sum >> 8);
  format_letters(flags, static_cast<unsigned char>(sum >> 16));
  const std::string fmt = make_file("t.fmt", in);
  const std::string data = make_file("d.dat", pattern_data(3000));
  if ((sum & 3) == 3) {
    add("-F");
    add(fmt);
    add("id");
    add(data);
    add(make_file("e.dat", pattern_data(2000)));
  } else {
    add("-f");
    add(fmt);
    add(data);
  }
  format_ranges(flags, static_cast<unsigned char>(sum >> 24), static_cast<unsigned char>(sum & 0x30));
}

// Header: flags (letters, pipe, /dev/full), format, widths, -b, -n.
void harness_formatted(const Bytes& in) {
  const unsigned char flags = at(in, 0);
  format_letters(flags, at(in, 2));
  add("-f");
  add(make_file("t.fmt", kFormats[at(in, 1) % 4]));
  format_ranges(flags, at(in, 3), at(in, 4));
  if ((flags & 0xC0) == 0xC0) use_full_stdout();
  add(make_file("d.dat", in.substr(in.size() < 5 ? in.size() : 5), (flags & 0xC0) == 0x40));
}

// Header: flags (letters, ragged, output), widths, cut point (2 bytes), -b.
// Both files are cut to whole blocks unless the ragged bit asks for the
// "data size" refusal; bits 6 and 7 give a pipe (refused) or /dev/full.
void harness_compare(const Bytes& in) {
  const unsigned char flags = at(in, 0);
  format_letters(flags, at(in, 1));
  add("-F");
  add(make_file("t.fmt", kFormatCompare));
  add("id");
  format_ranges(flags, at(in, 4), 0);
  const Bytes data = in.substr(in.size() < 5 ? in.size() : 5);
  std::size_t cut = (static_cast<std::size_t>(at(in, 2)) << 8 | at(in, 3));
  if (cut > data.size()) cut = data.size();
  Bytes old_file = data.substr(0, cut), new_file = data.substr(cut);
  if (!(flags & 0x20)) {
    const std::size_t block = (flags & 0x10) ? kCompareBlockAligned : kCompareBlock;
    old_file.resize(old_file.size() / block * block);
    new_file.resize(new_file.size() / block * block);
  }
  const bool pipe = (flags & 0xC0) == 0xC0;
  if ((flags & 0xC0) == 0x40) use_full_stdout();
  add(make_file("old.dat", old_file, pipe));
  add(make_file("new.dat", new_file));
}

Bytes read_all(const char* path) {
  Bytes b;
  std::FILE* f = std::fopen(path, "rb");
  if (f == nullptr) {
    std::perror(path);
    std::exit(2);
  }
  char buf[65536];
  std::size_t k;
  while ((k = std::fread(buf, 1, sizeof buf, f)) > 0 && b.size() < (1u << 20)) b.append(buf, k);
  std::fclose(f);
  return b;
}

// A report asked for in UTF-8 (--utf8): the index of the first byte that is
// not part of well-formed UTF-8 text, or that is a control character other
// than LF (C0, DEL, C1), or the size when there is none.
std::size_t first_non_utf8_text(const std::string& r) {
  std::size_t i = 0;
  const std::size_t n = r.size();
  while (i < n) {
    unsigned char c = static_cast<unsigned char>(r[i]);
    if (c < 0x80) {
      if ((c < 0x20 && c != '\n') || c == 0x7F) return i;
      ++i;
      continue;
    }
    int len = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
    if (len == 0 || i + static_cast<std::size_t>(len) > n) return i;
    std::uint32_t cp = c & (len == 2 ? 0x1F : len == 3 ? 0x0F : 0x07);
    for (int k = 1; k < len; ++k) {
      unsigned char t = static_cast<unsigned char>(r[i + static_cast<std::size_t>(k)]);
      if ((t & 0xC0) != 0x80) return i;
      cp = cp << 6 | (t & 0x3F);
    }
    const std::uint32_t least[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < least[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) || (cp >= 0x80 && cp < 0xA0)) return i;
    i += static_cast<std::size_t>(len);
  }
  return n;
}

// The report without its SGR sequences (ESC [ digits and ; m).
std::string without_sgr(const std::string& r) {
  std::string out;
  for (std::size_t i = 0; i < r.size(); ++i) {
    if (r[i] == '\x1b' && i + 1 < r.size() && r[i + 1] == '[') {
      std::size_t j = i + 2;
      while (j < r.size() && ((r[j] >= '0' && r[j] <= '9') || r[j] == ';')) ++j;
      if (j < r.size() && r[j] == 'm') {
        i = j;
        continue;
      }
    }
    out += r[i];
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s options|dump|format|formatted|compare INPUTFILE\n", argv[0]);
    return 2;
  }
  keep_dir = std::getenv("VESK_FUZZ_KEEP");
  const std::string which = argv[1];
  const Bytes in = read_all(argv[2]);
  add("vesk");
  if (which == "options") harness_options(in);
  else if (which == "dump") harness_dump(in);
  else if (which == "format") harness_format(in);
  else if (which == "formatted") harness_formatted(in);
  else if (which == "compare") harness_compare(in);
  else {
    std::fprintf(stderr, "%s: unknown harness\n", argv[1]);
    return 2;
  }
  if (keep_dir != nullptr) {
    std::string line = "cd " + std::string(keep_dir) + " &&";
    for (const std::string& a : args) {
      if (a.rfind("<(", 0) == 0) {  // a pipe, for bash
        line += " " + a;
        continue;
      }
      line += " '";
      for (char c : a) line += c == '\'' ? std::string("'\\''") : std::string(1, c);
      line += "'";
    }
    std::fprintf(stderr, "%s\n", line.c_str());
    return 0;
  }
  std::vector<char*> av;
  for (std::string& a : args) av.push_back(a.data());
  av.push_back(nullptr);
  const int ac = static_cast<int>(av.size() - 1);
  if (full_stdout) return vesk::run_vesk(ac, av.data());
  vesk::ReportSink sink;
  int status = vesk::run_vesk(ac, av.data(), sink);
  // In color (--color), the rule holds outside the SGR sequences: they are
  // taken out first; any other escape byte stays and breaks the rule.
  const std::string report = sink.colored() ? without_sgr(sink.memory()) : sink.memory();
  std::size_t bad = sink.utf8() ? first_non_utf8_text(report) : vesk::first_non_report_byte(report.data(), report.size());
  if (bad != report.size()) {
    std::fprintf(stderr, "report byte %zu (0x%02x) is not printable text\n", bad,
                 static_cast<unsigned char>(report[bad]));
    std::abort();
  }
  return status;
}
