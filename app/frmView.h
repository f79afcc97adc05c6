#pragma once

#include <QDialog>

#include "engine/raster24.h"
#include "platform/theme_manager.h"

namespace vellumine {

class PictureBox;
class TOldForm;

// The real-scale viewer: one picture in a window sized to it, opened modally from a view of the
// main window. Its window is the picture's width + 10 by its height + 30 at the screen's top-left
// corner whenever it becomes active; the picture area inside is inset by 5 pixels at the sides
// and 15 at the top and bottom, so that at that size the picture shows at its own size. Closing
// it ends any stroke of the main window (PenDown false).
class TViewForm : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kCaption = "Real  scale";
  static constexpr int kExtraWidth = 10;
  static constexpr int kExtraHeight = 30;

  TViewForm(TOldForm& owner, const Raster24& picture);
  ~TViewForm() override;

  // Handlers, by the names of the window's form.
  void FormShow();
  void FormActivate();
  void FormResize();

  UiStyle CurrentStyle() const { return suiThemeManager1.Style(); }

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;

 private:
  TOldForm& owner_;
  QWidget* Panel1 = nullptr;
  PictureBox* Image1 = nullptr;
  ThemeManager suiThemeManager1;
};

}  // namespace vellumine
