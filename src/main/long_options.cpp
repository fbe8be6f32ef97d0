#include "main/long_options.h"

#include <cstring>

#include "common/messages.h"
#include "main/byte_count.h"

namespace vesk {

namespace {

// An option without a value that sets one flag.
template <bool Settings::*Flag>
int set_flag(const char*, const char*, Settings& s, LongRequests&) {
  s.*Flag = true;
  return 0;
}

template <OutputEncoding Encoding>
int set_encoding(const char*, const char*, Settings& s, LongRequests&) {
  s.encoding = Encoding;
  return 0;
}

// --color, --color=WHEN: alone it means always.
int set_color(const char* arg, const char* value, Settings& s, LongRequests&) {
  if (value == nullptr || std::strcmp(value, "always") == 0) {
    s.color = ColorChoice::always;
  } else if (std::strcmp(value, "auto") == 0) {
    s.color = ColorChoice::automatic;
  } else if (std::strcmp(value, "never") == 0) {
    s.color = ColorChoice::never;
  } else {
    errmsg("%s: invalid value (auto, always or never)\n", arg);
    return -1;
  }
  return 0;
}

// --json, --csv: one of them.
template <RecordsForm Form>
int set_records(const char* arg, const char*, Settings& s, LongRequests&) {
  if (s.records != RecordsForm::none && s.records != Form) {
    errmsg("%s: not with %s\n", arg, Form == RecordsForm::json ? "--csv" : "--json");
    return -1;
  }
  s.records = Form;
  return 0;
}

// --skip-bytes=N, --read-bytes=N: kept as bytes; the option parser turns them
// into blocks once -h and -d are known.
int set_skip_bytes(const char* arg, const char* value, Settings& s, LongRequests&) {
  if (!read_byte_count(value, &s.skip_bytes)) {
    errmsg("%s: invalid number of bytes\n", arg);
    return -1;
  }
  if (s.byte_option == nullptr) s.byte_option = arg;
  return 0;
}

int set_read_bytes(const char* arg, const char* value, Settings& s, LongRequests&) {
  if (!read_byte_count(value, &s.read_bytes) || s.read_bytes == 0) {
    errmsg("%s: invalid number of bytes\n", arg);
    return -1;
  }
  if (s.byte_option == nullptr) s.byte_option = arg;
  return 0;
}

const LongOption kLongOptions[] = {
    {"skip-bytes", "N", set_skip_bytes, "start at the block that holds byte N (plain dump)"},
    {"read-bytes", "N", set_read_bytes, "end at the block that holds the Nth byte from there"},
    {"all", nullptr, set_flag<&Settings::all_blocks>,
     "no default limits: to the end, any number of blocks"},
    {"changes-only", nullptr, set_flag<&Settings::changes_only>,
     "comparison: leave out pairs that are alike in every byte"},
    {"summary", nullptr, set_flag<&Settings::summary>, "comparison: end with the counts of each kind of block"},
    {"exit-code", nullptr, set_flag<&Settings::exit_code>,
     "0: same blocks byte for byte, 1: they differ, 2: trouble"},
    {"json", nullptr, set_records<RecordsForm::json>, "records as JSON Lines: one a block (-f) or finding (-F)"},
    {"csv", nullptr, set_records<RecordsForm::csv>, "records as CSV: a header row, then a row a block (-f)"},
    {"guess", nullptr, set_flag<&Settings::guess>, "which code reads FILE: a table and a guess, no dump"},
    {"utf8", nullptr, set_encoding<OutputEncoding::utf8>,
     "the report in UTF-8 (the default on a UTF-8 terminal)"},
    {"sjis", nullptr, set_encoding<OutputEncoding::sjis>,
     "the report in Shift_JIS (the default elsewhere)"},
    {"color", "WHEN", set_color, "color: auto (on a terminal, the default), always, never", true},
    {"help", nullptr, [](const char*, const char*, Settings&, LongRequests& r) { r.help = true; return 0; },
     "write this text and end"},
    {"version", nullptr, [](const char*, const char*, Settings&, LongRequests& r) { r.version = true; return 0; },
     "write the version of vesk and end"},
};

// The edit distance of two names, a swap of two neighbours counting as one
// edit. Names are short: a fixed table does.
constexpr std::size_t kLongestCompared = 40;

std::size_t distance(const char* a, std::size_t n, const char* b, std::size_t m) {
  std::size_t d[kLongestCompared + 1][kLongestCompared + 1];
  for (std::size_t i = 0; i <= n; ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= m; ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= n; ++i) {
    for (std::size_t j = 1; j <= m; ++j) {
      std::size_t best = d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
      if (d[i - 1][j] + 1 < best) best = d[i - 1][j] + 1;
      if (d[i][j - 1] + 1 < best) best = d[i][j - 1] + 1;
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1] && d[i - 2][j - 2] + 1 < best)
        best = d[i - 2][j - 2] + 1;
      d[i][j] = best;
    }
  }
  return d[n][m];
}

}  // namespace

