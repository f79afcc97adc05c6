#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>

namespace vellumine {

namespace detail {
// Frees a pixel block by the way it was allocated (mapped or from the heap).
struct PixelRelease {
  std::size_t bytes = 0;
  void operator()(std::uint8_t* p) const;
};
}  // namespace detail

// Raised when a row outside 0 .. Height - 1 is asked of a raster.
class RasterRowError : public std::out_of_range {
 public:
  using std::out_of_range::out_of_range;
};

// A rectangular picture of 24-bit pixels: blue, green, red bytes, row 0 at the top,
// rows stored one after another without padding (stride = 3 * Width). Copies are deep.
// Large rasters are backed by transparent huge pages where the system offers them.
class Raster24 {
 public:
  static constexpr int kBytesPerPixel = 3;

  Raster24() = default;
  // A white raster of the given size; negative sizes are refused with std::invalid_argument.
  Raster24(int width, int height);
  // A raster whose pixels are left undefined; the caller must write every pixel before
  // anyone reads it (decoders and the fast Convert, which fill rows in their own threads).
  static Raster24 WithUndefinedPixels(int width, int height);

  Raster24(const Raster24& other);
  Raster24& operator=(const Raster24& other);
  Raster24(Raster24&& other) noexcept;
  Raster24& operator=(Raster24&& other) noexcept;
  ~Raster24() = default;

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  std::size_t Stride() const { return std::size_t(width_) * kBytesPerPixel; }
  std::size_t ByteCount() const { return Stride() * std::size_t(height_); }

  // First byte of row `row`; throws RasterRowError outside 0 .. Height - 1.
  std::uint8_t* Row(int row);
  const std::uint8_t* Row(int row) const;
  // The whole pixel block (rows top to bottom), null for an empty raster.
  std::uint8_t* Data() { return pixels_.get(); }
  const std::uint8_t* Data() const { return pixels_.get(); }

  // Keeps every old pixel that still fits, anchored at the top left; new pixels are white.
  // Resizing to the current size changes nothing.
  void Resize(int width, int height);
  // Makes every pixel white.
  void FillWhite();

  friend bool operator==(const Raster24& a, const Raster24& b);

 private:
  using Buffer = std::unique_ptr<std::uint8_t[], detail::PixelRelease>;

  static Buffer Allocate(std::size_t bytes);

  int width_ = 0;
  int height_ = 0;
  Buffer pixels_;
};

}  // namespace vellumine
