#include "platform/application.h"

#include <gtest/gtest.h>

#include <QEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <stdexcept>

#include "platform/message_box.h"
#include "tests/platform/widget_test_util.h"

namespace vellumine {
namespace {

using widget_test::RecordedBoxes;

// Throws from its event handler what the test asks for.
class ThrowingObject : public QObject {
 public:
  enum class Throw { Nothing, RuntimeError, NonStandard };
  Throw what = Throw::Nothing;
  int handled = 0;

  bool event(QEvent* e) override {
    if (e->type() != QEvent::User) return QObject::event(e);
    ++handled;
    if (what == Throw::RuntimeError) throw std::runtime_error("cannot read x.jpg: truncated file");
    if (what == Throw::NonStandard) throw 7;
    return true;
  }
};

TEST(ApplicationTest, AnExceptionEscapingAnEventIsShownAndTheNextEventIsHandled) {
  RecordedBoxes boxes;
  ThrowingObject object;
  QEvent event(QEvent::User);

  object.what = ThrowingObject::Throw::RuntimeError;
  EXPECT_FALSE(QCoreApplication::sendEvent(&object, &event));
  object.what = ThrowingObject::Throw::NonStandard;
  EXPECT_FALSE(QCoreApplication::sendEvent(&object, &event));
  object.what = ThrowingObject::Throw::Nothing;
  EXPECT_TRUE(QCoreApplication::sendEvent(&object, &event));

  EXPECT_EQ(object.handled, 3);
  // Not one of ours: shown with an empty message.
  EXPECT_EQ(boxes.errors,
            (std::vector<QString>{QStringLiteral("cannot read x.jpg: truncated file"), QString()}));
}

TEST(ApplicationTest, GuardedHandlerReportsItsErrorAndTheButtonStaysUsable) {
  RecordedBoxes boxes;
  QPushButton button;
  int clicks = 0;
  QObject::connect(&button, &QPushButton::clicked, Guarded([&clicks](bool) {
    if (++clicks == 1) throw std::runtime_error("first click fails");
  }));
  button.click();
  button.click();
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(boxes.errors, std::vector<QString>{QStringLiteral("first click fails")});
}

TEST(ApplicationTest, StartUpFailureIsShownAndEndsWithNonZeroStatus) {
  RecordedBoxes boxes;
  EXPECT_EQ(Application::RunGuarded([] { return 0; }), 0);
  EXPECT_EQ(Application::RunGuarded([]() -> int { throw std::runtime_error("no window"); }), 1);
  EXPECT_EQ(boxes.errors, std::vector<QString>{QStringLiteral("no window")});
}

struct BoxCase {
  const char* name;
  bool error;
  QMessageBox::Icon icon;
};

class DialogBoxesTest : public ::testing::TestWithParam<BoxCase> {};

TEST_P(DialogBoxesTest, ModalBoxWithOkAndTheApplicationsTitle) {
  DialogMessageBoxes boxes;
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen = true;
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Vellumine"));
    EXPECT_EQ(box->text(), QStringLiteral("Please save the sketch ,Then edit it."));
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    EXPECT_EQ(box->icon(), GetParam().icon);
    box->button(QMessageBox::Ok)->click();
  });
  const QString text = QStringLiteral("Please save the sketch ,Then edit it.");
  if (GetParam().error)
    boxes.ShowError(nullptr, text);
  else
    boxes.ShowMessage(nullptr, text);
  EXPECT_TRUE(seen);
}

INSTANTIATE_TEST_SUITE_P(Kinds, DialogBoxesTest,
                         ::testing::Values(BoxCase{"Message", false, QMessageBox::NoIcon},
                                           BoxCase{"Error", true, QMessageBox::Critical}),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace vellumine
