#include "platform/profile_file.h"

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string_view>
#include <vector>

#include "formats/atomic_file.h"

namespace vellumine {
namespace {

constexpr std::string_view kBlanks = " \t\r";

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The file's lines without their line ends; `crlf` tells whether the first one ended in "\r\n".
struct ProfileText {
  std::vector<std::string> lines;
  bool endsWithNewline = true;
  bool crlf = false;
};

// The file's text; nullopt when it cannot be read, and then `exists` tells whether it is there.
std::optional<ProfileText> ReadProfileText(const std::string& path, bool& exists) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  exists = std::filesystem::exists(status);
  if (!std::filesystem::is_regular_file(status)) return std::nullopt;
  std::string all;
  try {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    all.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
  } catch (const std::ios_base::failure&) {
    return std::nullopt;
  }
  ProfileText text;
  std::size_t start = 0;
  while (start < all.size()) {
    std::size_t end = all.find('\n', start);
    if (end == std::string::npos) {
      text.lines.push_back(all.substr(start));
      text.endsWithNewline = false;
      break;
    }
    std::size_t lineEnd = end;
    if (lineEnd > start && all[lineEnd - 1] == '\r') {
      --lineEnd;
      if (text.lines.empty()) text.crlf = true;
    }
    text.lines.push_back(all.substr(start, lineEnd - start));
    start = end + 1;
  }
  return text;
}

// The section name of a "[Name]" line, or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.size() < 2 || line.front() != '[') return std::nullopt;
  const std::size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

// Whether a line inside a section is a "key=value" line of `key`; gives the value.
std::optional<std::string_view> KeyValue(std::string_view line, std::string_view key) {
  const std::string_view trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() == ';') return std::nullopt;
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  if (!SameName(Trim(line.substr(0, equals)), key)) return std::nullopt;
  return Trim(line.substr(equals + 1));
}

std::optional<int> ParseWholeNumber(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    std::uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data() + 2, end, value, 16);
    if (error != std::errc() || ptr != end) return std::nullopt;
    return static_cast<int>(value);  // 0xFFFFFFFF is -1, as a 32-bit register holds it
  }
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value, 10);
  if (error != std::errc() || ptr != end || text.empty()) return std::nullopt;
  return value;
}

}  // namespace

int ReadProfileInt(const std::string& path, const std::string& section, const std::string& key,
                   int defaultValue) {
  bool exists = false;
  const std::optional<ProfileText> text = ReadProfileText(path, exists);
  if (!text) return defaultValue;
  bool inSection = false;
  for (const std::string& line : text->lines) {
    if (const auto name = SectionName(line)) {
      if (inSection) break;
      inSection = SameName(*name, section);
      continue;
    }
    if (!inSection) continue;
    if (const auto value = KeyValue(line, key))
      return ParseWholeNumber(*value).value_or(defaultValue);
  }
  return defaultValue;
}

ProfileWriteError::ProfileWriteError(const std::string& path)
    : std::runtime_error("Unable to write to " + path) {}

void WriteProfileInt(const std::string& path, const std::string& section, const std::string& key,
                     int value) {
  ProfileText text;
  bool exists = false;
  if (auto existing = ReadProfileText(path, exists)) {
    text = std::move(*existing);
  } else if (exists) {
    // A file that exists but cannot be read is not replaced by one holding this key alone.
    throw ProfileWriteError(path);
  }
  const std::size_t originalLineCount = text.lines.size();
  const std::string keyLine = key + "=" + std::to_string(value);

  // Find the section, its key line and its last non-blank line.
  std::optional<std::size_t> sectionLine, valueLine;
  std::size_t lastLineOfSection = 0;
  for (std::size_t i = 0; i < text.lines.size(); ++i) {
    if (const auto name = SectionName(text.lines[i])) {
      if (sectionLine) break;
      if (SameName(*name, section)) sectionLine = lastLineOfSection = i;
      continue;
    }
    if (!sectionLine) continue;
    if (!Trim(text.lines[i]).empty()) lastLineOfSection = i;
    if (KeyValue(text.lines[i], key)) {
      valueLine = i;
      break;
    }
  }
  bool addedAtEnd = false;
  if (valueLine) {
    text.lines[*valueLine] = keyLine;
  } else if (sectionLine) {
    addedAtEnd = lastLineOfSection + 1 == originalLineCount;
    text.lines.insert(text.lines.begin() + std::ptrdiff_t(lastLineOfSection + 1), keyLine);
  } else {
    addedAtEnd = true;
    text.lines.push_back("[" + section + "]");
    text.lines.push_back(keyLine);
  }

  const std::string newline = text.crlf ? "\r\n" : "\n";
  std::string out;
  for (std::size_t i = 0; i < text.lines.size(); ++i) {
    out += text.lines[i];
    // A file that ended without a line end keeps it so, unless lines were added at its end.
    if (i + 1 < text.lines.size() || text.endsWithNewline || addedAtEnd) out += newline;
  }
  try {
    AtomicFile file(path);
    file.Write(out.data(), out.size());
    file.Commit();
  } catch (const std::exception&) {
    throw ProfileWriteError(path);
  }
}

}  // namespace vellumine
