#include "dump/block_input.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "common/messages.h"
#include "output/writer.h"

namespace vesk {

namespace {
constexpr std::size_t kInputBufferSize = 1 << 18;
}

BlockInput::BlockInput(int fd, const char* name)
    : fd_(fd), name_(name), buf_(static_cast<unsigned char*>(getmem(kInputBufferSize))), cap_(kInputBufferSize) {}

bool BlockInput::fill() {
  if (eof_) return false;
  if (pos_ > 0) {
    std::memmove(buf_, buf_ + pos_, len_ - pos_);
    len_ -= pos_;
    pos_ = 0;
  }
  if (len_ == cap_) return true;
  while (true) {
    ssize_t k = ::read(fd_, buf_ + len_, cap_ - len_);
    if (k < 0 && errno == EINTR) continue;
    if (k < 0) {
      // A failed read is not the end of the file: the report would be cut
      // short with a status of success.
      errmsg("%s: read error\n", name_);
      end_process(1);
    }
    if (k == 0) {
      eof_ = true;
      return false;
    }
    len_ += static_cast<std::size_t>(k);
    return true;
  }
}

std::size_t BlockInput::read(unsigned char* dest, std::size_t n) {
  std::size_t done = 0;
  while (done < n) {
    if (pos_ == len_ && !fill()) break;
    std::size_t k = len_ - pos_;
    if (k > n - done) k = n - done;
    std::memcpy(dest + done, buf_ + pos_, k);
    pos_ += k;
    done += k;
  }
  offset_ += static_cast<long long>(done);
  return done;
}

std::size_t BlockInput::peek(unsigned char* dest, std::size_t n) {
  if (n > kMaxPeek) n = kMaxPeek;
  while (len_ - pos_ < n && fill()) {
  }
  std::size_t k = len_ - pos_ < n ? len_ - pos_ : n;
  std::memcpy(dest, buf_ + pos_, k);
  return k;
}

void BlockInput::skip_to(long long target) {
  if (target <= offset_) return;
  if (::lseek(fd_, static_cast<off_t>(target), SEEK_SET) == static_cast<off_t>(target)) {
    pos_ = len_ = 0;
    offset_ = target;
    eof_ = false;
    return;
  }
  // Not seekable (a pipe): read forward to the target.
  while (offset_ < target) {
    if (pos_ == len_ && !fill()) return;
    long long left = target - offset_;
    std::size_t k = len_ - pos_;
    if (static_cast<long long>(k) > left) k = static_cast<std::size_t>(left);
    pos_ += k;
    offset_ += static_cast<long long>(k);
  }
}

}  // namespace vesk
