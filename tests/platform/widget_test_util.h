#pragma once

#include <QString>
#include <string>
#include <vector>

#include "platform/message_box.h"

namespace vellumine::widget_test {

// Records the message and error boxes instead of showing them, while it lives.
class RecordedBoxes : public MessageBoxes {
 public:
  RecordedBoxes() { SetMessageBoxes(this); }
  ~RecordedBoxes() override { SetMessageBoxes(nullptr); }
  RecordedBoxes(const RecordedBoxes&) = delete;
  RecordedBoxes& operator=(const RecordedBoxes&) = delete;

  void ShowMessage(QWidget*, const QString& text) override { messages.push_back(text); }
  void ShowError(QWidget*, const QString& text) override { errors.push_back(text); }

  std::vector<QString> messages;
  std::vector<QString> errors;
};

inline std::string FixturePath(const std::string& name) {
  return std::string(VELLUMINE_FIXTURES) + "/" + name;
}

}  // namespace vellumine::widget_test
