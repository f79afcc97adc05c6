#include "engine/raster24.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <utility>

namespace vellumine {
namespace {

// Blocks this large are mapped directly so that they can be backed by 2 MiB pages:
// the first touch of a fresh 70 MB raster otherwise costs more than the kernel itself.
constexpr std::size_t kHugePageThreshold = std::size_t(4) << 20;

void CheckSize(int width, int height) {
  if (width < 0 || height < 0)
    throw std::invalid_argument("raster size must not be negative: " + std::to_string(width) +
                                " x " + std::to_string(height));
}

}  // namespace

void detail::PixelRelease::operator()(std::uint8_t* p) const {
  if (p == nullptr) return;
  if (bytes >= kHugePageThreshold)
    munmap(p, bytes);
  else
    ::operator delete[](p);
}

Raster24::Buffer Raster24::Allocate(std::size_t bytes) {
  if (bytes == 0) return Buffer(nullptr, detail::PixelRelease{0});
  if (bytes >= kHugePageThreshold) {
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    madvise(p, bytes, MADV_HUGEPAGE);
    return Buffer(static_cast<std::uint8_t*>(p), detail::PixelRelease{bytes});
  }
  return Buffer(static_cast<std::uint8_t*>(::operator new[](bytes)), detail::PixelRelease{bytes});
}

Raster24::Raster24(int width, int height) : Raster24(WithUndefinedPixels(width, height)) {
  FillWhite();
}

Raster24 Raster24::WithUndefinedPixels(int width, int height) {
  CheckSize(width, height);
  Raster24 r;
  r.width_ = width;
  r.height_ = height;
  r.pixels_ = Allocate(r.ByteCount());
  return r;
}

Raster24::Raster24(const Raster24& other)
    : width_(other.width_), height_(other.height_), pixels_(Allocate(other.ByteCount())) {
  if (pixels_) std::memcpy(pixels_.get(), other.pixels_.get(), ByteCount());
}

Raster24& Raster24::operator=(const Raster24& other) {
  if (this != &other) *this = Raster24(other);
  return *this;
}

Raster24::Raster24(Raster24&& other) noexcept
    : width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)),
      pixels_(std::move(other.pixels_)) {}

Raster24& Raster24::operator=(Raster24&& other) noexcept {
  width_ = std::exchange(other.width_, 0);
  height_ = std::exchange(other.height_, 0);
  pixels_ = std::move(other.pixels_);
  return *this;
}

std::uint8_t* Raster24::Row(int row) {
  if (row < 0 || row >= height_)
    throw RasterRowError("raster row " + std::to_string(row) + " outside 0 .. " +
                         std::to_string(height_ - 1));
  return pixels_.get() + std::size_t(row) * Stride();
}

const std::uint8_t* Raster24::Row(int row) const {
  return const_cast<Raster24*>(this)->Row(row);
}

void Raster24::Resize(int width, int height) {
  CheckSize(width, height);
  if (width == width_ && height == height_) return;
  Raster24 resized(width, height);
  const int keepWidth = std::min(width, width_);
  const int keepHeight = std::min(height, height_);
  for (int r = 0; r < keepHeight; ++r)
    std::memcpy(resized.Row(r), Row(r), std::size_t(keepWidth) * kBytesPerPixel);
  *this = std::move(resized);
}

void Raster24::FillWhite() {
  if (pixels_) std::memset(pixels_.get(), 0xFF, ByteCount());
}

bool operator==(const Raster24& a, const Raster24& b) {
  if (a.width_ != b.width_ || a.height_ != b.height_) return false;
  return a.ByteCount() == 0 || std::memcmp(a.Data(), b.Data(), a.ByteCount()) == 0;
}

}  // namespace vellumine
