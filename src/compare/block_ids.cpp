#include "compare/block_ids.h"

#include <cstring>
#include <new>

#include "common/messages.h"

namespace vesk {

BlockIds::BlockIds(int id_len, long long first_block, int capacity)
    : id_len_(id_len > 0 ? static_cast<std::size_t>(id_len) : 0), first_block_(first_block), capacity_(capacity) {}

void BlockIds::reserve(std::size_t n) {
  std::size_t total = state_.size() + n;
  if (total > static_cast<std::size_t>(capacity_)) total = static_cast<std::size_t>(capacity_);
  try {
    state_.reserve(total);
    pair_.reserve(total);
    id_bytes_.reserve(total * id_len_);
  } catch (const std::bad_alloc&) {
    throw OutOfMemory{total * (id_len_ + 5)};
  }
}

int BlockIds::add(int file_no, const unsigned char* id) {
  if (count() >= capacity_) return -1;
  try {
    state_.push_back(kUnresolved);
    pair_.push_back(0);
    id_bytes_.insert(id_bytes_.end(), id, id + id_len_);
  } catch (const std::bad_alloc&) {
    throw OutOfMemory{(state_.size() + 1) * (id_len_ + 5)};
  }
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

// The earliest entry of each id among entries [from, to), by open addressing:
// an entry finds its partner in one probe run instead of a scan of the other
// file.
class EarliestById {
 public:
  EarliestById(const BlockIds& t, int from, int to) : t_(t), len_(static_cast<std::size_t>(t.id_len())) {
    std::size_t n = static_cast<std::size_t>(to - from);
    std::size_t size = 16;
    while (size < 2 * n + 2) size *= 2;
    try {
      slots_.assign(size, -1);
    } catch (const std::bad_alloc&) {
      throw OutOfMemory{size * sizeof(int32_t)};
    }
    // In file order, and an id already held keeps its entry: the earliest wins.
    for (int j = from; j < to; ++j) {
      std::size_t s = slot_of(t.id(j));
      if (slots_[s] < 0) slots_[s] = j;
    }
  }

  // The earliest entry with this id, or -1.
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
  std::vector<int32_t> slots_;
};

}  // namespace

void BlockIds::pair() {
  for (uint8_t& s : state_) s = kUnresolved;
  const EarliestById earliest(*this, file1_cnt_, count());
  for (int i = 0; i < file1_cnt_; ++i) {
    // Paired second-file entries are not skipped: equal ids in the first file
    // all pair with the same, earliest, second-file block.
    int j = earliest.find(id(i));
    if (j < 0) {
      state_[static_cast<std::size_t>(i)] = kDeleted;
      continue;
    }
    state_[static_cast<std::size_t>(i)] = kPaired;
    pair_[static_cast<std::size_t>(i)] = j;
    state_[static_cast<std::size_t>(j)] = kPaired;
    pair_[static_cast<std::size_t>(j)] = i;
  }
  for (int j = file1_cnt_; j < count(); ++j)
    if (state_[static_cast<std::size_t>(j)] == kUnresolved) state_[static_cast<std::size_t>(j)] = kInserted;
}

BlockIds::Repeats BlockIds::repeated_ids(int file_no, int max_named) const {
  const int from = file_no == 0 ? 0 : file1_cnt_;
  const int to = file_no == 0 ? file1_cnt_ : count();
  const EarliestById earliest(*this, from, to);
  // Whether an id's earliest entry has been counted as repeated.
  std::vector<bool> counted(static_cast<std::size_t>(to - from), false);
  Repeats r;
  for (int j = from; j < to; ++j) {
    int first = earliest.find(id(j));
    if (first == j || counted[static_cast<std::size_t>(first - from)]) continue;
    counted[static_cast<std::size_t>(first - from)] = true;
    r.count += 1;
    if (static_cast<int>(r.named.size()) < max_named) r.named.push_back(first);
  }
  return r;
}

}  // namespace vesk
