// The command line parser.
#pragma once

namespace vesk {

// Reads the arguments after the program name into the settings, left to right.
// 0 when the command line is complete and valid; nonzero after a message.
int parse_options(int argc, char** argv);

}  // namespace vesk
