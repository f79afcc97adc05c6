#include "cli/command_line.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <vector>

namespace vellumine {

const char* const kUsage =
    "usage: vellumine-convert [options] PHOTO OUTPUT\n"
    "\n"
    "Turns the photograph PHOTO (a .jpg, .jpeg or .bmp file) into a sketch saved as OUTPUT.\n"
    "\n"
    "options:\n"
    "  --precision N    0 to 200, more gives more lines (default 170)\n"
    "  --line N         line step, 1 to 15 (default 1)\n"
    "  --tool T         pen, pencil, pastel, brush or eraser (default pencil)\n"
    "  --mode M         automatic or freehand (default automatic)\n"
    "  --texture FILE   lay this picture (.jpg, .jpeg or .bmp) under the sketch\n"
    "  --stretch        stretch the texture to the sketch instead of tiling it\n"
    "  --type T         jpeg, bitmap or metafile (default: from OUTPUT's extension,\n"
    "                   .jpg/.jpeg jpeg, .bmp bitmap, .wmf metafile, otherwise bitmap)\n"
    "  --help           show this text\n"
    "\n"
    "When OUTPUT does not contain the type's extension (.jpg, .bmp or .wmf), it is appended.\n"
    "Exit status: 0 done, 1 a file could not be read or written, 2 bad options.\n";

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

int ParseNumber(const std::string& option, const std::string& value, int low, int high) {
  int number = 0;
  const char* end = value.data() + value.size();
  const auto [rest, error] = std::from_chars(value.data(), end, number);
  if (value.empty() || error != std::errc() || rest != end || number < low || number > high)
    throw UsageError(option + " takes a whole number from " + std::to_string(low) + " to " +
                     std::to_string(high) + ", not \"" + value + "\"");
  return number;
}

template <typename T, std::size_t N>
T ParseChoice(const std::string& option, const std::string& value,
              const std::pair<const char*, T> (&choices)[N]) {
  for (const auto& [name, choice] : choices)
    if (value == name) return choice;
  std::string names;
  for (const auto& [name, choice] : choices)
    names += (names.empty() ? "" : ", ") + std::string(name);
  throw UsageError(option + " takes one of " + names + ", not \"" + value + "\"");
}

constexpr std::pair<const char*, DrawingTool> kTools[] = {{"pen", DrawingTool::Pen},
                                                          {"pencil", DrawingTool::Pencil},
                                                          {"pastel", DrawingTool::Pastel},
                                                          {"brush", DrawingTool::Brush},
                                                          {"eraser", DrawingTool::Eraser}};
constexpr std::pair<const char*, SketchMode> kModes[] = {{"automatic", SketchMode::Automatic},
                                                         {"freehand", SketchMode::Freehand}};
constexpr std::pair<const char*, PictureFileType> kTypes[] = {
    {"jpeg", PictureFileType::Jpeg},
    {"bitmap", PictureFileType::Bitmap},
    {"metafile", PictureFileType::Metafile}};

}  // namespace

ConvertRequest ParseCommandLine(std::span<const std::string> arguments) {
  ConvertRequest request;
  std::vector<std::string> files;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string argument = arguments[i];
    if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
      files.push_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    // --option=value is accepted as well as --option value.
    std::optional<std::string> inlineValue;
    if (const auto equals = argument.find('=');
        argument.starts_with("--") && equals != argument.npos) {
      inlineValue = argument.substr(equals + 1);
      argument.resize(equals);
    }
    const auto value = [&]() -> std::string {
      if (inlineValue) return *inlineValue;
      if (i + 1 >= arguments.size()) throw UsageError(argument + " needs a value");
      return arguments[++i];
    };
    const auto noValue = [&] {
      if (inlineValue) throw UsageError(argument + " takes no value");
    };

    if (argument == "--help" || argument == "-h") {
      noValue();
      request.help = true;
      return request;
    } else if (argument == "--precision") {
      request.precision = ParseNumber(argument, value(), kMinPrecision, kMaxPrecision);
    } else if (argument == "--line") {
      request.line = ParseNumber(argument, value(), kMinLineStep, kMaxLineStep);
    } else if (argument == "--tool") {
      request.tool = ParseChoice(argument, value(), kTools);
    } else if (argument == "--mode") {
      request.mode = ParseChoice(argument, value(), kModes);
    } else if (argument == "--texture") {
      request.texture = value();
      if (request.texture->empty()) throw UsageError("--texture needs a file name");
    } else if (argument == "--stretch") {
      noValue();
      request.layout = TextureLayout::Stretch;
    } else if (argument == "--type") {
      request.type = ParseChoice(argument, value(), kTypes);
    } else {
      throw UsageError("unknown option " + argument);
    }
  }
  if (files.size() != 2)
    throw UsageError(files.size() < 2 ? "PHOTO and OUTPUT are required"
                                      : "too many arguments: \"" + files[2] + "\"");
  request.photo = files[0];
  request.output = files[1];
  if (request.photo.empty() || request.output.empty())
    throw UsageError("PHOTO and OUTPUT must not be empty");
  return request;
}

PictureFileType OutputTypeFromName(const std::string& output) {
  const std::string name = Lower(output);
  if (EndsWith(name, ".jpg") || EndsWith(name, ".jpeg")) return PictureFileType::Jpeg;
  if (EndsWith(name, ".wmf")) return PictureFileType::Metafile;
  return PictureFileType::Bitmap;
}

}  // namespace vellumine
