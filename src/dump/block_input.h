// The plain dump's input: large reads into one buffer, with a look-ahead that
// does not consume, so that a pipe reads the same as a file.
#pragma once

#include <cstddef>

namespace vesk {

class BlockInput {
 public:
  // name is used in the message that a failed read ends the run with.
  BlockInput(int fd, const char* name);

  // Takes up to n bytes; fewer only at the end of the input (a read error
  // counts as the end).
  std::size_t read(unsigned char* dest, std::size_t n);
  // Copies up to n (at most kMaxPeek) of the next bytes without taking them.
  std::size_t peek(unsigned char* dest, std::size_t n);
  // Goes on reading at the file offset target (not before the current
  // position): by a seek where the input allows one, else by reading forward.
  void skip_to(long long target);

  static constexpr std::size_t kMaxPeek = 8;

 private:
  // Reads more after the unread bytes; false at the end of the input.
  bool fill();

  int fd_;
  const char* name_;
  unsigned char* buf_;
  std::size_t cap_;
  std::size_t pos_ = 0;  // next unread byte
  std::size_t len_ = 0;  // bytes in the buffer
  long long offset_ = 0; // file offset of buf_[pos_]
  bool eof_ = false;
};

}  // namespace vesk
