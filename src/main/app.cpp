// The whole run of vesk: start-up, option parsing and the one driver.
#include "main/app.h"

#include <csignal>
#include <cstdio>
#include <cstring>

#include "common/line_buffer.h"
#include "common/messages.h"
#include "compare/compare_dump.h"
#include "dump/plain_dump.h"
#include "format/definitions.h"
#include "formatted/format_dump.h"
#include "main/options.h"
#include "main/settings.h"
#include "main/usage_text.h"
#include "output/writer.h"

namespace vesk {
namespace {

// Only sets the flag and re-arms: it may run in the middle of a conversion.
extern "C" void sigfpe(int) {
  floaterr_flg = 1;
  std::signal(SIGFPE, sigfpe);
}

// The usage text is written as it stands, not as report lines: no heading, not
// counted on a page. Standard output goes through the one writer.
void write_usage_to_stdout() {
  for (int i = 0; i < kUsageLines; ++i) {
    out_write(usage_text[i], std::strlen(usage_text[i]));
    out_char('\n');
  }
}

void write_usage_to_stderr(int first, int last) {
  for (int i = first; i <= last; ++i) {
    std::fputs(usage_text[i], stderr);
    std::fputc('\n', stderr);
  }
}

}  // namespace

int run_vesk(int argc, char** argv) {
  list_line.fill_blanks();
  work_line.fill_blanks();
  side_line.fill_blanks();
  std::signal(SIGFPE, sigfpe);

  if (argc == 2 && std::strcmp(argv[1], "-usage") == 0) {
    write_usage_to_stdout();
    return 0;
  }
  if (argc < 2) {
    write_usage_to_stderr(3, 10);  // the three usage forms
    return 1;
  }

  if (parse_options(argc, argv) != 0) return 1;
  clear(blank_area, ' ', kBlankAreaSize);

  switch (settings.run_mode) {
    case 0:
    case 1:
      plain_dump();
      break;
    case 2:
      if (defs.blnoinf_cnt == 0)
        errmsg("%s: no data definition, exit!\n", settings.fmt_name);
      else
        format_dump();
      break;
    case 3:
      if (defs.blnoinf_cnt == 0)
        errmsg("%s: no data definition, exit!\n", settings.fmt_name);
      else if (defs.blnoinf_cnt > 1)
        errmsg("%s: Multiple data format is not available, exit!\n", settings.fmt_name);
      else
        compare_dump();
      break;
  }
  return 0;
}

}  // namespace vesk
