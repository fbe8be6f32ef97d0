#include "compare/block_reader.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "common/messages.h"

namespace vesk {

namespace {
constexpr std::size_t kBufferSize = 1 << 18;
// A block this close after what is held is read on to: reading the bytes
// between costs less than a read of its own.
constexpr long long kNear = 4096;
}  // namespace

BlockReader::BlockReader(int fd, const char* name)
    : fd_(fd), name_(name ? name : ""), buf_(new unsigned char[kBufferSize]) {}

long long BlockReader::read_at(long long pos, unsigned char* dest, std::size_t n) {
  if (n > kBufferSize) n = kBufferSize;
  const long long held_to = from_ + static_cast<long long>(len_);
  if (pos >= from_ && pos + static_cast<long long>(n) <= held_to) {
    std::memcpy(dest, buf_.get() + (pos - from_), n);
    return static_cast<long long>(n);
  }
  // Reading on from what is held doubles the piece; a block elsewhere is
  // read alone.
  const bool onward = len_ > 0 && pos >= from_ && pos <= held_to + kNear;
  chunk_ = onward ? (chunk_ * 2 < kBufferSize ? chunk_ * 2 : kBufferSize) : n;
  if (chunk_ < n) chunk_ = n;
  std::size_t got = 0;
  while (got < chunk_) {
    ssize_t k = ::pread(fd_, buf_.get() + got, chunk_ - got, static_cast<off_t>(pos + static_cast<long long>(got)));
    if (k < 0 && errno == EINTR) continue;
    if (k < 0) {
      // Past the largest offset the file system allows lies past the end.
      struct stat st;
      if (errno == EINVAL && ::fstat(fd_, &st) == 0 && pos + static_cast<long long>(got) >= st.st_size) break;
      errmsg("%s: read error\n", name_);
      len_ = 0;
      return -1;
    }
    if (k == 0) break;
    got += static_cast<std::size_t>(k);
  }
  from_ = pos;
  len_ = got;
  std::size_t k = got < n ? got : n;
  std::memcpy(dest, buf_.get(), k);
  return static_cast<long long>(k);
}

}  // namespace vesk
