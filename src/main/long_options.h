// The long options (--name, --name=value). They may stand anywhere among the
// arguments, so they are taken out before the letter options are read from
// left to right.
#pragma once

#include <vector>

#include "common/settings.h"
#include "output/report_sink.h"

namespace vesk {

// What the long options ask beyond settings.
struct LongRequests {
  bool help = false;     // --help
  bool version = false;  // --version
};

// Takes every long option out of argv[1..argc) into settings and requests;
// the other arguments are left in rest, argv[0] first. The operands of -f (one)
// and -F (two) are passed over: a format file may be named "--x". An argument
// that begins with "--" and names no long option is refused
// ("%s: invalid option\n"): -1 after the message, else 0.
int take_long_options(int argc, char** argv, Settings& settings, LongRequests& requests, std::vector<char*>& rest);

// The short list of the long options that --help writes after the usage text.
void write_long_option_help(ReportSink& sink);

}  // namespace vesk
