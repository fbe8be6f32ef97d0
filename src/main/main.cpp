// vesk: dumps a file for a person to read, plain, formatted by a format file,
// or as the differences between two files of one format.
#include "main/app.h"
#include "output/writer.h"

int main(int argc, char** argv) { vesk::end_process(vesk::run_vesk(argc, argv)); }
