#include "main/long_options.h"

#include <cstring>

#include "common/messages.h"

namespace vesk {

namespace {

struct LongOption {
  const char* name;
  void (*apply)(Settings& s, LongRequests& r);
  const char* help;
};

const LongOption kLongOptions[] = {
    {"utf8", [](Settings& s, LongRequests&) { s.encoding = OutputEncoding::utf8; },
     "write the report in UTF-8 (the default on a UTF-8 terminal)"},
    {"sjis", [](Settings& s, LongRequests&) { s.encoding = OutputEncoding::sjis; },
     "write the report in Shift_JIS (the default to files and pipes)"},
    {"all", [](Settings& s, LongRequests&) { s.all_blocks = true; },
     "no default limits: dump to the end of the file, compare any number of blocks"},
    {"changes-only", [](Settings& s, LongRequests&) { s.changes_only = true; },
     "comparison: leave out the pairs that are the same in every byte"},
    {"summary", [](Settings& s, LongRequests&) { s.summary = true; },
     "comparison: end the report with the counts of each kind of block"},
    {"exit-code", [](Settings& s, LongRequests&) { s.exit_code = true; },
     "exit 0: every block paired with one alike in every byte; 1: they differ; 2: trouble"},
    {"help", [](Settings&, LongRequests& r) { r.help = true; }, "this text"},
    {"version", [](Settings&, LongRequests& r) { r.version = true; }, "the version of vesk"},
};

const LongOption* find_long_option(const char* arg) {
  for (const LongOption& o : kLongOptions)
    if (std::strcmp(arg + 2, o.name) == 0) return &o;
  return nullptr;
}

}  // namespace

int take_long_options(int argc, char** argv, Settings& settings, LongRequests& requests, std::vector<char*>& rest) {
  rest.assign(argv, argv + (argc > 0 ? 1 : 0));
  // Every known option takes effect, so that an unknown one before
  // --exit-code is still answered with the status that --exit-code asks for.
  const char* unknown = nullptr;
  for (int i = 1; i < argc; ++i) {
    char* arg = argv[i];
    // The operands of -f and -F are names, whatever they look like.
    int operands = std::strcmp(arg, "-f") == 0 ? 1 : std::strcmp(arg, "-F") == 0 ? 2 : 0;
    if (operands > 0) {
      for (int k = 0; k <= operands && i + k < argc; ++k) rest.push_back(argv[i + k]);
      i += operands;
      continue;
    }
    if (std::strncmp(arg, "--", 2) != 0) {
      rest.push_back(arg);
      continue;
    }
    const LongOption* o = find_long_option(arg);
    if (o != nullptr)
      o->apply(settings, requests);
    else if (unknown == nullptr)
      unknown = arg;
  }
  if (unknown == nullptr) return 0;
  errmsg("%s: invalid option\n", unknown);
  return -1;
}

void write_long_option_help(ReportSink& sink) {
  const char title[] = "Long options (anywhere among the arguments):";
  sink.write_line(title, sizeof title - 1);
  for (const LongOption& o : kLongOptions) {
    char line[160];
    std::size_t n = 0;
    auto add = [&](const char* s) {
      std::size_t k = std::strlen(s);
      if (k > sizeof line - n) k = sizeof line - n;
      std::memcpy(line + n, s, k);
      n += k;
    };
    add("   --");
    add(o.name);
    while (n < 20) line[n++] = ' ';
    add(o.help);
    sink.write_line(line, n);
  }
}

}  // namespace vesk
