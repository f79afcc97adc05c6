#pragma once

#include "engine/raster24.h"
#include "engine/sketch_settings.h"

namespace vellumine {

// The range of bright-sample counts n for which Pen and Pastel draw:
// lower = ((2L + 1)^2 / 4) / L / L, upper = (3 (2L + 1)^2 / 4) / L / L, integer divisions.
struct PenWindow {
  int lower;
  int upper;
};
constexpr PenWindow PenWindowFor(int lineStep) {
  const int side = 2 * lineStep + 1;
  return {side * side / 4 / lineStep / lineStep, 3 * side * side / 4 / lineStep / lineStep};
}

// The edge kernel for the source pixel at (row, column): compares it with the eight samples at
// distance L and, by the settings' tool, draws the sketch pixel (row / s, column / s).
// A sample row outside the source, or a sketch row outside the sketch, raises RasterRowError
// before anything is drawn. A pixel whose samples leave the source to the left or right, or
// whose sketch column lies outside the sketch, is skipped.
void SketchPixel(const SketchSettings& settings, int column, int row, const Raster24& source,
                 Raster24& sketch);

}  // namespace vellumine
