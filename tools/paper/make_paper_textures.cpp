// Makes the bundled paper textures: seamless 256 x 256 bitmaps of drawing, laid, watercolour
// and recycled paper, from a fixed seed, so that anyone can make them again byte for byte.
//
//   make-paper-textures OUTPUT_FOLDER
//
// Each paper is a base colour modulated by periodic value noise (so the tile repeats without a
// seam), plus the paper's own structure: fibres, laid and chain lines, an embossed grain.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "engine/raster24.h"
#include "formats/bmp.h"
#include "formats/picture_error.h"

namespace {

constexpr int kSize = 256;
constexpr std::uint32_t kSeed = 20261211;

// Value noise on a lattice of `cells` x `cells` points that wraps at the tile's edges.
class PeriodicNoise {
 public:
  PeriodicNoise(int cells, std::mt19937& random) : cells_(cells), values_(cells * cells) {
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    for (float& v : values_) v = unit(random);
  }

  float At(float x, float y) const {
    const float fx = x * cells_ / kSize, fy = y * cells_ / kSize;
    const int x0 = int(std::floor(fx)), y0 = int(std::floor(fy));
    const float tx = Smooth(fx - x0), ty = Smooth(fy - y0);
    const float top = Lerp(Value(x0, y0), Value(x0 + 1, y0), tx);
    const float bottom = Lerp(Value(x0, y0 + 1), Value(x0 + 1, y0 + 1), tx);
    return Lerp(top, bottom, ty);
  }

 private:
  static float Smooth(float t) { return t * t * (3 - 2 * t); }
  static float Lerp(float a, float b, float t) { return a + (b - a) * t; }
  float Value(int x, int y) const {
    const int cx = ((x % cells_) + cells_) % cells_, cy = ((y % cells_) + cells_) % cells_;
    return values_[cy * cells_ + cx];
  }

  int cells_;
  std::vector<float> values_;
};

// Octaves of noise from `coarsest` cells up to the pixel grid, each half as strong as the last.
class Turbulence {
 public:
  Turbulence(int coarsest, int octaves, std::mt19937& random) {
    for (int i = 0, cells = coarsest; i < octaves && cells <= kSize; ++i, cells *= 2)
      layers_.emplace_back(cells, random);
  }
  float At(float x, float y) const {
    float sum = 0, weight = 1, total = 0;
    for (const PeriodicNoise& layer : layers_) {
      sum += weight * layer.At(x, y);
      total += weight;
      weight *= 0.5f;
    }
    return sum / total;
  }

