// The names records give the items: keys of JSON objects and, joined along
// their structures, the CSV header ("made.year", "flags[0]", "line[1].qty").
//
// An item's key is its name, in Unicode (names are the format file's
// Shift_JIS text). Keys stay distinct within a structure: the first item of a
// name keeps it, the second is "NAME#2", the third "NAME#3", and so on,
// skipping a key that another item of the structure has already. A nested
// structure without a name, not repeated, is no object of its own: its
// members stand in the object of the structure that holds it, as in C.
#pragma once

#include <string>
#include <vector>

#include "format/definitions.h"

namespace vesk {

class RecordNames {
 public:
  explicit RecordNames(const Definitions& defs);

  // The key of a member of a structure.
  const std::u32string& key(int item) const { return keys_[static_cast<std::size_t>(item)]; }
  // The same as JSON writes it: quoted and escaped, and a colon after it.
  const std::string& json_key(int item) const { return json_keys_[static_cast<std::size_t>(item)]; }
  // A structure member whose members stand in the object that holds it.
  bool spliced(int item) const { return spliced_[static_cast<std::size_t>(item)] != 0; }
  // The dimensions of an item's elements, or of a structure's instances,
  // outermost first: those written, or the count when more than one was
  // given without them; none for a single value.
  const std::vector<int>& dims(int item) const { return dims_[static_cast<std::size_t>(item)]; }

  // The nested arrays that begin at element k of item (0 to its number of
  // dimensions), and those that end after it.
  int arrays_opening(int item, int k) const;
  int arrays_closing(int item, int k) const { return arrays_opening(item, k + 1); }
  // Appends the indexes of element k of item: "[i]" for each dimension
  // ("[1][2]"); nothing for a single value.
  void append_indexes(std::u32string& out, int item, int k) const;

 private:
  void name_members(int rec);
  void collect(int rec, std::vector<int>& members, int depth) const;
  bool is_spliced(int item) const;

  const Definitions& defs_;
  std::vector<std::u32string> keys_;
  std::vector<std::string> json_keys_;
  std::vector<char> spliced_;
  std::vector<std::vector<int>> dims_;
};

}  // namespace vesk
