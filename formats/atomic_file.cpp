#include "formats/atomic_file.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <utility>

#include "formats/picture_error.h"

namespace vellumine {
namespace {

constexpr int kNameAttempts = 100;
constexpr std::size_t kSuffixLength = 6;
// Keeps ".<name>.XXXXXX" within the usual 255-byte limit of a file name.
constexpr std::size_t kMaxNameInTemporary = 240;

std::string RandomSuffix() {
  static constexpr char kAlphabet[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  static std::atomic<std::uint64_t> counter{0};
  std::uint64_t value = 0;
  // Without entropy any varying value will do: O_EXCL keeps the name unique anyway.
  if (getrandom(&value, sizeof value, GRND_NONBLOCK) != ssize_t(sizeof value))
    value = std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());
  value ^= counter.fetch_add(1) * 0x9E3779B97F4A7C15u;
  std::string suffix;
  for (std::size_t i = 0; i < kSuffixLength; ++i, value /= sizeof kAlphabet - 1)
    suffix += kAlphabet[value % (sizeof kAlphabet - 1)];
  return suffix;
}

}  // namespace

AtomicFile::AtomicFile(std::string target) : target_(std::move(target)) {
  const std::size_t slash = target_.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : target_.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? target_ : target_.substr(slash + 1);
  if (name.empty() || name == "." || name == "..") Fail(EISDIR);
  std::string stem(1, '.');
  stem.append(name, 0, kMaxNameInTemporary).append(1, '.');
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    temporary_ = folder + stem + RandomSuffix();
    // O_EXCL with mode 0666 gives a fresh file the umask (and default ACL) applies to.
    fd_ = open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ >= 0) return;
    if (errno != EEXIST) break;
  }
  const int error = errno;
  temporary_.clear();
  Fail(error);
}

AtomicFile::~AtomicFile() {
  Discard();
}

void AtomicFile::Discard() noexcept {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) unlink(temporary_.c_str());
  temporary_.clear();
}

void AtomicFile::Fail(int errorNumber) {
  Discard();
  throw PictureFileError(PictureFileError::Access::Write, target_, ErrnoReason(errorNumber));
}

int AtomicFile::TryWrite(const void* data, std::size_t size) noexcept {
  if (firstError_ != 0) return firstError_;
  if (fd_ < 0) return firstError_ = EBADF;
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t written = write(fd_, bytes, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return firstError_ = errno;
    }
    bytes += written;
    size -= std::size_t(written);
    position_ += std::uint64_t(written);
  }
  return 0;
}

void AtomicFile::Write(const void* data, std::size_t size) {
  if (const int error = TryWrite(data, size)) Fail(error);
}

void AtomicFile::WriteAt(std::uint64_t offset, const void* data, std::size_t size) {
  if (firstError_ != 0) Fail(firstError_);
  if (fd_ < 0) Fail(EBADF);
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t written = pwrite(fd_, bytes, size, off_t(offset));
    if (written < 0) {
      if (errno == EINTR) continue;
      Fail(firstError_ = errno);
    }
    bytes += written;
    size -= std::size_t(written);
    offset += std::uint64_t(written);
  }
}

void AtomicFile::Reserve(std::uint64_t size) {
  if (fd_ < 0) Fail(EBADF);
  const int error = posix_fallocate(fd_, 0, off_t(size));
  // File systems without allocation support just grow the file as it is written.
  if (error != 0 && error != EOPNOTSUPP && error != ENOSYS && error != EINVAL) Fail(error);
}

void AtomicFile::Commit() {
  if (firstError_ != 0) Fail(firstError_);
  if (fd_ < 0) Fail(EBADF);
  // A file replaced keeps its permissions, as it would if it were written in place.
  struct stat existing;
  if (stat(target_.c_str(), &existing) == 0 && S_ISREG(existing.st_mode) &&
      fchmod(fd_, existing.st_mode & 07777) != 0)
    Fail(errno);
  // The data reaches the disk before the name does: a crash then leaves the old file or the new
  // one, never an empty one.
  if (fdatasync(fd_) != 0 && errno != EINVAL) Fail(errno);
  const int fd = std::exchange(fd_, -1);
  // close() reports delayed write errors of some file systems (NFS, quotas).
  if (close(fd) != 0 && errno != EINTR) Fail(errno);
  if (rename(temporary_.c_str(), target_.c_str()) != 0) Fail(errno);
  temporary_.clear();
}

}  // namespace vellumine
