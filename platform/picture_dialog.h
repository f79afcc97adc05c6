#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace vellumine {

class PictureDialog;

// What the user answered a picture dialog: the chosen file and the 1-based index of the
// chosen filter.
struct PictureDialogAnswer {
  QString fileName;
  int filterIndex = 1;
};

// Puts a picture dialog in front of the user. The program uses FileDialogRunner; tests script
// their own answers.
class PictureDialogRunner {
 public:
  virtual ~PictureDialogRunner() = default;
  // Shows `dialog` modally; nullopt when the user cancelled.
  virtual std::optional<PictureDialogAnswer> Run(QWidget* parent, const PictureDialog& dialog) = 0;
};

// An open or save picture dialog that keeps, from one run to the next, the file name and the
// filter the user last chose. The filter is written "Description|*.a;*.b|Description|*.c".
class PictureDialog {
 public:
  enum class Kind { Open, Save };

  PictureDialog(Kind kind, QString filter, int startFilterIndex, PictureDialogRunner& runner);

  // Runs the dialog; on OK keeps the chosen file name and filter index and returns true. A
  // cancel returns false and changes nothing.
  bool Execute(QWidget* parent);

  Kind GetKind() const { return kind_; }
  const QString& Filter() const { return filter_; }
  // The save dialog asks before an existing file is overwritten.
  bool PromptsOverwrite() const { return kind_ == Kind::Save; }

  const QString& FileName() const { return fileName_; }
  void SetFileName(const QString& name) { fileName_ = name; }
  int FilterIndex() const { return filterIndex_; }

 private:
  Kind kind_;
  QString filter_;
  int filterIndex_;
  QString fileName_;
  PictureDialogRunner& runner_;
};

// The dialog's filter as Qt name filters, one per description: "All (*.jpg;*.jpeg;*.bmp)|
// *.jpg;*.jpeg;*.bmp" gives "All (*.jpg *.jpeg *.bmp)". Qt's dialog matches them ignoring
// letter case, so "*.jpg" lists photo.JPG too.
QStringList QtNameFilters(const QString& filter);

// Runs QFileDialog (Qt's own dialog, not the desktop's), resizable, without a read-only box.
class FileDialogRunner : public PictureDialogRunner {
 public:
  std::optional<PictureDialogAnswer> Run(QWidget* parent, const PictureDialog& dialog) override;
};

}  // namespace vellumine
