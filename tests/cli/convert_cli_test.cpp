// Runs the vellumine-convert executable as a script would and checks what it leaves behind.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include "formats/bmp.h"
#include "tests/cli/cli_test_util.h"

namespace vellumine {
namespace {

using testing::Fixture;
using testing::ReadWholeFile;
using testing::TemporaryFolder;

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

struct CommandResult {
  int status;
  std::string out, err;
};

CommandResult Convert(const TemporaryFolder& folder, const std::vector<std::string>& arguments) {
  std::string command = Quote(VELLUMINE_CONVERT);
  for (const std::string& argument : arguments) command.append(" ").append(Quote(argument));
  const std::string out = folder / "stdout.txt", err = folder / "stderr.txt";
  const int status = std::system((command + " >" + Quote(out) + " 2>" + Quote(err)).c_str());
  CommandResult run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadWholeFile(out),
                    ReadWholeFile(err)};
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return run;
}

TEST(ConvertCommand, ConvertsAndAppendsTheExtension) {
  TemporaryFolder folder;
  const CommandResult run =
      Convert(folder, {"--tool", "pen", Fixture("chelsea.jpg"), folder / "cat"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const Raster24 sketch = ReadBmp(folder / "cat.bmp");
  EXPECT_EQ(sketch.Width(), 452);
  EXPECT_EQ(sketch.Height(), 301);

  EXPECT_EQ(Convert(folder, {Fixture("coffee.bmp"), folder / "cup.jpeg"}).status, 0);
  EXPECT_TRUE(std::filesystem::exists(folder / "cup.jpeg.jpg"));
  EXPECT_EQ(Convert(folder, {"--type", "metafile", Fixture("coffee.bmp"), folder / "cup"}).status,
            0);
  EXPECT_EQ(ReadWholeFile(folder / "cup.wmf").substr(40, 4), " EMF");
  EXPECT_EQ(folder.EntryCount(), 3);
}

TEST(ConvertCommand, HelpAndUsageErrors) {
  TemporaryFolder folder;
  const CommandResult help = Convert(folder, {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("usage: vellumine-convert"), std::string::npos);

  const CommandResult bad =
      Convert(folder, {"--line", "16", Fixture("chelsea.jpg"), folder / "x.jpg"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.err.find("--line"), std::string::npos);
  EXPECT_NE(bad.err.find("usage:"), std::string::npos);
  EXPECT_EQ(folder.EntryCount(), 0);
}

// Damaged, truncated, empty, huge and mislabelled photographs: exit 1, one line naming the file,
// no output file.
TEST(ConvertCommand, BadPhotographsFailCleanly) {
  TemporaryFolder folder;
  const std::string jpeg = ReadWholeFile(Fixture("chelsea.jpg"));
  const std::string bmp = ReadWholeFile(Fixture("coffee.bmp"));
  std::string hugeJpeg = jpeg;
  // The frame header (SOFn) holds the height and width after its length and precision.
  const std::size_t frame = hugeJpeg.find("\xFF\xC0");
  ASSERT_NE(frame, std::string::npos);
  hugeJpeg[frame + 5] = char(0xFF), hugeJpeg[frame + 6] = char(0xF0);  // height 65520
  hugeJpeg[frame + 7] = char(0xFF), hugeJpeg[frame + 8] = char(0xF0);  // width 65520
  std::string hugeBmp = bmp;
  hugeBmp[18] = char(0x70), hugeBmp[19] = char(0x11), hugeBmp[20] = char(0x01);  // 70000 wide
  hugeBmp[22] = char(0x70), hugeBmp[23] = char(0x11), hugeBmp[24] = char(0x01);  // 70000 high

  const std::pair<std::string, std::string> photos[] = {
      {"empty.jpg", ""},
      {"empty.bmp", ""},
      {"text.jpg", "plain text, not a picture\n"},
      {"header-only.jpg", jpeg.substr(0, 200)},
      {"header-only.bmp", bmp.substr(0, 40)},
      {"rows-missing.bmp", bmp.substr(0, bmp.size() / 2)},
      {"huge.jpg", hugeJpeg},
      {"huge.bmp", hugeBmp},
      {"bitmap-named.jpg", bmp},
      {"photo.tif", jpeg},
  };
  for (const auto& [name, bytes] : photos) {
    TemporaryFolder out;
    testing::WriteWholeFile(out / name, bytes);
    for (const char* output : {"sketch.jpg", "sketch.bmp", "sketch.wmf"}) {
      const CommandResult run = Convert(out, {out / name, out / output});
      EXPECT_EQ(run.status, 1) << name << " -> " << output;
      EXPECT_TRUE(run.err.starts_with("vellumine-convert: " + (out / name) + ": "))
          << name << ": " << run.err;
      EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
      EXPECT_EQ(out.EntryCount(), 1) << name << " -> " << output << " left a file behind";
    }
  }
}

TEST(ConvertCommand, WidestPhotographAcceptedGivesASavableSketch) {
  TemporaryFolder folder;
  WriteBmp(folder / "wide.bmp", Raster24(65535, 4));
  for (const char* output : {"wide-sketch.bmp", "wide-sketch.wmf"}) {
    const CommandResult run = Convert(folder, {folder / "wide.bmp", folder / output});
    EXPECT_EQ(run.status, 0) << output << ": " << run.err;
  }
  // Its width and height in the bitmap's header (too wide for our own reader to open again).
  const std::string header = ReadWholeFile(folder / "wide-sketch.bmp").substr(18, 8);
  const auto field = [&](int at) {
    return int(std::uint8_t(header[at])) | int(std::uint8_t(header[at + 1])) << 8 |
           int(std::uint8_t(header[at + 2])) << 16;
  };
  EXPECT_EQ(field(0), 65536);
  EXPECT_EQ(field(4), 5);
}

TEST(ConvertCommand, UnwritableOutputFailsAndKeepsTheOldFile) {
  TemporaryFolder folder;
  const CommandResult missing =
      Convert(folder, {Fixture("chelsea.jpg"), folder / "none/sketch.jpg"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find(folder / "none/sketch.jpg"), std::string::npos) << missing.err;

  // The output is a folder: the write fails and the folder is untouched.
  std::filesystem::create_directory(folder / "taken.bmp");
  const CommandResult taken = Convert(folder, {Fixture("chelsea.jpg"), folder / "taken.bmp"});
  EXPECT_EQ(taken.status, 1);
  EXPECT_TRUE(std::filesystem::is_directory(folder / "taken.bmp"));
  EXPECT_EQ(folder.EntryCount(), 1);
}

}  // namespace
}  // namespace vellumine
