#pragma once

#include <cstdint>

namespace vellumine {

// The tools in the order of their buttons, top to bottom.
enum class DrawingTool { Pen, Pencil, Pastel, Brush, Eraser };

enum class SketchMode { Automatic, Freehand };

// The parameters of one engine run. The defaults are those of a freshly created main window.
struct SketchSettings {
  std::int32_t differenceThreshold = 30;  // T: a sample counts when its strength exceeds T
  std::int32_t lineStep = 3;              // L: distance between the kernel's samples
  std::int32_t samplingScale = 1;         // s: divisor of every sketch coordinate
  DrawingTool tool = DrawingTool::Pencil;
  SketchMode mode = SketchMode::Automatic;
};

inline constexpr int kMinPrecision = 0;
inline constexpr int kMaxPrecision = 200;
inline constexpr int kDefaultPrecision = 170;
inline constexpr int kMinLineStep = 1;
inline constexpr int kMaxLineStep = 15;
inline constexpr int kDefaultLineStep = 1;

// The settings as the controls give them: T = 200 - precision, L = the line position, s = 1.
constexpr SketchSettings SettingsFromControls(int precision, int linePosition, DrawingTool tool,
                                              SketchMode mode) {
  return SketchSettings{kMaxPrecision - precision, linePosition, 1, tool, mode};
}

}  // namespace vellumine