std::span<const LongOption> long_options() { return kLongOptions; }

const LongOption* nearest_long_option(const char* name, std::size_t n) {
  if (n == 0 || n > kLongestCompared) return nullptr;
  // The start of exactly one name.
  const LongOption* starts = nullptr;
  int starting = 0;
  for (const LongOption& o : kLongOptions) {
    if (std::strncmp(o.name, name, n) == 0) {
      starts = &o;
      ++starting;
    }
  }
  if (starting == 1) return starts;
  // Else the nearest name, the first of equals, at most two edits away and
  // fewer than half the typed letters (so that "--x" suggests nothing).
  const LongOption* best = nullptr;
  std::size_t best_distance = 3;
  for (const LongOption& o : kLongOptions) {
    std::size_t m = std::strlen(o.name);
    if (m > kLongestCompared) continue;
    std::size_t k = distance(name, n, o.name, m);
    if (k < best_distance && 2 * k < n) {
      best = &o;
      best_distance = k;
    }
  }
  return best;
}

int take_long_options(int argc, char** argv, Settings& settings, LongRequests& requests, std::vector<char*>& rest) {
  rest.assign(argv, argv + (argc > 0 ? 1 : 0));
  // The first failure is the one reported. The options without a value still
  // take effect after it, so that an unknown option before --exit-code is
  // answered with the status that --exit-code asks for.
  const char* unknown = nullptr;
  bool failed = false;
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
    const char* name = arg + 2;
    const char* equals = std::strchr(name, '=');
    const std::size_t n = equals ? static_cast<std::size_t>(equals - name) : std::strlen(name);
    const LongOption* option = nullptr;
    for (const LongOption& o : kLongOptions)
      if (std::strlen(o.name) == n && std::strncmp(o.name, name, n) == 0) option = &o;
    if (option == nullptr) {
      if (!failed) unknown = arg;
      failed = true;
    } else if (option->value != nullptr && equals == nullptr && !option->value_optional) {
      if (!failed) errmsg("%s: needs a value (--%s=%s)\n", arg, option->name, option->value);
      failed = true;
    } else if (option->value == nullptr && equals != nullptr) {
      if (!failed) errmsg("%s: takes no value\n", arg);
      failed = true;
    } else if (option->value == nullptr || !failed) {
      if (option->apply(arg, equals ? equals + 1 : nullptr, settings, requests) != 0) failed = true;
    }
  }
  if (unknown != nullptr) {
    const char* name = unknown + 2;
    const char* equals = std::strchr(name, '=');
    const LongOption* near =
        nearest_long_option(name, equals ? static_cast<std::size_t>(equals - name) : std::strlen(name));
    if (near != nullptr)
      errmsg("%s: invalid option; did you mean --%s?\n", unknown, near->name);
    else
      errmsg("%s: invalid option\n", unknown);
  }
  return failed ? -1 : 0;
}

int take_encoding_variable(const char* value, Settings& settings) {
  if (value == nullptr || *value == '\0') return 0;
  if (std::strcmp(value, "utf8") == 0) {
    settings.encoding = OutputEncoding::utf8;
  } else if (std::strcmp(value, "sjis") == 0) {
    settings.encoding = OutputEncoding::sjis;
  } else {
    errmsg("VESK_ENCODING=%s: invalid value (utf8 or sjis)\n", value);
    return -1;
  }
  return 0;
}

}  // namespace vesk
