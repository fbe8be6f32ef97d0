#include "text/text_cells.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace vesk {
namespace {

// A run's cells one decode at a time from the code's first state, as a text
// item reads them: their Shift_JIS forms and where each starts.
struct Layout {
  std::string forms;
  std::vector<unsigned char> starts;
};

Layout cell_by_cell(const Codec& codec, bool show_escapes, const std::string& bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const int n = static_cast<int>(bytes.size());
  Layout out{std::string(), std::vector<unsigned char>(bytes.size(), 0)};
  DecoderState st;
  st.show_escapes = show_escapes;
  for (int at = 0; at < n;) {
    const Cell c = codec.decode(st, p + at, n - at);
    char form[2 * kMaxCellLength];
    out.forms.append(form, static_cast<std::size_t>(put_cell<SjisEncoder>(c, form)));
    out.starts[static_cast<std::size_t>(at)] =
        static_cast<unsigned char>(c.len + (c.cls == CellClass::multibyte ? kStartsCharacter : 0));
    at += c.len;
  }
  return out;
}

// Bytes that mix ASCII runs, kana, lead and trail bytes, escape sequences
// and controls, so that every way through the tables is taken.
std::string mixed_bytes(std::mt19937& rng, int n) {
  static const std::string pieces[] = {"ABCDEFGHIJ", "\x1b$B", "\x1b(B", "\x1b(I", "\x8f", "\x8e",
                                       "\xa4\xa2", "\x82\xa0", "\xe3\x81\x82", "\xf0\x9f\x98\x80", "."};
  std::string s;
  while (static_cast<int>(s.size()) < n) {
    if (rng() % 3 == 0)
      s += pieces[rng() % (sizeof pieces / sizeof pieces[0])];
    else
      s += static_cast<char>(rng() & 0xFF);
  }
  s.resize(static_cast<std::size_t>(n));
  return s;
}

// The codec's forms of a whole run are those of its cells one by one, in
// every code, with and without the escape bytes shown; and the cells start
// where decoding one at a time starts them.
TEST(TextCells, FormsOfARunAreThoseOfItsCells) {
  std::mt19937 rng(20261210);
  const CharMode modes[] = {CharMode::ascii, CharMode::kana, CharMode::sjis,
                            CharMode::euc,   CharMode::jis,  CharMode::utf8};
  for (CharMode mode : modes) {
    const Codec& codec = codec_of(mode);
    for (int run = 0; run < 400; ++run) {
      const std::string bytes = mixed_bytes(rng, 1 + static_cast<int>(rng() % 40));
      const bool escapes = run % 2 == 1;
      const Layout want = cell_by_cell(codec, escapes, bytes);
      const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
      const int n = static_cast<int>(bytes.size());
      std::string forms(bytes.size() + kMaxCellLength, '\0');
      EXPECT_EQ(codec.put_text_forms(escapes, p, n, forms.data(), nullptr), n);
      forms.resize(bytes.size());
      EXPECT_EQ(forms, want.forms) << codec.letter << " " << testing::PrintToString(bytes);
      std::string laid(bytes.size() + kMaxCellLength, '\0');
      std::vector<unsigned char> starts(bytes.size(), 0xFF);
      codec.put_text_layout(escapes, p, n, laid.data(), starts.data());
      laid.resize(bytes.size());
      EXPECT_EQ(laid, want.forms);
      EXPECT_EQ(starts, want.starts) << codec.letter << " " << testing::PrintToString(bytes);
      // The batches of cells are the cells decoded one at a time.
      TextCells cells(codec, escapes, p, n);
      std::string batched;
      while (const Cell* c = cells.next()) {
        char form[2 * kMaxCellLength];
        batched.append(form, static_cast<std::size_t>(put_cell<SjisEncoder>(*c, form)));
      }
      EXPECT_EQ(batched, want.forms);
    }
  }
}

}  // namespace
}  // namespace vesk
