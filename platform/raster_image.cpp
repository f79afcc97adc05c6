#include "platform/raster_image.h"

#include <cstring>

namespace vellumine {

QImage ImageViewOf(const Raster24& raster) {
  if (raster.Empty()) return {};
  return QImage(raster.Data(), raster.Width(), raster.Height(), qsizetype(raster.Stride()),
                QImage::Format_BGR888);
}

QImage ImageFromRaster(const Raster24& raster) {
  return ImageViewOf(raster).convertToFormat(QImage::Format_RGB888);
}

Raster24 RasterFromImage(const QImage& image) {
  if (image.isNull()) return {};
  const QImage bgr = image.convertToFormat(QImage::Format_BGR888);
  Raster24 raster = Raster24::WithUndefinedPixels(bgr.width(), bgr.height());
  for (int y = 0; y < bgr.height(); ++y)
    std::memcpy(raster.Row(y), bgr.constScanLine(y), raster.Stride());
  return raster;
}

}  // namespace vellumine
