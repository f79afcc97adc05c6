#include "formats/bmp.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <new>
#include <utility>
#include <vector>

#include "formats/atomic_file.h"
#include "formats/dib_layout.h"
#include "formats/limits.h"
#include "formats/picture_error.h"

namespace vellumine {
namespace {

using dib::GetI32;
using dib::GetU16;
using dib::GetU32;

constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kV2HeaderSize = 52;  // info header + red, green, blue masks
constexpr std::uint32_t kV3HeaderSize = 56;  // + alpha mask
constexpr std::uint32_t kV4HeaderSize = 108;
constexpr std::uint32_t kV5HeaderSize = 124;
constexpr std::size_t kMaskOffsetInHeader = 40;

enum Compression : std::uint32_t {
  kRgb = 0,
  kRle8 = 1,
  kRle4 = 2,
  kBitFields = 3,
  kAlphaBitFields = 6,
};

constexpr int kMaxPaletteBits = 8;
// No picture within the size limits needs a larger file: 32 bpp for 250 million pixels is 1 GB.
constexpr std::uint64_t kMaxFileBytes = std::uint64_t(2) << 30;
constexpr std::size_t kWriteChunkBytes = std::size_t(1) << 20;

[[noreturn]] void Fail(const std::string& reason) {
  throw BmpFormatError(reason);
}

struct Bgr {
  std::uint8_t b, g, r;
};

// One colour field of a bit-field pixel: (pixel & mask) >> shift is 0 .. max, scaled to
// 0 .. 255 as round(v * 255 / max) in integers: (v * 255 + max / 2) / max.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  std::uint64_t max = 1;

