#include "platform/picture_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <deque>

namespace vellumine {
namespace {

constexpr char kOpenFilter[] =
    "All (*.jpg;*.jpeg;*.bmp)|*.jpg;*.jpeg;*.bmp|JPEG Image File (*.jpg)|*.jpg|"
    "JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp";
constexpr char kSaveFilter[] =
    "JPEG Image File (*.jpg)|*.jpg|Bitmaps (*.bmp)|*.bmp|Metafiles (*.wmf)|*.wmf";

TEST(PictureDialogTest, FiltersBecomeQtNameFilters) {
  EXPECT_EQ(QtNameFilters(QString::fromLatin1(kOpenFilter)),
            (QStringList{"All (*.jpg *.jpeg *.bmp)", "JPEG Image File (*.jpg)",
                         "JPEG Image File (*.jpeg)", "Bitmaps (*.bmp)"}));
  EXPECT_EQ(QtNameFilters(QString::fromLatin1(kSaveFilter)),
            (QStringList{"JPEG Image File (*.jpg)", "Bitmaps (*.bmp)", "Metafiles (*.wmf)"}));
}

class Answers : public PictureDialogRunner {
 public:
  std::deque<std::optional<PictureDialogAnswer>> answers;
  std::optional<PictureDialogAnswer> Run(QWidget*, const PictureDialog&) override {
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

TEST(PictureDialogTest, KeepsTheLastChoiceAndIgnoresACancel) {
  Answers runner;
  PictureDialog dialog(PictureDialog::Kind::Save, QString::fromLatin1(kSaveFilter), 2, runner);
  EXPECT_EQ(dialog.FilterIndex(), 2);
  EXPECT_TRUE(dialog.FileName().isEmpty());

  runner.answers = {PictureDialogAnswer{"/tmp/a", 3}, std::nullopt};
  EXPECT_TRUE(dialog.Execute(nullptr));
  EXPECT_EQ(dialog.FileName(), "/tmp/a");
  EXPECT_EQ(dialog.FilterIndex(), 3);
  EXPECT_FALSE(dialog.Execute(nullptr));
  EXPECT_EQ(dialog.FileName(), "/tmp/a");
  EXPECT_EQ(dialog.FilterIndex(), 3);
}

// Answers the real file dialog the moment it shows.
template <typename Answer>
void AnswerFileDialog(Answer answer) {
  QTimer::singleShot(0, [answer] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    answer(*dialog);
  });
}

TEST(PictureDialogTest, SaveFileDialogStartsAtItsFilterAndGivesTheChosenOne) {
  QTemporaryDir folder;
  FileDialogRunner runner;
  PictureDialog dialog(PictureDialog::Kind::Save, QString::fromLatin1(kSaveFilter), 2, runner);
  dialog.SetFileName(folder.filePath("cat-sketch.bmp"));
  AnswerFileDialog([&folder](QFileDialog& fileDialog) {
    EXPECT_EQ(fileDialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_FALSE(fileDialog.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(fileDialog.selectedNameFilter(), "Bitmaps (*.bmp)");
    EXPECT_EQ(fileDialog.directory().absolutePath(), folder.path());
    fileDialog.selectNameFilter("Metafiles (*.wmf)");
    fileDialog.selectFile(folder.filePath("drawing"));
    static_cast<QDialog&>(fileDialog).accept();
  });
  ASSERT_TRUE(dialog.Execute(nullptr));
  EXPECT_EQ(dialog.FileName(), folder.filePath("drawing"));
  EXPECT_EQ(dialog.FilterIndex(), 3);
}

TEST(PictureDialogTest, OpenFileDialogCancelled) {
  FileDialogRunner runner;
  PictureDialog dialog(PictureDialog::Kind::Open, QString::fromLatin1(kOpenFilter), 1, runner);
  AnswerFileDialog([](QFileDialog& fileDialog) {
    EXPECT_EQ(fileDialog.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(fileDialog.fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(fileDialog.selectedNameFilter(), "All (*.jpg *.jpeg *.bmp)");
    fileDialog.reject();
  });
  EXPECT_FALSE(dialog.Execute(nullptr));
  EXPECT_EQ(dialog.FilterIndex(), 1);
}

}  // namespace
}  // namespace vellumine
