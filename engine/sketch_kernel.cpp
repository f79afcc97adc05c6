#include "engine/sketch_kernel.h"

#include <cstdlib>

namespace vellumine {

void SketchPixel(const SketchSettings& settings, int column, int row, const Raster24& source,
                 Raster24& sketch) {
  const int threshold = settings.differenceThreshold;
  const int step = settings.lineStep;
  const int scale = settings.samplingScale;
  if (settings.tool == DrawingTool::Brush || settings.tool == DrawingTool::Eraser) return;

  const std::uint8_t* sampleRows[3] = {source.Row(row - step), source.Row(row),
                                       source.Row(row + step)};
  std::uint8_t* target = sketch.Row(row / scale);
  if (column - step < 0 || column + step >= source.Width()) return;
  if (column / scale >= sketch.Width()) return;

  const std::uint8_t* centre = sampleRows[1] + 3 * column;
  int edgeCount = 0;
  int darknessSum = 0;
  for (const std::uint8_t* sampleRow : sampleRows) {
    for (int dc = -step; dc <= step; dc += step) {
      const std::uint8_t* sample = sampleRow + 3 * (column + dc);
      const int dB = centre[0] - sample[0];
      const int dG = centre[1] - sample[1];
      const int dR = centre[2] - sample[2];
      const int side = dB + dG + dR;
      const int strength = std::abs(dB) + std::abs(dG) + std::abs(dR);
      int score = -strength;
      if (side <= 0) {
        darknessSum += strength;
        score = strength;
      }
      if (score > threshold) ++edgeCount;
    }
  }

  std::uint8_t* pixel = target + 3 * (column / scale);
  const PenWindow window = PenWindowFor(step);
  const bool inWindow = window.lower <= edgeCount && edgeCount <= window.upper;
  switch (settings.tool) {
    case DrawingTool::Pen:
      if (inWindow) pixel[0] = pixel[1] = pixel[2] = 0;
      break;
    case DrawingTool::Pencil:
      if (darknessSum > threshold) {
        const int darkening = darknessSum / 3;
        for (int k = 0; k < 3; ++k) pixel[k] = pixel[k] > darkening ? pixel[k] - darkening : 0;
      }
      break;
    case DrawingTool::Pastel:
      if (inWindow) {
        // The colour comes from source row r / s but column c, as the tool always took it.
        const std::uint8_t* colour = source.Row(row / scale) + 3 * column;
        pixel[0] = colour[0];
        pixel[1] = colour[1];
        pixel[2] = colour[2];
      }
      break;
    case DrawingTool::Brush:
    case DrawingTool::Eraser:
      break;
  }
}

}  // namespace vellumine
