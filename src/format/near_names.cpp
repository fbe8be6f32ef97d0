#include "format/near_names.h"

#include <cstring>

namespace vesk {

namespace {

// Words are names of a format file: no longer than a line.
constexpr std::size_t kLongestWord = 512;

}  // namespace

int edit_distance(const char* a, std::size_t na, const char* b, std::size_t nb) {
  if (na > kLongestWord) na = kLongestWord;
  if (nb > kLongestWord) nb = kLongestWord;
  // Three rows of the table: two back for the swaps.
  std::vector<int> before(nb + 1), prev(nb + 1), row(nb + 1);
  for (std::size_t j = 0; j <= nb; ++j) prev[j] = static_cast<int>(j);
  for (std::size_t i = 1; i <= na; ++i) {
    row[0] = static_cast<int>(i);
    for (std::size_t j = 1; j <= nb; ++j) {
      int change = prev[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
      int best = change;
      if (prev[j] + 1 < best) best = prev[j] + 1;
      if (row[j - 1] + 1 < best) best = row[j - 1] + 1;
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1] && before[j - 2] + 1 < best)
        best = before[j - 2] + 1;
      row[j] = best;
    }
    before.swap(prev);
    prev.swap(row);
  }
  return prev[nb];
}

const char* nearest_name(const char* word, std::size_t n, const std::vector<const char*>& candidates) {
  const int allowed = n <= 4 ? 1 : 2;
  const char* best = nullptr;
  int best_distance = allowed + 1;
  for (const char* c : candidates) {
    if (c == nullptr || c[0] == '\0') continue;
    int d = edit_distance(word, n, c, std::strlen(c));
    if (d > 0 && d < best_distance) {
      best = c;
      best_distance = d;
    }
  }
  return best;
}

std::string name_list(const std::vector<const char*>& names, std::size_t max) {
  std::string out;
  std::size_t k = 0;
  for (const char* name : names) {
    if (k == max) {
      out += ", ...";
      break;
    }
    if (k > 0) out += ", ";
    out += name;
    ++k;
  }
  return out;
}

}  // namespace vesk
