#include "compare/block_ids.h"

#include <cstring>

namespace vesk {

BlockIds::BlockIds(int id_len, int capacity)
    : id_len_(id_len > 0 ? static_cast<std::size_t>(id_len) : 0), capacity_(capacity) {}

int BlockIds::add(int file_no, long long block_no, const unsigned char* id) {
  if (count() >= capacity_) return -1;
  BlidInf e;
  e.file_no = static_cast<uint8_t>(file_no);
  e.block_no = block_no;
  entries_.push_back(e);
  id_bytes_.insert(id_bytes_.end(), id, id + id_len_);
  if (file_no == 0) file1_cnt_ = count();
  return 0;
}

namespace {

// FNV-1a over the id bytes.
uint32_t id_hash(const unsigned char* id, std::size_t len) {
  uint32_t h = 2166136261u;
  for (std::size_t i = 0; i < len; ++i) h = (h ^ id[i]) * 16777619u;
  return h;
}

// The earliest second-file entry of each id, by open addressing: a first-file
// entry then finds its partner in one probe run instead of a scan of the
// second file.
class EarliestById {
 public:
  EarliestById(const BlockIds& t, std::size_t len) : t_(t), len_(len) {
    std::size_t n = static_cast<std::size_t>(t.count() - t.file1_count());
    std::size_t size = 16;
    while (size < 2 * n + 2) size *= 2;
    slots_.assign(size, -1);
    // In file order, and an id already held keeps its entry: the earliest wins.
    for (int j = t.file1_count(); j < t.count(); ++j) {
      std::size_t s = slot_of(t.id(j));
      if (slots_[s] < 0) slots_[s] = j;
    }
  }

  // The earliest second-file entry with this id, or -1.
  int find(const unsigned char* id) const { return slots_[slot_of(id)]; }

 private:
  // The slot holding this id, or the empty slot where it would go.
  std::size_t slot_of(const unsigned char* id) const {
    std::size_t mask = slots_.size() - 1;
    std::size_t s = id_hash(id, len_) & mask;
    while (slots_[s] >= 0 && std::memcmp(t_.id(slots_[s]), id, len_) != 0) s = (s + 1) & mask;
    return s;
  }

  const BlockIds& t_;
  std::size_t len_;
  std::vector<int> slots_;
};

}  // namespace

void BlockIds::pair() {
  for (BlidInf& e : entries_) e.pair_state = kUnresolved;
  const EarliestById earliest(*this, id_len_);
  for (int i = 0; i < file1_cnt_; ++i) {
    BlidInf& a = entries_[static_cast<std::size_t>(i)];
    // Paired second-file entries are not skipped: equal ids in the first file
    // all pair with the same, earliest, second-file block.
    int j = earliest.find(id(i));
    if (j < 0) {
      a.pair_state = kDeleted;
      continue;
    }
    BlidInf& b = entries_[static_cast<std::size_t>(j)];
    a.pair_state = kPaired;
    a.pair_index = j;
    b.pair_state = kPaired;
    b.pair_index = i;
  }
  for (int j = file1_cnt_; j < count(); ++j)
    if (entries_[static_cast<std::size_t>(j)].pair_state == kUnresolved)
      entries_[static_cast<std::size_t>(j)].pair_state = kInserted;
}

}  // namespace vesk