 private:
  std::vector<PeriodicNoise> layers_;
};

struct Colour {
  float b, g, r;
};

std::uint8_t Channel(float v) {
  return std::uint8_t(std::clamp(std::lround(v), 0L, 255L));
}

// A paper of `base` colour whose brightness at each pixel is offset by `relief(x, y)`.
vellumine::Raster24 Paper(Colour base, const std::function<float(int, int)>& relief) {
  vellumine::Raster24 paper(kSize, kSize);
  for (int y = 0; y < kSize; ++y) {
    std::uint8_t* row = paper.Row(y);
    for (int x = 0; x < kSize; ++x) {
      const float light = relief(x, y);
      row[3 * x + 0] = Channel(base.b + light);
      row[3 * x + 1] = Channel(base.g + light);
      row[3 * x + 2] = Channel(base.r + light);
    }
  }
  return paper;
}

// Short bright and dark fibres scattered over the sheet, wrapping at the edges.
std::vector<float> Fibres(int count, float strength, std::mt19937& random) {
  std::vector<float> map(kSize * kSize, 0.0f);
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  for (int i = 0; i < count; ++i) {
    float x = unit(random) * kSize, y = unit(random) * kSize;
    const float angle = unit(random) * 6.2831853f, length = 4 + unit(random) * 14;
    const float sign = unit(random) < 0.6f ? 1.0f : -1.0f;
    for (float t = 0; t < length; t += 0.5f) {
      const int px = (int(x + t * std::cos(angle)) % kSize + kSize) % kSize;
      const int py = (int(y + t * std::sin(angle)) % kSize + kSize) % kSize;
      map[py * kSize + px] += sign * strength;
    }
  }
  return map;
}

vellumine::Raster24 DrawingPaper(std::mt19937& random) {
  const Turbulence cloud(8, 6, random);
  const std::vector<float> fibres = Fibres(420, 2.5f, random);
  std::normal_distribution<float> grain(0.0f, 1.2f);
  return Paper({236, 244, 248}, [&](int x, int y) {
    return 5 * cloud.At(x, y) + fibres[y * kSize + x] + grain(random);
  });
}

// Laid paper: the fine laid lines of the mould run across the sheet, the chain lines down it.
vellumine::Raster24 LaidPaper(std::mt19937& random) {
  const Turbulence cloud(4, 6, random);
  const Turbulence wobble(8, 2, random);
  std::normal_distribution<float> grain(0.0f, 1.5f);
  constexpr float kLaidPeriod = 4.0f;    // 64 lines per tile
  constexpr float kChainPeriod = 32.0f;  // 8 chain lines per tile
  return Paper({208, 228, 238}, [&](int x, int y) {
    const float laid = std::cos(6.2831853f * (y + 0.8f * wobble.At(x, y)) / kLaidPeriod);
    const float chainDistance = std::fabs(std::fmod(x + 2 * wobble.At(y, x), kChainPeriod) - 16);
    const float chain = chainDistance > 14.8f ? -7.0f : 0.0f;
    return 4.5f * laid + chain + 7 * cloud.At(x, y) + grain(random);
  });
}

// Cold-pressed watercolour paper: a rough surface lit from the top left.
vellumine::Raster24 WatercolourPaper(std::mt19937& random) {
  const Turbulence tooth(16, 4, random);
  const Turbulence cloud(4, 4, random);
  std::vector<float> height(kSize * kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const float t = tooth.At(x, y);
      height[y * kSize + x] = t * std::fabs(t) * 60;
    }
  std::normal_distribution<float> grain(0.0f, 1.0f);
  return Paper({226, 238, 246}, [&](int x, int y) {
    const int xm = (x + kSize - 1) % kSize, ym = (y + kSize - 1) % kSize;
    const float slope = height[y * kSize + x] - height[ym * kSize + xm];
    return 5 * slope + 4 * cloud.At(x, y) + grain(random);
  });
}

// Recycled paper: greyer, with flecks of coloured and dark fibre.
vellumine::Raster24 RecycledPaper(std::mt19937& random) {
  const Turbulence cloud(8, 6, random);
  const std::vector<float> fibres = Fibres(900, 4.0f, random);
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  std::vector<float> flecks(kSize * kSize, 0.0f);
  for (int i = 0; i < 260; ++i)
    flecks[int(unit(random) * kSize) * kSize + int(unit(random) * kSize)] = -25 - 30 * unit(random);
  std::normal_distribution<float> grain(0.0f, 2.0f);
  return Paper({210, 218, 224}, [&](int x, int y) {
    return 8 * cloud.At(x, y) + fibres[y * kSize + x] + flecks[y * kSize + x] + grain(random);
  });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-paper-textures OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  std::mt19937 random(kSeed);
  const std::pair<const char*, vellumine::Raster24 (*)(std::mt19937&)> papers[] = {
      {"drawing paper", DrawingPaper},
      {"laid paper", LaidPaper},
      {"watercolour paper", WatercolourPaper},
      {"recycled paper", RecycledPaper},
  };
  try {
    for (const auto& [name, make] : papers)
      vellumine::WriteBmp(folder + "/" + name + ".bmp", make(random));
  } catch (const vellumine::PictureFileError& error) {
    std::fprintf(stderr, "make-paper-textures: %s\n", error.what());
    return 1;
  }
  return 0;
}
