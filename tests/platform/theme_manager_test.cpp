#include "platform/theme_manager.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSet>
#include <QSlider>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

namespace vellumine {
namespace {

// Collects Qt's warnings about style sheets, such as those it cannot parse.
class WarningLog {
 public:
  WarningLog() { previous_ = qInstallMessageHandler(&WarningLog::Handle); }
  ~WarningLog() { qInstallMessageHandler(previous_); }
  static inline QStringList warnings;

 private:
  static void Handle(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtDebugMsg && type != QtInfoMsg && text.contains("style", Qt::CaseInsensitive))
      warnings << text;
  }
  QtMessageHandler previous_;
};

// A window with every kind of control the program's windows use.
struct SampleWindow {
  QWidget window;
  QPushButton* button;
  SampleWindow() {
    auto* layout = new QVBoxLayout(&window);
    button = new QPushButton("&Open");
    auto* disabled = new QPushButton("Disabled");
    disabled->setEnabled(false);
    auto* tabs = new QTabWidget;
    tabs->addTab(new QLabel("page"), "&Sketch");
    tabs->addTab(new QWidget, "&Texture");
    auto* group = new QGroupBox("Group");
    auto* combo = new QComboBox;
    combo->addItems({"MacOS", "WinXP"});
    auto* progress = new QProgressBar;
    progress->setValue(40);
    auto* list = new QListWidget;
    list->addItems({"a", "b"});
    for (QWidget* w : std::initializer_list<QWidget*>{
             button, disabled, new QCheckBox("Show "), new QRadioButton("Pen"),
             new QSlider(Qt::Horizontal), new QLineEdit("170"), combo, tabs, group,
             new QLabel("UI Style :"), progress, list, new QTextEdit("note"),
             new QScrollBar(Qt::Vertical), new QStatusBar})
      layout->addWidget(w);
    window.resize(300, 700);
  }
};

class ThemeManagerTest : public ::testing::TestWithParam<int> {};

TEST_P(ThemeManagerTest, StyleSheetIsCompleteAndParses) {
  const UiStyle style = *UiStyleFromIndex(GetParam());
  const QString sheet = StyleSheetOf(style);
  EXPECT_FALSE(sheet.contains(QLatin1Char('@'))) << "a colour was left unfilled";

  WarningLog log;
  WarningLog::warnings.clear();
  SampleWindow sample;
  ThemeManager manager(&sample.window, style);
  EXPECT_EQ(manager.Style(), style);
  EXPECT_EQ(sample.window.styleSheet(), sheet);
  sample.window.show();
  sample.window.grab();  // polishes and paints every control with the sheet
  EXPECT_TRUE(WarningLog::warnings.isEmpty()) << WarningLog::warnings.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Styles, ThemeManagerTest, ::testing::Range(0, kUiStyleCount),
                         [](const auto& row) { return std::string(kUiStyleNames[row.param]); });

TEST(ThemeManagerTest, FiveStylesLookDifferent) {
  QSet<QRgb> backgrounds, buttons;
  SampleWindow sample;
  ThemeManager manager(&sample.window, UiStyle::MacOS);
  for (int i = 0; i < kUiStyleCount; ++i) {
    manager.SetStyle(*UiStyleFromIndex(i));
    const QImage image = sample.window.grab().toImage();
    backgrounds << image.pixel(1, 1);
    const QPoint centre = sample.button->geometry().center();
    buttons << image.pixel(centre.x() - 20, centre.y());
  }
  EXPECT_EQ(backgrounds.size(), kUiStyleCount);
  EXPECT_EQ(buttons.size(), kUiStyleCount);
}

TEST(ThemeManagerTest, StyleNamesInChooserOrder) {
  EXPECT_STREQ(UiStyleName(UiStyle::MacOS), "MacOS");
  EXPECT_STREQ(UiStyleName(UiStyle::BlueGlass), "BlueGlass");
  EXPECT_EQ(UiStyleFromIndex(3), UiStyle::Protein);
  EXPECT_EQ(UiStyleFromIndex(-1), std::nullopt);
  EXPECT_EQ(UiStyleFromIndex(5), std::nullopt);
}

}  // namespace
}  // namespace vellumine