  std::uint8_t Scale(std::uint32_t pixel) const {
    const std::uint64_t v = (pixel & mask) >> shift;
    return std::uint8_t((v * 255 + max / 2) / max);
  }
};

Channel MakeChannel(std::uint32_t mask, int bitsPerPixel) {
  if (mask == 0) Fail("empty colour mask");
  if (bitsPerPixel < 32 && (mask >> bitsPerPixel) != 0)
    Fail("colour mask wider than " + std::to_string(bitsPerPixel) + " bits");
  Channel c;
  c.mask = mask;
  c.shift = std::countr_zero(mask);
  const std::uint32_t field = mask >> c.shift;
  if ((field & (field + 1)) != 0) Fail("colour mask with a gap");
  c.max = field;
  return c;
}

struct Layout {
  std::uint32_t headerSize = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;  // always positive; topDown tells the row order
  bool topDown = false;
  int bitsPerPixel = 0;
  std::uint32_t compression = kRgb;
  std::uint64_t pixelOffset = 0;
  std::vector<Bgr> palette;
  Channel red, green, blue;  // for 16 and 32 bpp other than plain 32-bit BI_RGB
};

// Bytes of one uncompressed row in the file, padded to a multiple of 4.
std::uint64_t RowBytes(const Layout& l) {
  return (std::uint64_t(l.width) * std::uint64_t(l.bitsPerPixel) + 31) / 32 * 4;
}

bool IsKnownHeaderSize(std::uint32_t size) {
  return size == kCoreHeaderSize || size == kInfoHeaderSize || size == kV2HeaderSize ||
         size == kV3HeaderSize || size == kV4HeaderSize || size == kV5HeaderSize;
}

void CheckCompression(std::uint32_t compression, int bpp) {
  const auto needs = [&](const char* name, const char* depths) {
    Fail(std::string(name) + " compression needs " + depths + " bits per pixel, not " +
         std::to_string(bpp));
  };
  switch (compression) {
    case kRgb:
      return;
    case kRle8:
      if (bpp != 8) needs("RLE8", "8");
      return;
    case kRle4:
      if (bpp != 4) needs("RLE4", "4");
      return;
    case kBitFields:
    case kAlphaBitFields:
      if (bpp != 16 && bpp != 32) needs("bit-field", "16 or 32");
      return;
    default:
      Fail("unsupported compression " + std::to_string(compression));
  }
}

// Reads every header, mask and palette and checks them against each other and the file size.
Layout ParseLayout(const std::uint8_t* data, std::size_t size) {
  if (size == 0) Fail("empty file");
  if (size < 2 || data[0] != 'B' || data[1] != 'M') Fail("not a BMP file");
  if (size < dib::kFileHeaderSize + 4) Fail("truncated file");
  Layout l;
  l.pixelOffset = GetU32(data + 10);
  l.headerSize = GetU32(data + 14);
  if (!IsKnownHeaderSize(l.headerSize))
    Fail("unsupported header size " + std::to_string(l.headerSize));
  if (dib::kFileHeaderSize + l.headerSize > size) Fail("truncated file");
  const std::uint8_t* h = data + dib::kFileHeaderSize;
  const bool core = l.headerSize == kCoreHeaderSize;

  int planes = 0;
  std::uint32_t colorsUsed = 0;
  if (core) {
    l.width = GetU16(h + 4);
    l.height = GetU16(h + 6);
    planes = GetU16(h + 8);
    l.bitsPerPixel = GetU16(h + 10);
  } else {
    l.width = GetI32(h + 4);
    l.height = GetI32(h + 8);
    planes = GetU16(h + 12);
    l.bitsPerPixel = GetU16(h + 14);
    l.compression = GetU32(h + 16);
    colorsUsed = GetU32(h + 32);
  }
  if (planes != 1) Fail("bad plane count " + std::to_string(planes));
  const int bpp = l.bitsPerPixel;
  const bool knownDepth =
      bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24 || (!core && (bpp == 16 || bpp == 32));
  if (!knownDepth) Fail("unsupported bit depth " + std::to_string(bpp));
  CheckCompression(l.compression, bpp);
  const bool rle = l.compression == kRle8 || l.compression == kRle4;

  if (l.width < 0) Fail("negative width " + std::to_string(l.width));
  if (l.height < 0) {
    l.topDown = true;
    l.height = -l.height;  // 64-bit: INT32_MIN negates safely
    if (rle) Fail("top-down RLE bitmap");
  }
  if (const auto problem = PictureSizeProblem(l.width, l.height)) Fail(*problem);

  // Where the optional masks and the palette start: right after the info header.
  std::uint64_t tableOffset = dib::kFileHeaderSize + std::uint64_t(l.headerSize);
  if (l.compression == kBitFields || l.compression == kAlphaBitFields) {
    std::array<std::uint32_t, 3> masks{};
    if (l.headerSize == kInfoHeaderSize) {
      // A plain info header is followed by the masks: three, or four with alpha.
      const std::uint64_t maskBytes = l.compression == kAlphaBitFields ? 16 : 12;
      if (tableOffset + maskBytes > size) Fail("truncated file");
      for (int i = 0; i < 3; ++i) masks[i] = GetU32(data + tableOffset + 4 * i);
      tableOffset += maskBytes;
    } else {
      for (int i = 0; i < 3; ++i) masks[i] = GetU32(h + kMaskOffsetInHeader + 4 * i);
    }
    l.red = MakeChannel(masks[0], bpp);
    l.green = MakeChannel(masks[1], bpp);
    l.blue = MakeChannel(masks[2], bpp);
    if ((masks[0] & masks[1]) != 0 || (masks[0] & masks[2]) != 0 || (masks[1] & masks[2]) != 0)
      Fail("overlapping colour masks");
  } else if (bpp == 16) {
    l.red = MakeChannel(0x7C00, 16);  // 5-5-5, the top bit unused
    l.green = MakeChannel(0x03E0, 16);
    l.blue = MakeChannel(0x001F, 16);
  }

  if (bpp <= kMaxPaletteBits) {
    const std::uint32_t most = 1u << bpp;
    const std::uint32_t count = core || colorsUsed == 0 ? most : std::min(colorsUsed, most);
    const std::uint64_t entryBytes = core ? 3 : 4;
    const std::uint64_t paletteEnd = tableOffset + count * entryBytes;
    if (paletteEnd > size) Fail("truncated file");
    if (paletteEnd > l.pixelOffset)
      Fail("palette of " + std::to_string(count) + " colours overlaps the pixel data");
    l.palette.resize(count);
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::uint8_t* e = data + tableOffset + i * entryBytes;
      l.palette[i] = {e[0], e[1], e[2]};
    }
    tableOffset = paletteEnd;
  }
  if (l.pixelOffset < tableOffset)
    Fail("pixel data offset " + std::to_string(l.pixelOffset) + " inside the headers");
  if (l.pixelOffset > size) Fail("truncated file");
  // Uncompressed rows are checked before anything of the picture's size is allocated.
  if (!rle && l.pixelOffset + RowBytes(l) * std::uint64_t(l.height) > size) Fail("truncated file");
  return l;
}

