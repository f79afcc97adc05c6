#include "tests/formats/test_files.h"

#include <dirent.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace vellumine::formats_test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "formats-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TempDir::Entries() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string FixturePath(const std::string& name) {
  return std::string(VELLUMINE_FIXTURES) + "/" + name;
}

Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

Raster24 PatternPicture(int width, int height, unsigned seed) {
  Raster24 picture = Raster24::WithUndefinedPixels(width, height);
  std::mt19937 random(seed);
  const int phase = int(random() % 64);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* p = picture.Row(y);
    for (int x = 0; x < width; ++x, p += 3) {
      const bool block = ((x + phase) / 16 + y / 16) % 5 == 0;
      p[0] = std::uint8_t(block ? 30 : (x * 255) / std::max(1, width - 1));
      p[1] = std::uint8_t((y * 255) / std::max(1, height - 1));
      p[2] = std::uint8_t(block ? 220 : ((x + y + phase) * 3) & 0xFF);
    }
  }
  return picture;
}

}  // namespace vellumine::formats_test
