// vesk: dumps a file for a person to read, plain, formatted by a format file,
// or as the differences between two files of one format.
#include "main/app.h"

int main(int argc, char** argv) { return vesk::run_vesk(argc, argv); }