[[noreturn]] void FailIndex(unsigned index, std::int64_t row) {
  Fail("bad palette index " + std::to_string(index) + " in row " + std::to_string(row));
}

void DecodePaletteRow(const Layout& l, const std::uint8_t* src, std::uint8_t* out,
                      std::int64_t row) {
  const int bpp = l.bitsPerPixel;
  const unsigned count = unsigned(l.palette.size());
  const unsigned pixelsPerByte = 8u / unsigned(bpp);
  const unsigned valueMask = (1u << bpp) - 1;
  for (std::int64_t x = 0; x < l.width; ++x) {
    // The leftmost pixel of a byte is in its highest bits.
    const unsigned slot = unsigned(x) % pixelsPerByte;
    const unsigned shift = 8 - unsigned(bpp) * (slot + 1);
    const unsigned index = (src[x / pixelsPerByte] >> shift) & valueMask;
    if (index >= count) FailIndex(index, row);
    const Bgr c = l.palette[index];
    out[0] = c.b;
    out[1] = c.g;
    out[2] = c.r;
    out += 3;
  }
}

void DecodeFieldRow(const Layout& l, const std::uint8_t* src, std::uint8_t* out) {
  const bool wide = l.bitsPerPixel == 32;
  for (std::int64_t x = 0; x < l.width; ++x) {
    const std::uint32_t pixel = wide ? GetU32(src + 4 * x) : GetU16(src + 2 * x);
    out[0] = l.blue.Scale(pixel);
    out[1] = l.green.Scale(pixel);
    out[2] = l.red.Scale(pixel);
    out += 3;
  }
}

void DecodeUncompressed(const Layout& l, const std::uint8_t* data, Raster24& picture) {
  const std::uint64_t rowBytes = RowBytes(l);
  const bool plain32 = l.bitsPerPixel == 32 && l.compression == kRgb;
  for (std::int64_t fileRow = 0; fileRow < l.height; ++fileRow) {
    const std::int64_t row = l.topDown ? fileRow : l.height - 1 - fileRow;
    const std::uint8_t* src = data + l.pixelOffset + std::uint64_t(fileRow) * rowBytes;
    std::uint8_t* out = picture.Row(int(row));
    if (l.bitsPerPixel == 24) {
      std::copy_n(src, std::size_t(l.width) * 3, out);
    } else if (plain32) {
      // Blue, green, red and an unused fourth byte.
      for (std::int64_t x = 0; x < l.width; ++x, src += 4, out += 3) std::copy_n(src, 3, out);
    } else if (l.bitsPerPixel <= kMaxPaletteBits) {
      DecodePaletteRow(l, src, out, row);
    } else {
      DecodeFieldRow(l, src, out);
    }
  }
}

