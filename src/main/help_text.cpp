#include "main/help_text.h"

#include <cstring>
#include <string>

#include "main/long_options.h"

namespace vesk {

namespace {

// Options are listed with their description from this column.
constexpr std::size_t kDescriptionColumn = 22;

const char* const kBeforeLongOptions[] = {
    "Usage: vesk [OPTION]... [FILE]",
    "  or:  vesk [OPTION]... -f FORMATFILE [FILE]",
    "  or:  vesk [OPTION]... -F FORMATFILE IDNAME FILE1 FILE2",
    "Dump FILE for a person to read: hexadecimal bytes beside their characters,",
    "cut into blocks; with -f, every item of every block as a format file",
    "describes it; with -F, the blocks of two files of one format that differ.",
    "With no FILE, or when FILE is -, read standard input (a pipe or a file).",
    "",
    "A value follows its letter (-b8) or the next argument is the value (-b 8);",
    "-n and -p take only an attached one. Letters without a value may be grouped",
    "(-DL). Options are read from left to right, and the order matters.",
    "",
    "Character column of the plain dump (default Shift_JIS):",
    "  -A                  ASCII only",
    "  -K                  ASCII and half-width kana",
    "  -J                  JIS (ISO-2022-JP)",
    "  -j                  JIS, showing its escape sequences",
    "  -E                  EUC-JP",
    "  -U                  UTF-8",
    "",
    "Plain dump:",
    "  -C                  characters only, no hexadecimal part (before -b)",
    "  -L                  write repeated lines too",
    "  -b N                bytes a line: 1-32, 1-256 with -C, 1-40 in a map (16)",
    "  -d N                data block size: 1-4096 (256)",
    "  -h N                header block size: 1-4095 (none)",
    "  -t TEXT             a block ends after TEXT, 1 to 8 bytes",
    "  -x HEX              a block ends after these bytes, 2 to 16 hex digits",
    "  -pN                 lines a page with the scale (24); -p0 one scale at the",
    "                      top; -pb a page a block (in a map: 32000 lines)",
    "",
    "Blocks, in every mode:",
    "  -D                  decimal block numbers and offsets; -n then reads decimal",
    "  -nN1[,N2]           blocks N1 to N2, hexadecimal unless -D came before; N1",
    "                      alone is that block (default: 0 to 7FFF)",
    "",
    "Formatted dump and comparison:",
    "  -f FORMATFILE       dump FILE item by item as FORMATFILE describes it",
    "  -F FORMATFILE IDNAME",
    "                      compare FILE1 and FILE2, pairing blocks by item IDNAME",
    "  -B                  align items as a C compiler does (before -f or -F)",
    "  -m                  map form",
    "  -M                  wide map form",
    "  -v                  numbers least significant byte first (list form)",
    "  -l N                line width: 80-256 (79)",
    "  -w N1,N2            widths of the name and comment columns (15,30)",
    "",
    "Long options, anywhere among the arguments:",
};

const char* const kAfterLongOptions[] = {
    "  -usage              write the usage text of the first versions (Japanese)",
    "",
    "N of --skip-bytes and --read-bytes: decimal, or 0x and hexadecimal digits,",
    "then K, M or G for 1024, 1024^2, 1024^3 (1500M, 0x5968).",
    "VESK_ENCODING=utf8 or sjis sets the report's encoding where neither --utf8",
    "nor --sjis is given; else UTF-8 on a UTF-8 terminal and Shift_JIS elsewhere.",
    "--color=auto, the default, colors the report on a terminal where NO_COLOR is",
    "unset or empty and TERM is not dumb; --color alone means always.",
    "Exit status: 0 done, 1 trouble (with --exit-code: 0 same, 1 differ, 2 trouble).",
    "Every option, limit, message and mark: man vesk.",
};

void write(ReportSink& sink, const std::string& line) { sink.write_line(line.data(), line.size()); }

}  // namespace

void write_help(ReportSink& sink, const char* version) {
  for (const char* line : kBeforeLongOptions) write(sink, line);
  for (const LongOption& o : long_options()) {
    std::string line = std::string("  --") + o.name;
    if (o.value != nullptr) line += o.value_optional ? std::string("[=") + o.value + "]" : std::string("=") + o.value;
    line.resize(kDescriptionColumn > line.size() + 1 ? kDescriptionColumn : line.size() + 1, ' ');
    write(sink, line + o.help);
  }
  for (const char* line : kAfterLongOptions) write(sink, line);
  write(sink, std::string("vesk ") + version);
}

}  // namespace vesk
