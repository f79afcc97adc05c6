#pragma once

#include <QPixmap>
#include <QWidget>
#include <optional>

#include "engine/raster24.h"

namespace vellumine {

// A control that shows one picture. Stretched (the default), the picture fills the box exactly,
// whatever its proportions; centred, it is drawn at its own size in the middle of the box. A
// see-through colour, when set, lets what lies below show wherever the picture has that colour.
class PictureBox : public QWidget {
  Q_OBJECT

 public:
  enum class Placement { Stretch, Centre };

  explicit PictureBox(QWidget* parent = nullptr);

  const Raster24& Picture() const { return picture_; }
  // Shows `picture`; an empty raster empties the box.
  void SetPicture(Raster24 picture);
  void ClearPicture() { SetPicture(Raster24()); }

  Placement GetPlacement() const { return placement_; }
  void SetPlacement(Placement placement);

  // Blue, green, red of the see-through colour; nullopt draws every pixel.
  struct Bgr {
    std::uint8_t blue, green, red;
  };
  void SetTransparentColor(std::optional<Bgr> color);

 signals:
  void doubleClicked();
  void mousePressed(QMouseEvent* event);
  void mouseMoved(QMouseEvent* event);
  void mouseReleased(QMouseEvent* event);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QImage DisplayImage() const;

  Raster24 picture_;
  Placement placement_ = Placement::Stretch;
  std::optional<Bgr> transparent_;
  // The picture as drawn at the box's current size, made again when either changes.
  QPixmap cache_;
};

}  // namespace vellumine
