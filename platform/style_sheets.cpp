// The five interface styles: one style sheet template, filled with each style's colours, fills
// and corner radii, so that every style covers every kind of control.

#include <QString>
#include <utility>
#include <vector>

#include "platform/theme_manager.h"

namespace vellumine {
namespace {

constexpr char kTemplate[] = R"QSS(
* { color: @text@; }
[styledWindow="true"], QDialog, QMessageBox { background: @windowFill@; }
QWidget#Panel1, QWidget[pictureArea="true"] { background: @canvas@; border: none; }

QLabel { background: transparent; color: @text@; }
QLabel:disabled { color: @muted@; }

QPushButton {
  color: @buttonText@; background: @buttonFill@;
  border: 1px solid @buttonBorder@; border-radius: @radius@px;
  padding: 3px 8px; min-height: 17px; @buttonFont@
}
QPushButton:hover { background: @buttonHoverFill@; border-color: @focus@; }
QPushButton:focus { border-color: @focus@; }
QPushButton:pressed { background: @buttonPressedFill@; color: @pressedText@; padding-top: 4px; padding-bottom: 2px; }
QPushButton:disabled { color: @muted@; background: @disabledBg@; border-color: @disabledBorder@; }

QToolButton { background: transparent; border: 1px solid transparent; border-radius: @smallRadius@px; padding: 2px; }
QToolButton:hover { background: @accentSoft@; border-color: @focus@; }
QToolButton:pressed { background: @buttonPressedFill@; }

QCheckBox, QRadioButton { background: transparent; color: @text@; spacing: 5px; }
QCheckBox:disabled, QRadioButton:disabled { color: @muted@; }
QCheckBox::indicator, QRadioButton::indicator {
  width: 12px; height: 12px; background: @inputBg@; border: 1px solid @inputBorder@;
}
QCheckBox::indicator { border-radius: @checkRadius@px; }
QRadioButton::indicator { border-radius: 7px; }
QCheckBox::indicator:hover, QRadioButton::indicator:hover { border-color: @focus@; }
QCheckBox::indicator:checked {
  background: @accent@; border-color: @accentDark@; image: url(:/vellumine/check-white.png);
}
QRadioButton::indicator:checked {
  background: qradialgradient(cx:0.5, cy:0.5, radius:0.5, fx:0.5, fy:0.5,
    stop:0 @accent@, stop:0.5 @accent@, stop:0.62 @inputBg@, stop:1 @inputBg@);
  border-color: @accent@;
}
QCheckBox::indicator:disabled, QRadioButton::indicator:disabled {
  background: @disabledBg@; border-color: @disabledBorder@;
}

QSlider { background: transparent; }
QSlider::groove:horizontal { height: 4px; background: @groove@; border-radius: 2px; margin: 0 2px; }
QSlider::sub-page:horizontal { background: @accent@; border-radius: 2px; margin: 0 2px; }
QSlider::handle:horizontal {
  width: 12px; margin: -6px 0; background: @handleFill@;
  border: 1px solid @buttonBorder@; border-radius: @handleRadius@px;
}
QSlider::handle:horizontal:hover { border-color: @focus@; }
QSlider::handle:horizontal:disabled { background: @disabledBg@; border-color: @disabledBorder@; }

QLineEdit {
  background: @inputBg@; color: @inputText@; border: 1px solid @inputBorder@;
  border-radius: @smallRadius@px; padding: 1px 3px;
  selection-background-color: @accent@; selection-color: @accentText@;
}
QLineEdit:read-only { background: @readOnlyBg@; }
QLineEdit:focus { border-color: @focus@; }
QLineEdit:disabled { color: @muted@; background: @disabledBg@; border-color: @disabledBorder@; }

QComboBox {
  background: @buttonFill@; color: @buttonText@; border: 1px solid @buttonBorder@;
  border-radius: @smallRadius@px; padding: 1px 13px 1px 3px; min-height: 17px;
}
QComboBox:hover, QComboBox:focus { border-color: @focus@; }
QComboBox:on { background: @buttonPressedFill@; color: @pressedText@; }
QComboBox:disabled { color: @muted@; background: @disabledBg@; border-color: @disabledBorder@; }
QComboBox::drop-down {
  subcontrol-origin: padding; subcontrol-position: top right; width: 12px;
  border-left: 1px solid @buttonBorder@;
}
QComboBox::down-arrow { image: url(:/vellumine/arrow-down-@arrow@.png); width: 9px; height: 6px; }
QComboBox::down-arrow:on { top: 1px; }
QComboBox QAbstractItemView {
  background: @inputBg@; color: @inputText@; border: 1px solid @inputBorder@;
  selection-background-color: @accent@; selection-color: @accentText@; outline: 0;
}

QTabWidget::pane {
  background: @pane@; border: 1px solid @paneBorder@; border-radius: @smallRadius@px; top: -1px;
}
QTabWidget > QWidget, QTabWidget QStackedWidget > QWidget { background: transparent; }
QTabBar { background: transparent; }
QTabBar::tab {
  background: @tabFill@; color: @tabText@; border: 1px solid @paneBorder@; border-bottom: none;
  border-top-left-radius: @tabRadius@px; border-top-right-radius: @tabRadius@px;
  padding: 2px 9px; margin-right: 2px; margin-top: 2px;
}
QTabBar::tab:selected {
  background: @tabSelectedFill@; color: @tabSelectedText@; border-top: 2px solid @tabLine@;
  margin-top: 0px;
}
QTabBar::tab:hover:!selected { background: @tabHover@; }
QTabBar::tab:disabled { color: @muted@; }

QGroupBox {
  background: @pane@; border: 1px solid @paneBorder@; border-radius: @smallRadius@px;
  margin-top: 9px; padding-top: 4px;
}
QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; color: @accentDark@; }

QStatusBar { background: @statusFill@; border-top: 1px solid @paneBorder@; }
QStatusBar::item { border: none; }
QStatusBar QLabel { color: @statusText@; padding: 0 4px; }

QProgressBar {
  background: @inputBg@; color: @inputText@; border: 1px solid @inputBorder@;
  border-radius: @smallRadius@px; text-align: center;
}
QProgressBar::chunk { background: @chunkFill@; border-radius: @smallRadius@px; }

QListWidget, QListView, QTreeView, QTableView, QTextEdit, QPlainTextEdit {
  background: @inputBg@; color: @inputText@; border: 1px solid @inputBorder@;
  border-radius: @smallRadius@px;
  selection-background-color: @accent@; selection-color: @accentText@;
}
QListWidget::item:hover, QListView::item:hover, QTreeView::item:hover { background: @accentSoft@; }
QListWidget::item:selected, QListView::item:selected, QTreeView::item:selected {
  background: @accent@; color: @accentText@;
}
QTextEdit:focus, QPlainTextEdit:focus, QListWidget:focus { border-color: @focus@; }
QHeaderView::section {
  background: @tabFill@; color: @tabText@; border: none; border-right: 1px solid @paneBorder@;
  padding: 2px 5px;
}

QScrollBar:vertical { background: @groove@; width: 12px; margin: 0; border: none; }
QScrollBar:horizontal { background: @groove@; height: 12px; margin: 0; border: none; }
QScrollBar::handle {
  background: @handleFill@; border: 1px solid @buttonBorder@; border-radius: @scrollRadius@px;
}
QScrollBar::handle:vertical { min-height: 22px; margin: 1px; }
QScrollBar::handle:horizontal { min-width: 22px; margin: 1px; }
QScrollBar::handle:hover { border-color: @focus@; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0px; height: 0px; border: none; background: none; }
QScrollBar::add-page, QScrollBar::sub-page { background: none; }

QMenu { background: @inputBg@; color: @inputText@; border: 1px solid @inputBorder@; }
QMenu::item { padding: 3px 18px; }
QMenu::item:selected { background: @accent@; color: @accentText@; }
QMenu::item:disabled { color: @muted@; }
QToolTip { background: @tipBg@; color: @tipText@; border: 1px solid @inputBorder@; padding: 2px; }
)QSS";

