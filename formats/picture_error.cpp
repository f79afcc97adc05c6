#include "formats/picture_error.h"

#include <cstring>
#include <utility>

namespace vellumine {
namespace {

std::string Describe(PictureFileError::Access access, const std::string& path,
                     const std::string& reason) {
  const char* verb = access == PictureFileError::Access::Read ? "cannot read " : "cannot write ";
  return verb + path + ": " + reason;
}

}  // namespace

PictureFileError::PictureFileError(Access access, std::string path, std::string reason)
    : std::runtime_error(Describe(access, path, reason)),
      access_(access),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

std::string ErrnoReason(int errorNumber) {
  char buffer[256];
  // The GNU strerror_r returns the text, which may or may not be in the buffer.
  std::string text = strerror_r(errorNumber, buffer, sizeof buffer);
  // Only a capital followed by a small letter is lowered, so that "EOF ..." stays as it is.
  if (text.size() >= 2 && text[0] >= 'A' && text[0] <= 'Z' && text[1] >= 'a' && text[1] <= 'z')
    text[0] = char(text[0] - 'A' + 'a');
  return text;
}

}  // namespace vellumine
