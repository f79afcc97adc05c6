// Damaged files in bulk: every fixture cut at many lengths and with bytes changed at random
// (a fixed seed), and every small bitmap variant with each header byte changed. Each decode
// must either succeed or raise the library's own error; the sanitizer build catches what a
// plain run would not (reads out of bounds, overflows).

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "formats/bmp.h"
#include "formats/jpeg.h"
#include "formats/picture_error.h"
#include "tests/formats/bmp_builder.h"
#include "tests/formats/test_files.h"

namespace vellumine {
namespace {

using formats_test::Bytes;

constexpr int kMutantsPerFixture = 150;
constexpr int kMaxChangesPerMutant = 8;
constexpr std::size_t kEvenlySpacedCuts = 100;
constexpr std::size_t kEveryCutBelow = 80;

enum class Outcome { Decoded, Refused };

// Decodes in memory (BMP) or through a file (JPEG); any other exception fails the test.
class Decoder {
 public:
  explicit Decoder(bool jpeg) : jpeg_(jpeg) {}

  Outcome Decode(const Bytes& bytes) {
    try {
      if (jpeg_) {
        formats_test::WriteBytes(path_, bytes);
        const Raster24 picture = ReadJpeg(path_);
        EXPECT_FALSE(picture.Empty());
      } else {
        const Raster24 picture = DecodeBmp(bytes.data(), bytes.size());
        EXPECT_FALSE(picture.Empty());
      }
      return Outcome::Decoded;
    } catch (const PictureFileError& error) {
      EXPECT_FALSE(error.Reason().empty());
    } catch (const BmpFormatError& error) {
      EXPECT_STRNE(error.what(), "");
    }
    return Outcome::Refused;
  }

 private:
  bool jpeg_;
  formats_test::TempDir dir_;
  std::string path_ = dir_.File("mutant.jpg");
};

std::set<std::size_t> CutLengths(std::size_t size) {
  std::set<std::size_t> lengths;
  for (std::size_t n = 0; n < std::min(size, kEveryCutBelow); ++n) lengths.insert(n);
  for (std::size_t i = 1; i <= kEvenlySpacedCuts; ++i)
    lengths.insert(size * i / (kEvenlySpacedCuts + 1));
  for (std::size_t back = 1; back <= 8 && back <= size; ++back) lengths.insert(size - back);
  return lengths;
}

class FixtureDamage : public ::testing::TestWithParam<const char*> {
 protected:
  bool IsJpeg() const { return std::string(GetParam()).ends_with(".jpg"); }
};

TEST_P(FixtureDamage, CutAtAnyLengthDecodesOrIsRefused) {
  const Bytes whole = formats_test::ReadBytes(formats_test::FixturePath(GetParam()));
  Decoder decoder(IsJpeg());
  ASSERT_EQ(decoder.Decode(whole), Outcome::Decoded);
  int refused = 0;
  for (std::size_t length : CutLengths(whole.size())) {
    SCOPED_TRACE("cut at " + std::to_string(length));
    refused += decoder.Decode(Bytes(whole.begin(), whole.begin() + std::ptrdiff_t(length))) ==
               Outcome::Refused;
  }
  EXPECT_GT(refused, 0);
}

TEST_P(FixtureDamage, ChangedBytesDecodeOrAreRefused) {
  const Bytes whole = formats_test::ReadBytes(formats_test::FixturePath(GetParam()));
  Decoder decoder(IsJpeg());
  std::mt19937 random(20240611);
  for (int m = 0; m < kMutantsPerFixture; ++m) {
    Bytes mutant = whole;
    const int changes = 1 + int(random() % kMaxChangesPerMutant);
    // Half the mutants are changed in the first 1 KiB, where the headers are.
    const std::size_t span = m % 2 == 0 ? std::min<std::size_t>(1024, whole.size()) : whole.size();
    for (int c = 0; c < changes; ++c) mutant[random() % span] ^= std::uint8_t(1 + random() % 255);
    SCOPED_TRACE("mutant " + std::to_string(m));
    decoder.Decode(mutant);
  }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, FixtureDamage,
                         ::testing::Values("chelsea.jpg", "camera-gray.jpg", "camera-palette.bmp",
                                           "coffee.bmp"),
                         [](const auto& p) {
                           std::string name = p.param;
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

TEST(BmpVariantDamage, EveryHeaderByteChangedDecodesOrIsRefused) {
  Decoder decoder(false);
  const std::uint8_t kReplacements[] = {0x00, 0x01, 0x7F, 0x80, 0xFF};
  for (const auto& variant : formats_test::BmpVariants()) {
    SCOPED_TRACE(variant.name);
    const std::size_t span = std::min<std::size_t>(variant.file.size(), 200);
    for (std::size_t at = 0; at < span; ++at)
      for (std::uint8_t value : kReplacements) {
        Bytes mutant = variant.file;
        mutant[at] = value;
        decoder.Decode(mutant);
      }
  }
}

}  // namespace
}  // namespace vellumine
