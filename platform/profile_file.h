#pragma once

#include <stdexcept>
#include <string>

namespace vellumine {

// The profile (INI) file: "[Section]" lines, each followed by "Key=Value" lines. Section and key
// names are matched ignoring ASCII letter case and surrounding blanks; the first match counts.

// The whole number stored under section/key. A missing file, section or key, or a value that is
// not a whole number gives `defaultValue`. Values are decimal with an optional sign ("-1"), or
// hexadecimal after a leading "0x" ("0x2F"); a value outside 32 bits is not a whole number.
int ReadProfileInt(const std::string& path, const std::string& section, const std::string& key,
                   int defaultValue);

// Raised when the profile file cannot be written; what() is "Unable to write to <path>".
class ProfileWriteError : public std::runtime_error {
 public:
  explicit ProfileWriteError(const std::string& path);
};

// Stores `value` in decimal under section/key. Every other section, key, comment and line keeps
// its text and place; an existing key's line is replaced, a new key goes after the last line of
// its section, a new section at the end of the file, which is created when missing. The file is
// written beside itself under a temporary name and renamed over the old one, so a failure leaves
// it as it was. Throws ProfileWriteError.
void WriteProfileInt(const std::string& path, const std::string& section, const std::string& key,
                     int value);

}  // namespace vellumine
