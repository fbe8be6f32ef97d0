// The whole run of vesk: start-up, option parsing, the one driver, and the
// one place where a run's status is settled.
#include "main/app.h"

#include <langinfo.h>
#include <unistd.h>

#include <clocale>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "common/byte_source.h"
#include "common/float_text.h"
#include "common/messages.h"
#include "compare/compare_dump.h"
#include "dump/plain_dump.h"
#include "formatted/format_dump.h"
#include "guess/guess_report.h"
#include "main/help_text.h"
#include "main/long_options.h"
#include "main/options.h"
#include "main/usage_text.h"
#include "output/report.h"
#include "records/records_dump.h"

namespace vesk {
namespace {

// Only sets the flag and re-arms: it may run in the middle of a conversion.
extern "C" void sigfpe(int) {
  floaterr_flg = 1;
  std::signal(SIGFPE, sigfpe);
}

// The usage text is written as it stands, not as report lines: no heading, not
// counted on a page.
void write_usage(ReportSink& sink) {
  for (int i = 0; i < kUsageLines; ++i) sink.write_line(usage_text[i], std::strlen(usage_text[i]));
}

void write_usage_to_stderr(int first, int last) {
  for (int i = first; i <= last; ++i) {
    std::fputs(usage_text[i], stderr);
    std::fputc('\n', stderr);
  }
}

// What --exit-code answers besides the status: whether the files differ, and
// whether blocks that were asked for were left out by the default range.
struct Outcome {
  bool differ = false;
  bool incomplete = false;
};

// The driver of the run's mode. Returns the exit status, 0 or 1. The two
// "exit!" messages leave nothing dumped or compared: a failure, status 1.
int run_driver(CommandLine& cmd, ReportSink& sink, Outcome& outcome) {
  const Settings& s = cmd.settings;
  Report report(sink, s.page_lines);
  ByteSource in1(cmd.fd1, s.file1_name);
  if (s.guess) return guess_report(s, in1, report);
  if (s.is_plain_dump()) return plain_dump(s, in1, report);
  if (cmd.defs.blnoinf_cnt == 0) {
    errmsg("%s: no data definition, exit!\n", s.fmt_name);
    return 1;
  }
  if (s.run_mode == RunMode::formatted) {
    if (s.records != RecordsForm::none) return records_dump(s, cmd.defs, in1, sink, cmd.utf8_messages);
    return format_dump(s, cmd.defs, in1, report);
  }
  if (cmd.defs.blnoinf_cnt > 1) {
    errmsg("%s: Multiple data format is not available, exit!\n", s.fmt_name);
    return 1;
  }
  ByteSource in2(cmd.fd2, s.file2_name);
  CompareTotals totals;
  int status = compare_dump(s, cmd.defs, in1, in2, report, &totals);
  outcome.differ = totals.differ();
  outcome.incomplete = totals.range_cut;
  return status;
}

// Without --utf8 or --sjis: UTF-8 on a terminal whose locale reads UTF-8,
// Shift_JIS to files and pipes. The locale is asked and then put back, so
// that nothing else reads text by it.
bool writes_utf8(OutputEncoding encoding, bool terminal) {
  if (encoding != OutputEncoding::automatic) return encoding == OutputEncoding::utf8;
  if (!terminal) return false;
  bool utf8 = false;
  if (std::setlocale(LC_CTYPE, "") != nullptr) {
    const char* codeset = nl_langinfo(CODESET);
    utf8 = codeset != nullptr && std::strcmp(codeset, "UTF-8") == 0;
  }
  std::setlocale(LC_CTYPE, "C");
  return utf8;
}

// --color=auto (the default) colors the report on a terminal, unless
// NO_COLOR is set to anything but empty or TERM is dumb; always and never
// decide alone.
bool writes_color(ColorChoice choice, bool terminal, const char* no_color, const char* term) {
  if (choice != ColorChoice::automatic) return choice == ColorChoice::always;
  return terminal && (no_color == nullptr || *no_color == '\0') && (term == nullptr || std::strcmp(term, "dumb") != 0);
}

void write_version(ReportSink& sink) {
  const char text[] = "vesk " VESK_VERSION;
  sink.write_line(text, sizeof text - 1);
}

int run(int argc, char** argv, CommandLine& cmd, ReportSink& sink, Outcome& outcome) {
  LongRequests requests;
  std::vector<char*> args;
  if (take_long_options(argc, argv, cmd.settings, requests, args) != 0) return 1;
  // Read only when neither --utf8 nor --sjis has chosen.
  if (cmd.settings.encoding == OutputEncoding::automatic &&
      take_encoding_variable(std::getenv("VESK_ENCODING"), cmd.settings) != 0)
    return 1;
  if (writes_utf8(cmd.settings.encoding, sink.is_terminal())) sink.set_encoding(ReportEncoding::utf8);
  // Records (--json, --csv) are for programs: never colored.
  sink.set_colored(cmd.settings.records == RecordsForm::none &&
                   writes_color(cmd.settings.color, sink.is_terminal(), std::getenv("NO_COLOR"), std::getenv("TERM")));
  // The lines quoted from the format file under a message go to standard
  // error, which may be a terminal when the report is not.
  cmd.utf8_messages = writes_utf8(cmd.settings.encoding, isatty(STDERR_FILENO) == 1);
  if (requests.help) {
    write_help(sink, VESK_VERSION);
    return 0;
  }
  if (requests.version) {
    write_version(sink);
    return 0;
  }
  const int n = static_cast<int>(args.size());
  if (n == 2 && std::strcmp(args[1], "-usage") == 0) {
    write_usage(sink);
    return 0;
  }
  // Standard input is read when no file is named and it is a pipe or a file;
  // an empty command line on a terminal asks for the usage.
  const bool piped = holds_data(STDIN_FILENO);
  if (n < 2 && !piped) {
    write_usage_to_stderr(3, 10);  // the three usage forms
    return 1;
  }
  if (parse_options(n, args.data(), cmd, piped) != 0) return 1;
  return run_driver(cmd, sink, outcome);
}

}  // namespace

int run_vesk(int argc, char** argv, ReportSink& sink) {
  std::signal(SIGFPE, sigfpe);
  int status;
  CommandLine cmd;
  Outcome outcome;
  try {
    status = run(argc, argv, cmd, sink, outcome);
  } catch (const OutOfMemory& e) {
    report_no_memory(e.size);
    status = 1;
  } catch (const std::bad_alloc&) {
    report_no_memory(0);
    status = 1;
  }
  const bool sink_ok = sink.flush();
  if (!sink_ok) {
    const char msg[] = "write error on standard output\n";
    std::fwrite(msg, 1, sizeof msg - 1, stderr);
    if (status == 0) status = 1;
  }
  std::fflush(stderr);
  // --exit-code answers as cmp and diff do: 0 the same, 1 different, 2 trouble.
  // A comparison that the default range cut short found no difference in the
  // blocks it compared, but cannot tell of the others: trouble too.
  if (cmd.settings.exit_code) status = status != 0 ? 2 : outcome.differ ? 1 : outcome.incomplete ? 2 : 0;
  return status;
}

int run_vesk(int argc, char** argv) {
  ReportSink sink(STDOUT_FILENO);
  return run_vesk(argc, argv, sink);
}

}  // namespace vesk
