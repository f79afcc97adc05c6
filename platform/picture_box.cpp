#include "platform/picture_box.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/raster_image.h"

namespace vellumine {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::SetPicture(Raster24 picture) {
  picture_ = std::move(picture);
  cache_ = QPixmap();
  update();
}

void PictureBox::SetPlacement(Placement placement) {
  placement_ = placement;
  cache_ = QPixmap();
  update();
}

void PictureBox::SetTransparentColor(std::optional<Bgr> color) {
  transparent_ = color;
  cache_ = QPixmap();
  update();
}

QImage PictureBox::DisplayImage() const {
  const QImage view = ImageViewOf(picture_);
  if (!transparent_) return view;
  QImage image = view.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = qRgb(transparent_->red, transparent_->green, transparent_->blue);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if (line[x] == key) line[x] = qRgba(0, 0, 0, 0);
  }
  return image;
}

void PictureBox::paintEvent(QPaintEvent*) {
  if (picture_.Empty() || width() <= 0 || height() <= 0) return;
  const QSize target =
      placement_ == Placement::Stretch ? size() : QSize(picture_.Width(), picture_.Height());
  if (cache_.isNull() || cache_.size() != target) {
    const QImage image = DisplayImage();
    // Shrunk pictures are smoothed; enlarged ones and see-through ones keep sharp pixels.
    const bool enlarged = target.width() > image.width() || target.height() > image.height();
    const Qt::TransformationMode mode =
        enlarged || transparent_ ? Qt::FastTransformation : Qt::SmoothTransformation;
    cache_ = QPixmap::fromImage(
        target == image.size() ? image : image.scaled(target, Qt::IgnoreAspectRatio, mode));
  }
  QPainter painter(this);
  const QPoint at = placement_ == Placement::Stretch
                        ? QPoint(0, 0)
                        : QPoint((width() - target.width()) / 2, (height() - target.height()) / 2);
  painter.drawPixmap(at, cache_);
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
  emit doubleClicked();
  event->accept();
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  emit mousePressed(event);
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
  emit mouseMoved(event);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  emit mouseReleased(event);
}

}  // namespace vellumine
