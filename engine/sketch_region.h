#pragma once

#include "engine/raster24.h"
#include "engine/sketch_settings.h"

namespace vellumine {

// The region pass: applies the settings' tool to the rectangle left, top, right, bottom
// (right and bottom are exclusive bounds less one, see below) of `source`, drawing into `sketch`.
//  - Eraser in Freehand mode: rows top .. bottom - 2, columns left .. right - 2 turn white.
//  - Brush (either mode): rows and columns from top + s / left + s, step s, are averaged, then
//    painted with the truncated mean colour.
//  - otherwise the edge kernel runs at rows from top + L and columns from left + L, step s.
// Only valid pixels take part (0 < r < Height - 1, 0 < c < Width - 1 of the source); in Freehand
// mode, and for the Brush always, only those strictly inside the disc centred on
// ((top + bottom) / 2, (left + right) / 2) with squared radius (right - left)^2 / 4.
// A row error of the kernel ends the pass at that pixel; what was drawn before stays drawn.
// Throws std::invalid_argument for a line step or scale below 1.
void SketchRegion(const SketchSettings& settings, int left, int top, int right, int bottom,
                  const Raster24& source, Raster24& sketch);

}  // namespace vellumine
