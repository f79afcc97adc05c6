#include "formats/emf.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "formats/atomic_file.h"
#include "formats/dib_layout.h"
#include "formats/limits.h"
#include "formats/picture_error.h"

namespace vellumine {
namespace {

using dib::PutI32;
using dib::PutU16;
using dib::PutU32;

constexpr std::uint32_t kRecordHeader = 1;
constexpr std::uint32_t kRecordEndOfFile = 14;
constexpr std::uint32_t kRecordStretchDiBits = 81;
constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kVersion = 0x10000;
constexpr std::uint32_t kDibRgbColors = 0;
constexpr std::uint32_t kSourceCopy = 0x00CC0020;
constexpr std::uint32_t kRecordCount = 3;
constexpr std::uint16_t kHandleCount = 1;  // handle 0 is reserved for the metafile itself

// EMR_HEADER with both extensions (pixel format fields, then szlMicrometers).
constexpr std::size_t kHeaderSize = 108;
// EMR_STRETCHDIBITS: 80 bytes of fields, then the BITMAPINFOHEADER, then the rows.
constexpr std::size_t kStretchFieldsSize = 80;
constexpr std::size_t kStretchBitsOffset = kStretchFieldsSize + dib::kInfoHeaderSize;
constexpr std::size_t kEndOfFileSize = 20;
constexpr std::size_t kWriteChunkBytes = std::size_t(1) << 20;

[[noreturn]] void Fail(const std::string& path, const std::string& reason) {
  throw PictureFileError(PictureFileError::Access::Write, path, reason);
}

void PutRect(std::uint8_t* p, std::int32_t left, std::int32_t top, std::int32_t right,
             std::int32_t bottom) {
  PutI32(p, left);
  PutI32(p + 4, top);
  PutI32(p + 8, right);
  PutI32(p + 12, bottom);
}

// A length of `pixels` device pixels in hundredths of a millimetre, rounded:
// pixels * 100 * millimetres / devicePixels, as GDI sizes a frame from its reference device.
std::int32_t HundredthsOfMillimetre(int pixels, int millimetres, int devicePixels) {
  const std::int64_t scaled = std::int64_t(pixels) * 100 * millimetres;
  return std::int32_t((scaled + devicePixels / 2) / devicePixels);
}

}  // namespace

void WriteEmf(const std::string& path, const Raster24& sketch, int frameWidth, int frameHeight) {
  const int width = sketch.Width(), height = sketch.Height();
  if (sketch.Empty() || frameWidth <= 0 || frameHeight <= 0) Fail(path, "the picture is empty");
  if (const auto problem = WrittenPictureSizeProblem(width, height)) Fail(path, *problem);
  const std::uint64_t rowBytes = dib::RowBytes24(width);
  const std::uint64_t bitsBytes = rowBytes * std::uint64_t(height);
  const std::uint64_t stretchSize = kStretchBitsOffset + bitsBytes;
  const std::uint64_t totalSize = kHeaderSize + stretchSize + kEndOfFileSize;
  if (totalSize > UINT32_MAX) Fail(path, "picture too large for a metafile");

  // Bounds are inclusive device coordinates; the frame is the source picture's size in
  // hundredths of a millimetre on the reference device (right = width * 100 * mm / pixels).
  std::uint8_t header[kHeaderSize] = {};
  PutU32(header + 0, kRecordHeader);
  PutU32(header + 4, kHeaderSize);
  PutRect(header + 8, 0, 0, width - 1, height - 1);
  PutRect(header + 24, 0, 0,
          HundredthsOfMillimetre(frameWidth, kEmfDeviceWidthMillimetres, kEmfDeviceWidthPixels),
          HundredthsOfMillimetre(frameHeight, kEmfDeviceHeightMillimetres, kEmfDeviceHeightPixels));
  PutU32(header + 40, kSignature);
  PutU32(header + 44, kVersion);
  PutU32(header + 48, std::uint32_t(totalSize));
  PutU32(header + 52, kRecordCount);
  PutU16(header + 56, kHandleCount);
  // 58: reserved; 60, 64: no description; 68: no palette entries.
  PutI32(header + 72, kEmfDeviceWidthPixels);
  PutI32(header + 76, kEmfDeviceHeightPixels);
  PutI32(header + 80, kEmfDeviceWidthMillimetres);
  PutI32(header + 84, kEmfDeviceHeightMillimetres);
  // 88, 92, 96: no pixel format, not OpenGL.
  PutI32(header + 100, kEmfDeviceWidthMillimetres * 1000);
  PutI32(header + 104, kEmfDeviceHeightMillimetres * 1000);

  std::uint8_t stretch[kStretchBitsOffset] = {};
  PutU32(stretch + 0, kRecordStretchDiBits);
  PutU32(stretch + 4, std::uint32_t(stretchSize));
  PutRect(stretch + 8, 0, 0, width - 1, height - 1);
  PutI32(stretch + 24, 0);  // xDest
  PutI32(stretch + 28, 0);  // yDest
  PutI32(stretch + 32, 0);  // xSrc
  PutI32(stretch + 36, 0);  // ySrc
  PutI32(stretch + 40, width);
  PutI32(stretch + 44, height);
  PutU32(stretch + 48, kStretchFieldsSize);  // offBmiSrc
  PutU32(stretch + 52, dib::kInfoHeaderSize);
  PutU32(stretch + 56, kStretchBitsOffset);  // offBitsSrc
  PutU32(stretch + 60, std::uint32_t(bitsBytes));
  PutU32(stretch + 64, kDibRgbColors);
  PutU32(stretch + 68, kSourceCopy);
  PutI32(stretch + 72, width);  // cxDest
  PutI32(stretch + 76, height);
  dib::PutInfoHeader24(stretch + kStretchFieldsSize, width, height, std::uint32_t(bitsBytes));

  std::uint8_t end[kEndOfFileSize] = {};
  PutU32(end + 0, kRecordEndOfFile);
  PutU32(end + 4, kEndOfFileSize);
  PutU32(end + 8, 0);                // nPalEntries
  PutU32(end + 12, 16);              // offPalEntries
  PutU32(end + 16, kEndOfFileSize);  // nSizeLast

  AtomicFile file(path);
  file.Reserve(totalSize);
  file.Write(header, sizeof header);
  file.Write(stretch, sizeof stretch);
  const int chunkRows = int(std::clamp<std::uint64_t>(kWriteChunkBytes / rowBytes, 1, height));
  std::vector<std::uint8_t> chunk(std::size_t(rowBytes) * std::size_t(chunkRows));
  for (int row = height - 1; row >= 0;) {  // bottom-up
    std::size_t used = 0;
    for (int n = 0; n < chunkRows && row >= 0; ++n, --row, used += rowBytes)
      dib::PackRow24(sketch.Row(row), width, chunk.data() + used);
    file.Write(chunk.data(), used);
  }
  file.Write(end, sizeof end);
  file.Commit();
}

}  // namespace vellumine
