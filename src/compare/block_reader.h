// The comparison's reads of blocks by position, from a regular file: what
// was read last is kept, reading on in file order (or a little further on)
// reads ever larger pieces, and a block far from the last is read alone. So
// blocks taken in file order cost a few large reads, and scattered blocks one
// small read each.
#pragma once

#include <cstddef>
#include <memory>

namespace vesk {

class BlockReader {
 public:
  // The file descriptor stays the caller's; name is for the messages.
  BlockReader(int fd, const char* name);

  // Up to n bytes at file position pos into dest: their number, fewer at the
  // end of the file; -1 after a failed read ("%s: read error\n").
  long long read_at(long long pos, unsigned char* dest, std::size_t n);

  const char* name() const { return name_; }

 private:
  int fd_;
  const char* name_;
  std::unique_ptr<unsigned char[]> buf_;
  long long from_ = 0;     // file position of buf_[0]
  std::size_t len_ = 0;    // bytes held
  std::size_t chunk_ = 0;  // bytes of the last read
};

}  // namespace vesk
