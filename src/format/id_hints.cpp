#include "format/id_hints.h"

#include <sys/stat.h>

#include <cstring>

#include "format/item_types.h"
#include "format/near_names.h"
#include "format/source_quote.h"

namespace vesk {

namespace {

constexpr std::size_t kListedIds = 10;

// Collects the names of the simple members of a range, each structure range
// walked once (templates used many times, within each other, stay cheap).
class IdCollector {
 public:
  explicit IdCollector(const Definitions& defs) : defs_(defs), walked_(MAX_ITEMS, false) {}

  void walk(int first, int last) {
    if (first < 0 || first >= MAX_ITEMS || walked_[static_cast<std::size_t>(first)]) return;
    walked_[static_cast<std::size_t>(first)] = true;
    if (last >= defs_.item_cnt) last = defs_.item_cnt - 1;
    for (int m = first; m <= last; m = next_member(defs_.item_inf[m], m)) {
      const ItemInf& it = defs_.item_inf[m];
      if (is_struct_code(it.type)) {
        walk(it.first, it.last);
        continue;
      }
      if (it.count == 1 && it.name != nullptr && it.name[0] != '\0') add(it.name);
    }
  }

  std::vector<const char*> names;

 private:
  void add(const char* name) {
    for (const char* n : names)
      if (std::strcmp(n, name) == 0) return;
    names.push_back(name);
  }

  const Definitions& defs_;
  std::vector<bool> walked_;
};

bool names_a_file(const char* id) {
  struct stat st;
  return stat(id, &st) == 0 && !S_ISDIR(st.st_mode);
}

}  // namespace

std::vector<const char*> block_id_candidates(const Definitions& defs) {
  IdCollector c(defs);
  for (int b = 0; b < defs.blnoinf_cnt; ++b) {
    const ItemInf& format = defs.item_inf[defs.blno_inf[b].item_no];
    c.walk(format.first, format.last);
  }
  return c.names;
}

void explain_missing_block_id(const Definitions& defs, const char* id, bool utf8) {
  if (names_a_file(id))
    write_hint("the id names a file: -F takes the format file, the id item, then the two files", utf8);
  std::vector<const char*> ids = block_id_candidates(defs);
  if (const char* near = nearest_name(id, std::strlen(id), ids)) {
    write_hint(("did you mean " + std::string(near) + "?").c_str(), utf8);
  } else if (!ids.empty()) {
    write_hint(("ids that would fit: " + name_list(ids, kListedIds)).c_str(), utf8);
  } else {
    write_hint("no item can be the id: an id is a simple item, not an array", utf8);
  }
}

}  // namespace vesk
