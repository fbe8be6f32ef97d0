// The command line parser.
#pragma once

#include "common/settings.h"
#include "format/definitions.h"

namespace vesk {

// What the command line gives a run: its settings, the definition tables of
// its format file (read when -f or -F is met), and its input files (opened as
// their names are met).
struct CommandLine {
  Settings settings;
  Definitions defs;
  int fd1 = -1;
  int fd2 = -1;
  // The lines that follow a message about the format file are written in
  // UTF-8 (standard error reads it); worked out before the options are read.
  bool utf8_messages = false;

  CommandLine() = default;
  CommandLine(const CommandLine&) = delete;
  CommandLine& operator=(const CommandLine&) = delete;
  ~CommandLine();  // closes the input files
};

// Reads the arguments after the program name, left to right. 0 when the
// command line is complete and valid; nonzero after a message.
int parse_options(int argc, char** argv, CommandLine& cmd);

}  // namespace vesk
