// The text of --help: English, every option, the version.
#pragma once

#include "output/report_sink.h"

namespace vesk {

// Writes the help text, version given, to sink.
void write_help(ReportSink& sink, const char* version);

}  // namespace vesk
