#include <stdexcept>

#include "engine/convert.h"
#include "engine/sketch_region.h"

namespace vellumine {

Raster24 ConvertReference(const Raster24& source, const SketchSettings& settings,
                          const SketchBackground& background) {
  const int scale = settings.samplingScale;
  if (scale < 1) throw std::invalid_argument("sampling scale must be at least 1");
  Raster24 sketch(source.Width() / scale + 1, source.Height() / scale + 1);
  if (background.HasTexture()) LayTexture(*background.texture, background.layout, sketch);
  const int step = settings.lineStep;
  SketchRegion(settings, step, step, source.Width() - step, source.Height() - step, source, sketch);
  return sketch;
}

}  // namespace vellumine