QString Vertical(const char* stops) {
  return QStringLiteral("qlineargradient(x1:0, y1:0, x2:0, y2:1, %1)").arg(QLatin1String(stops));
}

using Palette = std::vector<std::pair<const char*, QString>>;

Palette MacOSPalette() {
  return {
      {"windowFill", Vertical("stop:0 #f6f6f6, stop:1 #dcdcdc")},
      {"canvas", "#c8ccd2"},
      {"text", "#1d1d1f"},
      {"muted", "#a0a0a0"},
      {"pane", "#f9f9f9"},
      {"paneBorder", "#b8b8b8"},
      {"buttonFill", Vertical("stop:0 #ffffff, stop:1 #e4e4e4")},
      {"buttonHoverFill", Vertical("stop:0 #ffffff, stop:1 #d7e7fb")},
      {"buttonPressedFill", Vertical("stop:0 #72b5f8, stop:1 #1f77de")},
      {"pressedText", "#ffffff"},
      {"buttonText", "#1d1d1f"},
      {"buttonBorder", "#a6a6a6"},
      {"arrow", "dark"},
      {"buttonFont", ""},
      {"accent", "#2f7de1"},
      {"accentDark", "#1f5fb4"},
      {"accentText", "#ffffff"},
      {"accentSoft", "#d9e8fb"},
      {"inputBg", "#ffffff"},
      {"inputText", "#1d1d1f"},
      {"inputBorder", "#b1b1b1"},
      {"focus", "#5b9df0"},
      {"readOnlyBg", "#f3f3f3"},
      {"tabFill", Vertical("stop:0 #fbfbfb, stop:1 #e0e0e0")},
      {"tabSelectedFill", Vertical("stop:0 #74b6f8, stop:1 #2f7de1")},
      {"tabText", "#333333"},
      {"tabSelectedText", "#ffffff"},
      {"tabLine", "#2f7de1"},
      {"tabHover", "#ececec"},
      {"statusFill", Vertical("stop:0 #ebebeb, stop:1 #d0d0d0")},
      {"statusText", "#3a3a3a"},
      {"groove", "#cbcbcb"},
      {"handleFill", Vertical("stop:0 #ffffff, stop:1 #d9d9d9")},
      {"chunkFill", Vertical("stop:0 #74b6f8, stop:1 #2f7de1")},
      {"disabledBg", "#eeeeee"},
      {"disabledBorder", "#d0d0d0"},
      {"tipBg", "#fffbe3"},
      {"tipText", "#222222"},
      {"radius", "10"},
      {"smallRadius", "5"},
      {"tabRadius", "6"},
      {"handleRadius", "6"},
      {"checkRadius", "3"},
      {"scrollRadius", "5"},
  };
}

