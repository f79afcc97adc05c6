#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <memory>
#include <optional>

#include "app/frmOld.h"
#include "platform/picture_dialog.h"
#include "tests/platform/widget_test_util.h"

namespace vellumine::widget_test {

// Answers the picture dialogs from a script and remembers what each one proposed.
class ScriptedDialogs : public PictureDialogRunner {
 public:
  struct Shown {
    PictureDialog::Kind kind;
    QString fileName;
    int filterIndex;
  };

  std::optional<PictureDialogAnswer> Run(QWidget*, const PictureDialog& dialog) override {
    shown.push_back({dialog.GetKind(), dialog.FileName(), dialog.FilterIndex()});
    if (answers.empty()) {
      ADD_FAILURE() << "a dialog was shown that the test did not expect";
      return std::nullopt;
    }
    std::optional<PictureDialogAnswer> answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::deque<std::optional<PictureDialogAnswer>> answers;
  std::vector<Shown> shown;
};

// A main window started in a folder of its own, with its own settings file, scripted dialogs and
// recorded message boxes.
class MainWindowTest : public ::testing::Test {
 protected:
  std::string Folder() const { return folder_.path().toStdString() + "/"; }
  std::string File(const std::string& name) const { return Folder() + name; }
  QString QPath(const std::string& name) const { return QString::fromStdString(File(name)); }
  std::string SettingsPath() const { return File("vellumine.INI"); }

  // Puts the sample photograph beside the program, as the build does.
  void AddSamplePicture() {
    ASSERT_TRUE(QFile::copy(QString::fromStdString(FixturePath("chelsea.jpg")), QPath("4.jpg")));
  }

  TOldForm& Start(std::string settingsPath = {}, std::string startPicture = {}) {
    if (settingsPath.empty()) settingsPath = SettingsPath();
    window = std::make_unique<TOldForm>(
        MainWindowSetup{Folder(), settingsPath, &dialogs, std::move(startPicture)});
    window->show();
    return *window;
  }

  template <typename T>
  T* Find(const char* name) const {
    T* control = window->findChild<T*>(QString::fromLatin1(name));
    if (control == nullptr) ADD_FAILURE() << "no control " << name;
    return control;
  }

  void Click(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }

  // The Open button, answered with `path`.
  void OpenThroughDialog(const std::string& path, int filter = 1) {
    dialogs.answers.push_back(PictureDialogAnswer{QString::fromStdString(path), filter});
    Click("Button2");
  }
  // The Save button, answered with `path` and the 1-based filter.
  void SaveThroughDialog(const std::string& path, int filter) {
    dialogs.answers.push_back(PictureDialogAnswer{QString::fromStdString(path), filter});
    Click("Button5");
  }

  QTemporaryDir folder_;
  ScriptedDialogs dialogs;
  RecordedBoxes boxes;
  std::unique_ptr<TOldForm> window;
};

}  // namespace vellumine::widget_test