// Runs of RLE8 and RLE4 (a count and one or two indices, or an escape: 0 end of line, 1 end
// of bitmap, 2 delta, 3..255 an absolute run padded to 16 bits). Rows go bottom-up; every
// pixel the stream does not draw keeps the palette's colour 0.
void DecodeRle(const Layout& l, const std::uint8_t* data, std::size_t size, Raster24& picture) {
  const Bgr background = l.palette[0];
  for (std::int64_t row = 0; row < l.height; ++row) {
    std::uint8_t* out = picture.Row(int(row));
    for (std::int64_t x = 0; x < l.width; ++x, out += 3) {
      out[0] = background.b;
      out[1] = background.g;
      out[2] = background.r;
    }
  }
  const bool rle4 = l.compression == kRle4;
  const std::uint8_t* s = data + l.pixelOffset;
  const std::size_t end = size - std::size_t(l.pixelOffset);
  std::size_t pos = 0;
  std::int64_t x = 0, y = 0;  // y counts file rows, from the bottom
  const auto rowName = [&] { return l.height - 1 - y; };
  const auto put = [&](unsigned index) {
    if (index >= l.palette.size()) FailIndex(index, rowName());
    const Bgr c = l.palette[index];
    std::uint8_t* p = picture.Row(int(rowName())) + 3 * x;
    p[0] = c.b;
    p[1] = c.g;
    p[2] = c.r;
    ++x;
  };
  const auto startRun = [&](std::int64_t count) {
    if (y >= l.height) Fail("RLE data past the last row");
    if (x + count > l.width) Fail("RLE run past the end of row " + std::to_string(rowName()));
  };
  for (;;) {
    if (end - pos < 2) {
      if (y >= l.height) return;  // every row ended; only the end-of-bitmap mark is missing
      Fail("truncated file");
    }
    const unsigned first = s[pos], second = s[pos + 1];
    pos += 2;
    if (first > 0) {
      startRun(first);
      for (unsigned i = 0; i < first; ++i)
        put(rle4 ? (i % 2 == 0 ? second >> 4 : second & 0x0F) : second);
      continue;
    }
    if (second == 0) {  // end of line
      if (y >= l.height) Fail("RLE data past the last row");
      x = 0;
      ++y;
    } else if (second == 1) {  // end of bitmap
      return;
    } else if (second == 2) {  // delta: move right and up
      if (end - pos < 2) Fail("truncated file");
      const unsigned dx = s[pos], dy = s[pos + 1];
      pos += 2;
      if (y >= l.height) Fail("RLE data past the last row");
      if (x + dx > l.width || y + dy >= l.height)
        Fail("RLE delta outside the picture in row " + std::to_string(rowName()));
      x += dx;
      y += dy;
    } else {  // absolute run of `second` pixels
      const std::size_t bytes = rle4 ? (second + 1) / 2 : second;
      const std::size_t padded = (bytes + 1) & ~std::size_t(1);
      if (end - pos < padded) Fail("truncated file");
      startRun(second);
      for (unsigned i = 0; i < second; ++i) {
        const unsigned byte = s[pos + (rle4 ? i / 2 : i)];
        put(rle4 ? (i % 2 == 0 ? byte >> 4 : byte & 0x0F) : byte);
      }
      pos += padded;
    }
  }
}

[[noreturn]] void FailWrite(const std::string& path, const std::string& reason) {
  throw PictureFileError(PictureFileError::Access::Write, path, reason);
}

void CheckWritable(const std::string& path, int width, int height) {
  if (width <= 0 || height <= 0) FailWrite(path, "the picture is empty");
  if (const auto problem = WrittenPictureSizeProblem(width, height)) FailWrite(path, *problem);
}

constexpr std::size_t kBmpHeaderSize = dib::kFileHeaderSize + dib::kInfoHeaderSize;

std::array<std::uint8_t, kBmpHeaderSize> BmpHeader(int width, int height) {
  const std::uint64_t imageBytes = dib::RowBytes24(width) * std::uint64_t(height);
  std::array<std::uint8_t, kBmpHeaderSize> header{};
  header[0] = 'B';
  header[1] = 'M';
  dib::PutU32(header.data() + 2, std::uint32_t(kBmpHeaderSize + imageBytes));
  dib::PutU32(header.data() + 10, kBmpHeaderSize);
  dib::PutInfoHeader24(header.data() + dib::kFileHeaderSize, width, height,
                       std::uint32_t(imageBytes));
  return header;
}

// Rows per write: about kWriteChunkBytes, at least one, at most the whole picture.
int ChunkRows(int width, int height) {
  const std::uint64_t rows = kWriteChunkBytes / dib::RowBytes24(width);
  return int(std::clamp<std::uint64_t>(rows, 1, std::uint64_t(height)));
}

}  // namespace

Raster24 DecodeBmp(const std::uint8_t* data, std::size_t size) {
  const Layout l = ParseLayout(data, size);
  Raster24 picture;
  try {
    picture = Raster24::WithUndefinedPixels(int(l.width), int(l.height));
  } catch (const std::bad_alloc&) {
    Fail("not enough memory for a " + std::to_string(l.width) + " x " + std::to_string(l.height) +
         " picture");
  }
  if (l.compression == kRle8 || l.compression == kRle4)
    DecodeRle(l, data, size, picture);
  else
    DecodeUncompressed(l, data, picture);
  return picture;
}

