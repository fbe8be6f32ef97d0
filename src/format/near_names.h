// Names near a mistyped one, for the notes under a message: "did you mean
// short?" after a misspelt type word, the ids that would fit after an id
// that names no item.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vesk {

// The edit distance of a and b: insertions, deletions, changes, and swaps of
// two neighbours, each counting one. Bytes are compared as they are (a
// change of case counts one).
int edit_distance(const char* a, std::size_t na, const char* b, std::size_t nb);

// The candidate nearest to the n bytes at word, when it is near enough to be
// a slip of the keys: one edit for a word of up to four bytes, two for a
// longer one. The first of equally near ones; null when none is near (the
// word itself is no suggestion).
const char* nearest_name(const char* word, std::size_t n, const std::vector<const char*>& candidates);

// "a, b, c": the names in their order, at most max of them, then ", ..." when
// there are more.
std::string name_list(const std::vector<const char*>& names, std::size_t max);

}  // namespace vesk
