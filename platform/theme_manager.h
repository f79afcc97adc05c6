#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <optional>

namespace vellumine {

// The five interface styles, in the order of the style chooser.
enum class UiStyle { MacOS, WinXP, DeepBlue, Protein, BlueGlass };

inline constexpr int kUiStyleCount = 5;
inline constexpr std::array<const char*, kUiStyleCount> kUiStyleNames = {
    "MacOS", "WinXP", "DeepBlue", "Protein", "BlueGlass"};

const char* UiStyleName(UiStyle style);
// The style at chooser index `index`; nullopt outside 0 .. 4.
std::optional<UiStyle> UiStyleFromIndex(int index);

// The complete Qt style sheet of a style: every kind of control the windows use is styled.
QString StyleSheetOf(UiStyle style);

// Applies one interface style to one window and everything in it.
class ThemeManager {
 public:
  ThemeManager(QWidget* window, UiStyle style);

  UiStyle Style() const { return style_; }
  void SetStyle(UiStyle style);

 private:
  QPointer<QWidget> window_;
  UiStyle style_;
};

}  // namespace vellumine