Palette WinXPPalette() {
  return {
      {"windowFill", Vertical("stop:0 #f3f1e6, stop:1 #e2ded0")},
      {"canvas", "#d4d0c0"},
      {"text", "#000000"},
      {"muted", "#aca899"},
      {"pane", "#fcfcfe"},
      {"paneBorder", "#919b9c"},
      {"buttonFill", Vertical("stop:0 #ffffff, stop:0.85 #ece9d8, stop:1 #d6d0c5")},
      {"buttonHoverFill", Vertical("stop:0 #fffef8, stop:0.85 #f6ecd0, stop:1 #f0c969")},
      {"buttonPressedFill", Vertical("stop:0 #d9d6cb, stop:1 #f2f1ea")},
      {"pressedText", "#000000"},
      {"buttonText", "#000000"},
      {"buttonBorder", "#003c74"},
      {"arrow", "dark"},
      {"buttonFont", ""},
      {"accent", "#316ac5"},
      {"accentDark", "#0046d5"},
      {"accentText", "#ffffff"},
      {"accentSoft", "#c1d2ee"},
      {"inputBg", "#ffffff"},
      {"inputText", "#000000"},
      {"inputBorder", "#7f9db9"},
      {"focus", "#e5a219"},
      {"readOnlyBg", "#f7f6f0"},
      {"tabFill", Vertical("stop:0 #ffffff, stop:1 #e8e6dc")},
      {"tabSelectedFill", "#fcfcfe"},
      {"tabText", "#000000"},
      {"tabSelectedText", "#000000"},
      {"tabLine", "#ffc83c"},
      {"tabHover", "#fff4d8"},
      {"statusFill", Vertical("stop:0 #efecdf, stop:1 #d9d5c2")},
      {"statusText", "#000000"},
      {"groove", "#c9c6b6"},
      {"handleFill", Vertical("stop:0 #ffffff, stop:1 #d8d5c8")},
      {"chunkFill",
       "qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #9ee89a, stop:0.5 #2fb32b, stop:1 #7ad776)"},
      {"disabledBg", "#f5f4ea"},
      {"disabledBorder", "#c9c7ba"},
      {"tipBg", "#ffffe1"},
      {"tipText", "#000000"},
      {"radius", "3"},
      {"smallRadius", "2"},
      {"tabRadius", "3"},
      {"handleRadius", "2"},
      {"checkRadius", "1"},
      {"scrollRadius", "2"},
  };
}

