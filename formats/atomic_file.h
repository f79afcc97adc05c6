#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vellumine {

// A file written beside its target under a temporary name (".<name>.XXXXXX" in the same folder)
// and renamed over the target by Commit, so that a failed or abandoned write leaves an existing
// target as it was. Destroying it without a successful Commit removes the temporary file.
// Every failure throws PictureFileError(Write, target, reason).
class AtomicFile {
 public:
  // Creates the temporary file, with the mode a new file gets (0666 less the umask).
  explicit AtomicFile(std::string target);
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Appends `size` bytes at the end of what Write has written so far.
  void Write(const void* data, std::size_t size);
  // Writes `size` bytes at `offset`, independently of Write's position.
  void WriteAt(std::uint64_t offset, const void* data, std::size_t size);
  // Allocates the file's final size on disk up front, so that a full disk shows at once.
  void Reserve(std::uint64_t size);
  // Write without throwing, for callers that cannot let an exception pass (libjpeg's callbacks):
  // 0 when written, else the errno value. A failure is kept and refused again by Commit.
  int TryWrite(const void* data, std::size_t size) noexcept;
  // Closes the temporary file and renames it over the target.
  void Commit();

  const std::string& Target() const { return target_; }
  const std::string& TemporaryPath() const { return temporary_; }

 private:
  [[noreturn]] void Fail(int errorNumber);
  void Discard() noexcept;

  std::string target_;
  std::string temporary_;
  int fd_ = -1;
  std::uint64_t position_ = 0;
  int firstError_ = 0;
};

}  // namespace vellumine
