#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/raster24.h"

namespace vellumine::formats_test {

using Bytes = std::vector<std::uint8_t>;

// A fresh folder under the system's temporary folder, removed with its content at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }
  // The path of `name` inside the folder.
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  // The names in the folder, sorted, without "." and "..".
  std::vector<std::string> Entries() const;

 private:
  std::string path_;
};

std::string FixturePath(const std::string& name);
Bytes ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const Bytes& bytes);

// A picture with smooth colour gradients and a few hard edges, the same for the same seed.
Raster24 PatternPicture(int width, int height, unsigned seed = 1);

}  // namespace vellumine::formats_test
