#include "platform/theme_manager.h"

namespace vellumine {

const char* UiStyleName(UiStyle style) {
  return kUiStyleNames[static_cast<std::size_t>(style)];
}

std::optional<UiStyle> UiStyleFromIndex(int index) {
  if (index < 0 || index >= kUiStyleCount) return std::nullopt;
  return static_cast<UiStyle>(index);
}

ThemeManager::ThemeManager(QWidget* window, UiStyle style) : window_(window), style_(style) {
  // The style sheet paints the window's own background through this property.
  window->setProperty("styledWindow", true);
  window->setAttribute(Qt::WA_StyledBackground);
  SetStyle(style);
}

void ThemeManager::SetStyle(UiStyle style) {
  style_ = style;
  if (window_) window_->setStyleSheet(StyleSheetOf(style));
}

}  // namespace vellumine
