#include "main/options.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/ascii.h"
#include "common/messages.h"
#include "format/format_reader.h"
#include "format/id_hints.h"
#include "text/codec.h"

namespace vesk {

CommandLine::~CommandLine() {
  if (fd1 >= 0) ::close(fd1);
  if (fd2 >= 0) ::close(fd2);
}

namespace {

// The low 32 bits of a 64-bit number, as a signed int.
int low_32_bits(long long v) { return static_cast<int32_t>(static_cast<uint32_t>(static_cast<unsigned long long>(v))); }

// A number read like strtol into 64 bits, kept as its low 32 bits: text that is
// not a number reads 0, trailing text is ignored.
int read_decimal(const char* text) { return low_32_bits(std::strtoll(text, nullptr, 10)); }

// A hexadecimal number (optional white space, sign and 0x) read like strtol
// into 64 bits; false when the text holds none.
bool read_hex(const char* text, long long* out) {
  const char* p = text;
  while (std::isspace(static_cast<unsigned char>(*p))) ++p;
  const char* digits = p;
  if (*digits == '+' || *digits == '-') ++digits;
  if (digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) digits += 2;
  if (!std::isxdigit(static_cast<unsigned char>(*digits)))
    return false;
  *out = std::strtoll(p, nullptr, 16);
  return true;
}

bool starts_with(const char* s, const char* prefix) {
  return std::strncmp(s, prefix, std::strlen(prefix)) == 0;
}

// The parser's state: the command line being filled.
class Parser {
 public:
  explicit Parser(CommandLine& cmd) : cmd_(cmd), settings(cmd.settings) {}
  int parse(int argc, char** argv, bool standard_input_holds_data);

 private:
  int set_text_code(const char* arg, const char* value);
  int set_hex_code(const char* arg, const char* value);
  int set_block_range(const char* arg);
  int set_label_widths(const char* value);
  int set_line_bytes(const char* arg, const char* value);
  int set_letters(const char* arg);
  int set_file(const char* arg, char bare_before);
  int set_standard_input();
  int set_byte_range();
  int check_records() const;
  int check_guess() const;
  int read_format_file();
  bool bare_form_fails(char letter) const;

