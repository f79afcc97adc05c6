#include "platform/message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace vellumine {
namespace {

MessageBoxes* installedBoxes = nullptr;

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
  QMessageBox box(icon, QApplication::applicationName(), text, QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace

void DialogMessageBoxes::ShowMessage(QWidget* parent, const QString& text) {
  ShowBox(parent, QMessageBox::NoIcon, text);
}

void DialogMessageBoxes::ShowError(QWidget* parent, const QString& text) {
  ShowBox(parent, QMessageBox::Critical, text);
}

MessageBoxes& CurrentMessageBoxes() {
  static DialogMessageBoxes dialogs;
  return installedBoxes != nullptr ? *installedBoxes : dialogs;
}

void SetMessageBoxes(MessageBoxes* boxes) {
  installedBoxes = boxes;
}

}  // namespace vellumine
