#pragma once

#include <stdexcept>
#include <string>

namespace vellumine {

// The one error of the formats library: a picture file could not be read or written.
// what() reads "cannot read <path>: <reason>" or "cannot write <path>: <reason>"; the reason is
// short and lower-case ("not a JPEG file", "truncated file", "no such file or directory").
class PictureFileError : public std::runtime_error {
 public:
  enum class Access { Read, Write };

  PictureFileError(Access access, std::string path, std::string reason);

  Access AccessType() const { return access_; }
  const std::string& Path() const { return path_; }
  const std::string& Reason() const { return reason_; }

 private:
  Access access_;
  std::string path_;
  std::string reason_;
};

// The system's text for an errno value with its first letter lower-cased, as used in reasons:
// ENOENT gives "no such file or directory".
std::string ErrnoReason(int errorNumber);

}  // namespace vellumine
