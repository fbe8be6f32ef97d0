#include "common/byte_source.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "common/messages.h"

namespace vesk {

namespace {
constexpr std::size_t kBufferSize = 1 << 18;
// After a seek the next reads start small: a comparison reads single blocks
// at scattered positions, and a full buffer each time would read far more
// than it uses. Reading on doubles the size up to the whole buffer.
constexpr std::size_t kFirstChunk = 1 << 14;
}  // namespace

ByteSource::ByteSource(int fd, const char* name)
    : fd_(fd), name_(name ? name : ""), buf_(new unsigned char[kBufferSize]), cap_(kBufferSize),
      chunk_(kBufferSize) {
  seekable_ = ::lseek(fd_, 0, SEEK_CUR) != static_cast<off_t>(-1);
}

void ByteSource::drop_buffer() {
  pos_ = len_ = 0;
  eof_ = false;
}

bool ByteSource::fill() {
  if (eof_) return false;
  if (pos_ > 0) {
    std::memmove(buf_.get(), buf_.get() + pos_, len_ - pos_);
    len_ -= pos_;
    pos_ = 0;
  }
  if (len_ == cap_) return true;
  std::size_t want = cap_ - len_ < chunk_ ? cap_ - len_ : chunk_;
  while (true) {
    ssize_t k = ::read(fd_, buf_.get() + len_, want);
    if (k < 0 && errno == EINTR) continue;
    if (k < 0) {
      // A failed read is not the end of the file: the report would be cut
      // short with a status of success.
      if (!failed_) errmsg("%s: read error\n", name_);
      failed_ = true;
      eof_ = true;
      return false;
    }
    if (k == 0) {
      eof_ = true;
      end_ = offset_ - static_cast<long long>(pos_) + static_cast<long long>(len_);
      return false;
    }
    len_ += static_cast<std::size_t>(k);
    if (chunk_ < cap_) chunk_ *= 2;
    return true;
  }
}

std::size_t ByteSource::read(unsigned char* dest, std::size_t n) {
  std::size_t done = 0;
  while (done < n) {
    if (pos_ == len_) {
      // A large read goes straight to the caller once the buffer is empty.
      if (n - done >= cap_ && !eof_) {
        ssize_t k = ::read(fd_, dest + done, n - done);
        if (k < 0 && errno == EINTR) continue;
        if (k > 0) {
          done += static_cast<std::size_t>(k);
          offset_ += k;
          continue;
        }
      }
      if (!fill()) break;
    }
    std::size_t k = len_ - pos_;
    if (k > n - done) k = n - done;
    std::memcpy(dest + done, buf_.get() + pos_, k);
    pos_ += k;
    done += k;
    offset_ += static_cast<long long>(k);
  }
  return done;
}

std::size_t ByteSource::peek(unsigned char* dest, std::size_t n) {
  if (n > kMaxPeek) n = kMaxPeek;
  while (len_ - pos_ < n && fill()) {
  }
  std::size_t k = len_ - pos_ < n ? len_ - pos_ : n;
  std::memcpy(dest, buf_.get() + pos_, k);
  return k;
}

long long ByteSource::known_size() const {
  long long size = regular_file_size();
  return size >= 0 ? size : end_;
}

long long ByteSource::regular_file_size() const {
  struct stat st;
  if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return static_cast<long long>(st.st_size);
}

bool ByteSource::seek(long long target) {
  if (target == offset_) return true;
  // Inside what is buffered: no system call.
  long long buffered_from = offset_ - static_cast<long long>(pos_);
  long long buffered_to = offset_ + static_cast<long long>(len_ - pos_);
  if (target >= buffered_from && target <= buffered_to) {
    pos_ = static_cast<std::size_t>(target - buffered_from);
    offset_ = target;
    return true;
  }
  if (seekable_) {
    if (target < 0) {
      errmsg("%s: cannot seek\n", name_);
      return false;
    }
    if (::lseek(fd_, static_cast<off_t>(target), SEEK_SET) != static_cast<off_t>(target)) {
      // Past the largest offset the file system allows (a far block number):
      // that lies past the end of the file, where a read finds nothing.
      long long size = regular_file_size();
      if (size < 0 || target <= size) {
        errmsg("%s: cannot seek\n", name_);
        return false;
      }
      drop_buffer();
      eof_ = true;
      offset_ = target;
      return true;
    }
    drop_buffer();
    offset_ = target;
    chunk_ = kFirstChunk;
    return true;
  }
  if (target < offset_) {
    errmsg("%s: cannot go back to offset %d in this input (not seekable)\n", name_, static_cast<int>(target));
    return false;
  }
  // Not seekable (a pipe): read forward to the target.
  while (offset_ < target) {
    if (pos_ == len_ && !fill()) {
      // The end came first: the next read finds nothing, as after a seek past the end.
      offset_ = target;
      return !failed_;
    }
    long long left = target - offset_;
    std::size_t k = len_ - pos_;
    if (static_cast<long long>(k) > left) k = static_cast<std::size_t>(left);
    pos_ += k;
    offset_ += static_cast<long long>(k);
  }
  return true;
}

}  // namespace vesk
