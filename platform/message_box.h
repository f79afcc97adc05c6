#pragma once

#include <QString>

class QWidget;

namespace vellumine {

// The two boxes through which the program speaks to the user. The program shows them through
// CurrentMessageBoxes(); tests install their own to answer and record them.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // The simple message box: the text, an OK button, the application's name as its title; modal.
  virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
  // The application's error box: a modal critical box with the error's text and an OK button.
  virtual void ShowError(QWidget* parent, const QString& text) = 0;
};

// The modal QMessageBox implementation.
class DialogMessageBoxes : public MessageBoxes {
 public:
  void ShowMessage(QWidget* parent, const QString& text) override;
  void ShowError(QWidget* parent, const QString& text) override;
};

// The boxes in use: those set last, or the modal dialogs when none were set.
MessageBoxes& CurrentMessageBoxes();
// Installs `boxes` (not owned; nullptr restores the modal dialogs).
void SetMessageBoxes(MessageBoxes* boxes);

inline void ShowMessage(QWidget* parent, const QString& text) {
  CurrentMessageBoxes().ShowMessage(parent, text);
}
inline void ShowErrorBox(QWidget* parent, const QString& text) {
  CurrentMessageBoxes().ShowError(parent, text);
}

}  // namespace vellumine