Raster24 ReadBmp(const std::string& path) {
  const auto fail = [&](const std::string& reason) -> Raster24 {
    throw PictureFileError(PictureFileError::Access::Read, path, reason);
  };
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return fail(ErrnoReason(errno));
  struct Closer {
    int fd;
    ~Closer() { close(fd); }
  } closer{fd};
  struct stat info {};
  if (fstat(fd, &info) != 0) return fail(ErrnoReason(errno));
  if (S_ISDIR(info.st_mode)) return fail(ErrnoReason(EISDIR));
  if (std::uint64_t(info.st_size) > kMaxFileBytes)
    return fail("file too large: " + std::to_string(info.st_size) + " bytes");

  std::vector<std::uint8_t> bytes;
  try {
    bytes.resize(std::size_t(info.st_size));
  } catch (const std::bad_alloc&) {
    return fail("not enough memory to read the file");
  }
  std::size_t have = 0;
  while (have < bytes.size()) {
    const ssize_t got = read(fd, bytes.data() + have, bytes.size() - have);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return fail(ErrnoReason(errno));
    if (got == 0) break;  // the file shrank while being read
    have += std::size_t(got);
  }
  try {
    return DecodeBmp(bytes.data(), have);
  } catch (const BmpFormatError& error) {
    return fail(error.what());
  }
}

void WriteBmp(const std::string& path, const Raster24& picture) {
  const int width = picture.Width(), height = picture.Height();
  CheckWritable(path, width, height);
  const std::uint64_t rowBytes = dib::RowBytes24(width);
  const int chunkRows = ChunkRows(width, height);
  std::vector<std::uint8_t> chunk(std::size_t(rowBytes) * std::size_t(chunkRows));

  AtomicFile file(path);
  const auto header = BmpHeader(width, height);
  file.Reserve(header.size() + rowBytes * std::uint64_t(height));
  file.Write(header.data(), header.size());
  // The file holds the bottom row first.
  for (int row = height - 1; row >= 0;) {
    std::size_t used = 0;
    for (int n = 0; n < chunkRows && row >= 0; ++n, --row, used += rowBytes)
      dib::PackRow24(picture.Row(row), width, chunk.data() + used);
    file.Write(chunk.data(), used);
  }
  file.Commit();
}

struct BmpRowWriter::State {
  State(const std::string& path, int w, int h) : file(path), width(w), height(h) {}

  void Flush() {
    if (buffered == 0) return;
    // The buffer's last slot holds the chunk's top row, which is the highest in the file.
    const std::size_t firstSlot = std::size_t(chunkRows - buffered);
    const std::uint64_t lowestFileRow = std::uint64_t(height - rowsWritten);
    file.WriteAt(kBmpHeaderSize + lowestFileRow * rowBytes, buffer.data() + firstSlot * rowBytes,
                 std::size_t(buffered) * rowBytes);
    buffered = 0;
  }

  AtomicFile file;
  int width;
  int height;
  std::size_t rowBytes = 0;
  int chunkRows = 0;
  int buffered = 0;
  int rowsWritten = 0;
  std::vector<std::uint8_t> buffer;
};

BmpRowWriter::BmpRowWriter(const std::string& path, int width, int height) {
  CheckWritable(path, width, height);
  state_ = std::make_unique<State>(path, width, height);
  State& s = *state_;
  s.rowBytes = std::size_t(dib::RowBytes24(width));
  s.chunkRows = ChunkRows(width, height);
  s.buffer.resize(s.rowBytes * std::size_t(s.chunkRows));
  const auto header = BmpHeader(width, height);
  s.file.Reserve(header.size() + s.rowBytes * std::uint64_t(height));
  s.file.WriteAt(0, header.data(), header.size());
}

BmpRowWriter::~BmpRowWriter() = default;
BmpRowWriter::BmpRowWriter(BmpRowWriter&&) noexcept = default;
BmpRowWriter& BmpRowWriter::operator=(BmpRowWriter&&) noexcept = default;

void BmpRowWriter::WriteRow(const std::uint8_t* bgr) {
  if (!state_) throw std::logic_error("BmpRowWriter used after Finish or move");
  State& s = *state_;
  if (s.rowsWritten == s.height) throw std::logic_error("BmpRowWriter: more rows than the height");
  ++s.buffered;
  dib::PackRow24(bgr, s.width,
                 s.buffer.data() + std::size_t(s.chunkRows - s.buffered) * s.rowBytes);
  ++s.rowsWritten;
  if (s.buffered == s.chunkRows) s.Flush();
}

void BmpRowWriter::Finish() {
  if (!state_) throw std::logic_error("BmpRowWriter used after Finish or move");
  State& s = *state_;
  if (s.rowsWritten != s.height)
    throw std::logic_error("BmpRowWriter: Finish after " + std::to_string(s.rowsWritten) + " of " +
                           std::to_string(s.height) + " rows");
  s.Flush();
  s.file.Commit();
  state_.reset();
}

}  // namespace vellumine