Palette DeepBluePalette() {
  return {
      {"windowFill", Vertical("stop:0 #1d3159, stop:1 #0e1b36")},
      {"canvas", "#0a1328"},
      {"text", "#e3ebf9"},
      {"muted", "#6c7d9b"},
      {"pane", "#172a4d"},
      {"paneBorder", "#32507f"},
      {"buttonFill", Vertical("stop:0 #3768b5, stop:1 #1e4380")},
      {"buttonHoverFill", Vertical("stop:0 #4a80d4, stop:1 #2a569b")},
      {"buttonPressedFill", Vertical("stop:0 #142d57, stop:1 #1f4279")},
      {"pressedText", "#cfe0ff"},
      {"buttonText", "#f3f7ff"},
      {"buttonBorder", "#0a1831"},
      {"arrow", "light"},
      {"buttonFont", "font-weight: bold;"},
      {"accent", "#4ea4ff"},
      {"accentDark", "#7fbcff"},
      {"accentText", "#051129"},
      {"accentSoft", "#25487c"},
      {"inputBg", "#0c1830"},
      {"inputText", "#e3ebf9"},
      {"inputBorder", "#38588f"},
      {"focus", "#6fb8ff"},
      {"readOnlyBg", "#13223f"},
      {"tabFill", Vertical("stop:0 #243d6a, stop:1 #182a4c")},
      {"tabSelectedFill", Vertical("stop:0 #30579a, stop:1 #1f3e72")},
      {"tabText", "#a8bbdd"},
      {"tabSelectedText", "#ffffff"},
      {"tabLine", "#4ea4ff"},
      {"tabHover", "#2b4776"},
      {"statusFill", Vertical("stop:0 #14284c, stop:1 #0b1832")},
      {"statusText", "#a9c5ee"},
      {"groove", "#0a1429"},
      {"handleFill", Vertical("stop:0 #82b5f2, stop:1 #3d6eb7")},
      {"chunkFill", Vertical("stop:0 #7cc0ff, stop:1 #2f7fd8")},
      {"disabledBg", "#1a2843"},
      {"disabledBorder", "#26385c"},
      {"tipBg", "#0c1830"},
      {"tipText", "#e3ebf9"},
      {"radius", "2"},
      {"smallRadius", "2"},
      {"tabRadius", "0"},
      {"handleRadius", "2"},
      {"checkRadius", "2"},
      {"scrollRadius", "1"},
  };
}

Palette ProteinPalette() {
  return {
      {"windowFill", Vertical("stop:0 #f0f8ec, stop:1 #d3e8cb")},
      {"canvas", "#bfd6b8"},
      {"text", "#1f3521"},
      {"muted", "#94a993"},
      {"pane", "#f7fcf4"},
      {"paneBorder", "#98bf8f"},
      {"buttonFill", Vertical("stop:0 #95d881, stop:1 #4b9c3a")},
      {"buttonHoverFill", Vertical("stop:0 #abe596, stop:1 #5cb248")},
      {"buttonPressedFill", Vertical("stop:0 #3c862e, stop:1 #58a645")},
      {"pressedText", "#ffffff"},
      {"buttonText", "#ffffff"},
      {"buttonBorder", "#3a782d"},
      {"arrow", "light"},
      {"buttonFont", "font-weight: bold;"},
      {"accent", "#4f9f3e"},
      {"accentDark", "#2f6f23"},
      {"accentText", "#ffffff"},
      {"accentSoft", "#d5edca"},
      {"inputBg", "#ffffff"},
      {"inputText", "#1f3521"},
      {"inputBorder", "#9cc094"},
      {"focus", "#e08a2a"},
      {"readOnlyBg", "#f1f8ee"},
      {"tabFill", Vertical("stop:0 #f6fbf3, stop:1 #dbecd3")},
      {"tabSelectedFill", Vertical("stop:0 #95d881, stop:1 #4b9c3a")},
      {"tabText", "#2f4d31"},
      {"tabSelectedText", "#ffffff"},
      {"tabLine", "#e08a2a"},
      {"tabHover", "#e7f4e1"},
      {"statusFill", Vertical("stop:0 #d2e8ca, stop:1 #b5d6ab")},
      {"statusText", "#1f3521"},
      {"groove", "#c2dab9"},
      {"handleFill", Vertical("stop:0 #ffffff, stop:1 #d6ebcf")},
      {"chunkFill", Vertical("stop:0 #95d881, stop:1 #4b9c3a")},
      {"disabledBg", "#e8eee5"},
      {"disabledBorder", "#c7d5c3"},
      {"tipBg", "#fbfff3"},
      {"tipText", "#1f3521"},
      {"radius", "8"},
      {"smallRadius", "4"},
      {"tabRadius", "8"},
      {"handleRadius", "6"},
      {"checkRadius", "4"},
      {"scrollRadius", "5"},
  };
}

