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
  bool fd1_is_standard_input = false;

  CommandLine() = default;
  CommandLine(const CommandLine&) = delete;
  CommandLine& operator=(const CommandLine&) = delete;
  ~CommandLine();  // closes the input files
};

// The name of standard input in messages, as a file operand "-" or when no
// file operand is given.
constexpr const char* kStandardInputName = "standard input";

// Reads the arguments after the program name, left to right. 0 when the
// command line is complete and valid; nonzero after a message. Without a file
// operand the input is standard input when standard_input_holds_data (a pipe
// or a file, not a terminal), else the command line is incomplete.
int parse_options(int argc, char** argv, CommandLine& cmd, bool standard_input_holds_data = false);

// The file descriptor reads a pipe, a socket or a file: data to dump, not a
// terminal or a device.
bool holds_data(int fd);

}  // namespace vesk
