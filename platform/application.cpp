#include "platform/application.h"

#include <QWidget>

#include "platform/message_box.h"

namespace vellumine {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    ReportException(std::current_exception());
  }
  return false;
}

int Application::RunGuarded(const std::function<int()>& run) {
  try {
    return run();
  } catch (...) {
    ReportException(std::current_exception());
  }
  return 1;
}

void ReportException(const std::exception_ptr& error) {
  QString text;
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    text = QString::fromUtf8(e.what());
  } catch (...) {
    // Not one of ours: shown with an empty message.
  }
  ShowErrorBox(QApplication::activeWindow(), text);
}

}  // namespace vellumine