Palette BlueGlassPalette() {
  return {
      {"windowFill", Vertical("stop:0 #edf8ff, stop:0.5 #d5ecfb, stop:1 #bcdcf3")},
      {"canvas", "#a9cde8"},
      {"text", "#0d3550"},
      {"muted", "#8db0c7"},
      {"pane", "#f4fbff"},
      {"paneBorder", "#7db6dc"},
      {"buttonFill",
       Vertical("stop:0 #fbfeff, stop:0.48 #d9effd, stop:0.52 #b3daf5, stop:1 #e0f3ff")},
      {"buttonHoverFill",
       Vertical("stop:0 #ffffff, stop:0.48 #e6f6ff, stop:0.52 #c3e6fc, stop:1 #f0fbff")},
      {"buttonPressedFill",
       Vertical("stop:0 #9dcff0, stop:0.48 #7bbde9, stop:0.52 #5aace3, stop:1 #a6d8f6")},
      {"pressedText", "#052a44"},
      {"buttonText", "#0d3550"},
      {"buttonBorder", "#5a9bc8"},
      {"arrow", "dark"},
      {"buttonFont", ""},
      {"accent", "#1f8fd6"},
      {"accentDark", "#0f6aa6"},
      {"accentText", "#ffffff"},
      {"accentSoft", "#cde8fa"},
      {"inputBg", "#fbfeff"},
      {"inputText", "#0d3550"},
      {"inputBorder", "#8cc1e3"},
      {"focus", "#2ea6f0"},
      {"readOnlyBg", "#edf7fd"},
      {"tabFill", Vertical("stop:0 #fbfeff, stop:0.5 #e1f2fd, stop:0.51 #cfe9fa, stop:1 #e8f6ff")},
      {"tabSelectedFill",
       Vertical("stop:0 #f2faff, stop:0.5 #bfe4fb, stop:0.51 #98d2f6, stop:1 #c9e9fc")},
      {"tabText", "#1b4966"},
      {"tabSelectedText", "#06304d"},
      {"tabLine", "#1f8fd6"},
      {"tabHover", "#e9f6ff"},
      {"statusFill",
       Vertical("stop:0 #f2faff, stop:0.5 #d3ebfa, stop:0.51 #bfe0f6, stop:1 #d8eefc")},
      {"statusText", "#0d3550"},
      {"groove", "#acd2ec"},
      {"handleFill",
       Vertical("stop:0 #ffffff, stop:0.5 #d6eefd, stop:0.51 #a9d6f4, stop:1 #e3f4ff")},
      {"chunkFill",
       Vertical("stop:0 #c2e7ff, stop:0.5 #7fc8f4, stop:0.51 #4fb1eb, stop:1 #8fd3fa")},
      {"disabledBg", "#e7f1f8"},
      {"disabledBorder", "#bcd6e8"},
      {"tipBg", "#f4fbff"},
      {"tipText", "#0d3550"},
      {"radius", "6"},
      {"smallRadius", "4"},
      {"tabRadius", "7"},
      {"handleRadius", "6"},
      {"checkRadius", "3"},
      {"scrollRadius", "5"},
  };
}

Palette PaletteOf(UiStyle style) {
  switch (style) {
    case UiStyle::MacOS:
      return MacOSPalette();
    case UiStyle::WinXP:
      return WinXPPalette();
    case UiStyle::DeepBlue:
      return DeepBluePalette();
    case UiStyle::Protein:
      return ProteinPalette();
    case UiStyle::BlueGlass:
      break;
  }
  return BlueGlassPalette();
}

}  // namespace

QString StyleSheetOf(UiStyle style) {
  QString sheet = QString::fromLatin1(kTemplate);
  for (const auto& [name, value] : PaletteOf(style))
    sheet.replace(QLatin1Char('@') + QLatin1String(name) + QLatin1Char('@'), value);
  return sheet;
}

}  // namespace vellumine
