// The long options (--name, --name=value). They may stand anywhere among the
// arguments, so they are taken out before the letter options are read from
// left to right. One table holds them: --help lists it, the documentation
// check reads that list, and an unknown name is matched against it.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "common/settings.h"

namespace vesk {

// What the long options ask beyond settings.
struct LongRequests {
  bool help = false;     // --help
  bool version = false;  // --version
};

struct LongOption {
  const char* name;   // without its two dashes
  const char* value;  // the name of its value in --help ("N"), or nullptr: it takes none
  // Applies the option. arg is the whole argument (for messages), value the
  // text after "=" (nullptr for an option without a value). -1 after a message.
  int (*apply)(const char* arg, const char* value, Settings& s, LongRequests& r);
  const char* help;   // its line in --help
  // The value may be left out (--color alone); apply then gets nullptr.
  bool value_optional = false;
};

std::span<const LongOption> long_options();

// The option whose name is nearest to the n characters of name, when one is
// near enough to be what was meant (a letter wrong, missing, extra or two
// swapped, or a start of one name only); else nullptr.
const LongOption* nearest_long_option(const char* name, std::size_t n);

// Takes every long option out of argv[1..argc) into settings and requests;
// the other arguments are left in rest, argv[0] first. The operands of -f (one)
// and -F (two) are passed over: a format file may be named "--x". An argument
// that begins with "--" and names no long option is refused
// ("%s: invalid option\n", with "; did you mean --NAME?" before the line end
// when a name is near): -1 after the message, else 0.
int take_long_options(int argc, char** argv, Settings& settings, LongRequests& requests, std::vector<char*>& rest);

// VESK_ENCODING (its value, or nullptr when it is not set): the report's
// encoding, read when neither --utf8 nor --sjis is given. "utf8" or "sjis";
// empty is as if not set. -1 after a message for any other value.
int take_encoding_variable(const char* value, Settings& settings);

}  // namespace vesk