  CommandLine& cmd_;
  Settings& settings;
};

// -t<text>: up to eight bytes of end code.
int Parser::set_text_code(const char* arg, const char* text) {
  std::size_t n = std::strlen(text);
  if (n > 8) {
    errmsg("%s: too long\n", arg);
    return -1;
  }
  if (n == 0) {
    errmsg("%s: illegal -e option\n", arg);
    return -1;
  }
  std::memset(settings.eod_code, 0, sizeof settings.eod_code);
  std::memcpy(settings.eod_code, text, n);
  settings.eod_len = static_cast<int>(n);
  return 0;
}

// -x<hex>: pairs of hex digits, up to eight bytes.
int Parser::set_hex_code(const char* arg, const char* value) {
  std::memset(settings.eod_code, 0, sizeof settings.eod_code);
  settings.eod_len = 0;
  int digits = 0;
  for (const char* p = value; *p; ++p) {
    int d = hex_value(*p);
    if (d < 0) {
      errmsg("%s: illegal code found\n", arg);
      return -1;
    }
    if (digits == 16) {
      errmsg("%s: too long byte\n", arg);
      return -1;
    }
    if (digits % 2 == 0) {
      settings.eod_code[digits / 2] = static_cast<unsigned char>(d << 4);
    } else {
      settings.eod_code[digits / 2] |= static_cast<unsigned char>(d);
      settings.eod_len += 1;
    }
    ++digits;
  }
  if (digits == 0 || digits % 2 != 0) {
    errmsg("%s: illegal -e option\n", arg);
    return -1;
  }
  return 0;
}

// -n<n1>[,<n2>]: hexadecimal block numbers, decimal after -D.
int Parser::set_block_range(const char* arg) {
  const char* first = arg + 2;
  const char* comma = std::strchr(first, ',');
  // Block numbers are 64-bit: with --all a dump may pass any 32-bit number.
  long long start = settings.start_blk;
  long long end = settings.end_blk;
  if (settings.dec_mode) {
    start = std::strtoll(first, nullptr, 10);
    if (comma) end = std::strtoll(comma + 1, nullptr, 10);
  } else {
    read_hex(first, &start);
    if (comma) read_hex(comma + 1, &end);
  }
  settings.start_blk = start;
  settings.end_blk = end;
  settings.range_given = true;
  if (comma == nullptr || settings.end_blk == 0) settings.end_blk = settings.start_blk;
  if (settings.start_blk < 0 || settings.start_blk > settings.end_blk || settings.end_blk > kMaxBlockNumber) {
    errmsg("%s: illegal block number\n", arg);
    return -1;
  }
  return 0;
}

// -w<n1>,<n2>: name and comment column widths.
int Parser::set_label_widths(const char* value) {
  const char* comma = std::strchr(value, ',');
  if (comma == nullptr) {
    errmsg("illegal -s option\n");
    return -1;
  }
  int item = read_decimal(value);
  int comment = read_decimal(comma + 1);
  if (item < 0 || comment < 0 ||
      static_cast<long long>(item) + comment > static_cast<long long>(settings.line_width) - 11) {
    errmsg("illegal -s option\n");
    return -1;
  }
  settings.item_size = item;
  settings.comment_size = comment;
  return 0;
}

// -b<n>: bytes per line; the range depends on the run mode.
int Parser::set_line_bytes(const char* arg, const char* value) {
  if (!settings.is_plain_dump() && !settings.map_disp) {
    errmsg("%s: invalid argument\n", arg);
    return 0;
  }
  int n = read_decimal(value);
  // A comparison's map needs the formatted mode's range as well.
  int max = settings.run_mode == RunMode::hex_dump ? 32 : settings.run_mode == RunMode::char_dump ? 256 : 40;
  if (n < 1 || n > max) {
    errmsg("%d: invalid byte number\n", n);
    return -1;
  }
  settings.line_bytes = n;
  return 0;
}

int Parser::set_letters(const char* arg) {
  for (const char* p = arg + 1; *p; ++p) {
    // A letter of an input code picks it for the character column.
    if (const Codec* code = codec_of_letter(*p)) {
      settings.char_mode = code->mode;
      continue;
    }
    switch (*p) {
      case 'B': settings.align_mode = true; break;
      case 'C':
        if (settings.run_mode != RunMode::hex_dump) {
          errmsg("-C: invalid option\n");
          return -1;
        }
        settings.run_mode = RunMode::char_dump;
        break;
      case 'D': settings.dec_mode = true; break;
      case 'L': settings.omit_same = false; break;
      case 'M': settings.map_disp = true; settings.map_cell = 4; break;
      case 'j': settings.char_mode = CharMode::jis; settings.show_ctrl = true; break;
      case 'm': settings.map_disp = true; break;
      case 'v': settings.byte_swap = true; break;
      default:
        errmsg("%s: invalid option\n", arg);
        return -1;
    }
  }
  return 0;
}

// Opens an input file for reading as raw bytes; -1 when it cannot be. A
// directory opens but cannot be read: it is refused like any file that cannot
// be opened for reading (as the format file is).
int open_input(const char* name) {
  int fd = ::open(name, O_RDONLY | O_CLOEXEC);
  struct stat st;
  if (fd >= 0 && fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    fd = -1;
  }
  return fd;
}

// The text reads as the value of a bare -n (block numbers, in the base that
// -n would read) or -p (a page length, or b).
bool reads_as_value(char letter, const char* text, bool decimal) {
  if (letter == 'p') {
    if (std::strcmp(text, "b") == 0) return true;
    decimal = true;
  }
  auto is_number_digit = [decimal](char c) { return decimal ? is_digit(c) : hex_value(c) >= 0; };
  const char* p = text;
  if (!is_number_digit(*p)) return false;
  while (is_number_digit(*p)) ++p;
  if (letter == 'n' && *p == ',')
    for (++p; is_number_digit(*p);) ++p;
  return *p == '\0';
}

// A file operand; bare_before is 'n' or 'p' when it follows a bare -n or -p.
// "-" is standard input.
int Parser::set_file(const char* arg, char bare_before) {
  const bool second = settings.file1_name != nullptr;
  if (second && (settings.file2_name != nullptr || settings.run_mode != RunMode::compare)) {
    errmsg("%s: invalid argument\n", arg);
    return -1;
  }
  int fd;
  const char* name = arg;
  if (std::strcmp(arg, "-") == 0) {
    // Two readers of one input would take its bytes from each other.
    if (second && cmd_.fd1_is_standard_input) {
      errmsg("-: standard input given twice\n");
      return -1;
    }
    fd = ::dup(STDIN_FILENO);
    name = kStandardInputName;
    if (fd < 0) {
      errmsg("%s: not found\n", name);
      return -1;
    }
    if (!second) cmd_.fd1_is_standard_input = true;
  } else {
    fd = open_input(arg);
  }
  if (fd < 0) {
    // "-n 100" for "-n100": the message gives the fix.
    if (bare_before == 'n' && reads_as_value('n', arg, settings.dec_mode))
      errmsg("%s: not found (for blocks, write -n%s)\n", arg, arg);
    else if (bare_before == 'p' && reads_as_value('p', arg, settings.dec_mode))
      errmsg("%s: not found (for the page length, write -p%s)\n", arg, arg);
    else
      errmsg("%s: not found\n", arg);
    return -1;
  }
  if (second) {
    cmd_.fd2 = fd;
    settings.file2_name = name;
  } else {
    cmd_.fd1 = fd;
    settings.file1_name = name;
  }
  return 0;
}

// No file operand: standard input, when it is a pipe or a file.
int Parser::set_standard_input() {
  cmd_.fd1 = ::dup(STDIN_FILENO);
  if (cmd_.fd1 < 0) {
    errmsg("filename missing\n");
    return -1;
  }
  settings.file1_name = kStandardInputName;
  cmd_.fd1_is_standard_input = true;
  return 0;
}

// --skip-bytes, --read-bytes: the blocks that hold the byte range, under the
// final -h and -d. Bytes before the data blocks lie in the header block.
int Parser::set_byte_range() {
  const char* arg = settings.byte_option;
  if (!settings.is_plain_dump()) {
    errmsg("%s: for the plain dump only\n", arg);
    return -1;
  }
  if (settings.has_end_code()) {
    errmsg("%s: not with an end code (-t, -x)\n", arg);
    return -1;
  }
  if (settings.range_given) {
    errmsg("%s: not with -n\n", arg);
    return -1;
  }
  const long long header = settings.hdr_size;
  const long long size = settings.blk_size;
  const long long first = settings.skip_bytes;
  settings.start_blk = first < header ? 0 : (first - header) / size;
  if (settings.read_bytes < 0) {
    settings.end_blk = kMaxBlockNumber;
  } else {
    // Both at most 2^62: the sum fits.
    const long long last = first + (settings.read_bytes - 1);
    // A range inside the header block: no data block.
    settings.end_blk = last < header ? -1 : (last - header) / size;
  }
  if (settings.start_blk > kMaxBlockNumber) {
    errmsg("%s: past the last block number\n", arg);
    return -1;
  }
  if (settings.end_blk > kMaxBlockNumber) settings.end_blk = kMaxBlockNumber;
  settings.range_given = true;
  return 0;
}

// --json and --csv: records of the formatted dump (both) or of the
// comparison (--json), in place of the report and its list or map.
int Parser::check_records() const {
  const bool json = settings.records == RecordsForm::json;
  const char* arg = json ? "--json" : "--csv";
  if (settings.is_plain_dump() || (!json && settings.run_mode == RunMode::compare)) {
    errmsg(json ? "%s: for the formatted dump (-f) and the comparison (-F) only\n"
                : "%s: for the formatted dump (-f) only; a comparison writes records with --json\n",
           arg);
    return -1;
  }
  if (settings.map_disp) {
    errmsg("%s: not with the map form (-m, -M)\n", arg);
    return -1;
  }
  return 0;
}

// --guess reads the whole file, in place of the plain dump.
int Parser::check_guess() const {
  if (!settings.is_plain_dump()) {
    errmsg("--guess: not with -f or -F\n");
    return -1;
  }
  if (settings.range_given || settings.byte_option != nullptr) {
    errmsg("--guess: reads the whole file; not with -n, --skip-bytes or --read-bytes\n");
    return -1;
  }
  return 0;
}

// The format file of -f or -F, read at once: the options that shape its
// layout (the letter B) must come before it.
int Parser::read_format_file() {
  FormatOptions options;
  options.name = settings.fmt_name;
  options.align = settings.align_mode;
  options.block_id = settings.run_mode == RunMode::compare ? settings.block_id : nullptr;
  options.open_ranges = settings.all_blocks;
  options.utf8_messages = cmd_.utf8_messages;
  return read_format(options, cmd_.defs);
}

// Whether a bare -b, -d, -h, -l, -t, -x or -w fails where it stands: only
// then does it take its value from the next argument ("-b 8"), so that no
// command that works changes meaning. Where a bare one is ignored with a
// message (after -f), the next argument stays what it was.
bool Parser::bare_form_fails(char letter) const {
  switch (letter) {
    case 'l':
    case 'w': return true;
    case 'b': return settings.is_plain_dump() || settings.map_disp;
    case 'd':
    case 'h':
    case 't':
    case 'x': return settings.run_mode != RunMode::formatted;
    default: return false;
  }
}

int Parser::parse(int argc, char** argv, bool standard_input_holds_data) {
  std::string separated;  // "-b 8": an option and its value, for messages
  char bare_before = 0;  // 'n' or 'p' after a bare -n or -p
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    const char* value = arg + 2;  // of an option with a value
    if (arg[0] == '-' && arg[1] != '\0' && arg[2] == '\0' && std::strchr("bdhltxw", arg[1]) != nullptr &&
        i + 1 < argc && bare_form_fails(arg[1])) {
      value = argv[++i];
      separated = std::string(arg) + " " + value;
      arg = separated.c_str();
    }
    int rc = 0;
    if (std::strcmp(arg, "-f") == 0) {
      if (settings.run_mode != RunMode::hex_dump) {
        errmsg("%s: invalid option\n", arg);
        return -1;
      }
      if (i + 1 >= argc) {
        errmsg("no format file parameter\n");
        return -1;
      }
      settings.run_mode = RunMode::formatted;
      settings.fmt_name = argv[++i];
      if (read_format_file() != 0) return -1;
    } else if (std::strcmp(arg, "-F") == 0) {
      if (settings.run_mode != RunMode::hex_dump) {
        errmsg("%s: invalid option\n", arg);
        return -1;
      }
      if (i + 2 >= argc) {
        errmsg("no format_file or block_id parameter\n");
        return -1;
      }
      settings.run_mode = RunMode::compare;
      settings.fmt_name = argv[++i];
      settings.block_id = argv[++i];
      if (read_format_file() != 0) return -1;
      if (cmd_.defs.block_id_pos == -1) {
        errmsg("block id(%s) not found in data definition\n", settings.block_id);
        explain_missing_block_id(cmd_.defs, settings.block_id, cmd_.utf8_messages);
        return -1;
      }
    } else if (starts_with(arg, "-l")) {
      int n = read_decimal(value);
      if (n < 80 || n > 256) {
        errmsg("%d: illegal line width\n", n);
        return -1;
      }
      settings.line_width = n;
    } else if (starts_with(arg, "-w")) {
      rc = set_label_widths(value);
    } else if (starts_with(arg, "-p")) {
      if (arg[2] == 'b') {
        settings.page_lines = kPerBlockPageLines;
      } else {
        int n = read_decimal(arg + 2);
        if (n < 0) {
          errmsg("%d: illegal page size\n", n);
          return -1;
        }
        settings.page_lines = n == 0 ? kNoPagingLines : n;
      }
      // -p32000 is taken for -pb.
      settings.page_mode = settings.page_lines == kPerBlockPageLines ? PageMode::per_block : PageMode::lines;
    } else if (starts_with(arg, "-b")) {
      rc = set_line_bytes(arg, value);
    } else if (starts_with(arg, "-h")) {
      if (settings.run_mode == RunMode::formatted) {
        errmsg("%s: invalid argument\n", arg);
      } else {
        int n = read_decimal(value);
        if (n < 1 || n > 4095) {
          errmsg("%d: invalid header size\n", n);
          return -1;
        }
        settings.hdr_size = n;
      }
    } else if (starts_with(arg, "-t") || starts_with(arg, "-x")) {
      if (settings.run_mode == RunMode::formatted)
        errmsg("%s: invalid argument\n", arg);
      else
        rc = arg[1] == 't' ? set_text_code(arg, value) : set_hex_code(arg, value);
    } else if (starts_with(arg, "-n")) {
      rc = set_block_range(arg);
    } else if (starts_with(arg, "-d")) {
      if (settings.run_mode == RunMode::formatted) {
        errmsg("-d: invalid argument\n");
      } else {
        int n = read_decimal(value);
        if (n < 1 || n > kMaxBlockSize) {
          errmsg("%d: too large block size(max. 4096 bytes)\n", n);
          return -1;
        }
        settings.blk_size = n;
      }
    } else if (arg[0] == '-' && arg[1] != '\0') {
      rc = set_letters(arg);
    } else {
      rc = set_file(arg, bare_before);
    }
    if (rc != 0) return rc;
    bare_before = std::strcmp(arg, "-n") == 0 || std::strcmp(arg, "-p") == 0 ? arg[1] : 0;
  }
  if (settings.guess && check_guess() != 0) return -1;
  if (settings.file1_name == nullptr) {
    if (!standard_input_holds_data) {
      errmsg("filename missing\n");
      return -1;
    }
    if (set_standard_input() != 0) return -1;
  }
  if (settings.run_mode == RunMode::compare && settings.file2_name == nullptr) {
    errmsg("filename2 missing\n");
    return -1;
  }
  if (settings.byte_option != nullptr && set_byte_range() != 0) return -1;
  if (settings.records != RecordsForm::none && check_records() != 0) return -1;
  // --all: without -n, every block to the end of the file.
  if (settings.all_blocks && !settings.range_given) settings.end_blk = kMaxBlockNumber;
  return 0;
}

}  // namespace

int parse_options(int argc, char** argv, CommandLine& cmd, bool standard_input_holds_data) {
  return Parser(cmd).parse(argc, argv, standard_input_holds_data);
}

bool holds_data(int fd) {
  struct stat st;
  if (::fstat(fd, &st) != 0) return false;
  return S_ISFIFO(st.st_mode) || S_ISREG(st.st_mode) || S_ISSOCK(st.st_mode);
}

}  // namespace vesk
