// What follows "block id(NAME) not found in data definition": the lines that
// help to find the id the user meant.
#pragma once

#include <string>
#include <vector>

#include "format/definitions.h"

namespace vesk {

// The names of the simple items of the data formats that could identify a
// block (no arrays), each once, in the order of the format file.
std::vector<const char*> block_id_candidates(const Definitions& defs);

// Writes, each as a line of its own, "the id names a file: ..." when id is
// the name of a file (the operands of -F in the wrong order), then the item
// nearest to id ("did you mean custno?"), or else the ids that would fit.
// utf8: written in UTF-8.
void explain_missing_block_id(const Definitions& defs, const char* id, bool utf8);

}  // namespace vesk
