#include "platform/profile_file.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

namespace vellumine {
namespace {

constexpr int kDefault = 42;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class ProfileFileTest : public ::testing::Test {
 protected:
  std::string Path() const { return folder_.filePath("vellumine.INI").toStdString(); }
  std::string Folder() const { return folder_.path().toStdString(); }

 private:
  QTemporaryDir folder_;
};

struct ReadCase {
  const char* name;
  std::optional<std::string> content;  // nullopt: no file
  int expected;
};

class ProfileReadTest : public ProfileFileTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ProfileReadTest, ReadsWholeNumbersAndFallsBackToTheDefault) {
  if (GetParam().content) WriteAll(Path(), *GetParam().content);
  EXPECT_EQ(ReadProfileInt(Path(), "Form", "UIStyle", kDefault), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ProfileReadTest,
    ::testing::Values(
        ReadCase{"NoFile", std::nullopt, kDefault}, ReadCase{"EmptyFile", "", kDefault},
        ReadCase{"Three", "[Form]\nUIStyle=3\n", 3}, ReadCase{"Seven", "[Form]\nUIStyle=7\n", 7},
        ReadCase{"MinusOne", "[Form]\nUIStyle=-1\n", -1},
        ReadCase{"PlusSign", "[Form]\nUIStyle=+4\n", 4},
        ReadCase{"NotANumber", "[Form]\nUIStyle=abc\n", kDefault},
        ReadCase{"NumberWithTrailingText", "[Form]\nUIStyle=3abc\n", kDefault},
        ReadCase{"EmptyValue", "[Form]\nUIStyle=\n", kDefault},
        ReadCase{"Hexadecimal", "[Form]\nUIStyle=0x2\n", 2},
        ReadCase{"HexadecimalUpperCase", "[Form]\nUIStyle=0X1F\n", 31},
        ReadCase{"HexadecimalAllOnes", "[Form]\nUIStyle=0xFFFFFFFF\n", -1},
        ReadCase{"BareHexPrefix", "[Form]\nUIStyle=0x\n", kDefault},
        ReadCase{"TooLarge", "[Form]\nUIStyle=99999999999\n", kDefault},
        ReadCase{"BlanksAroundNamesAndValue", "  [ Form ]  \n  UIStyle =  4 \n", 4},
        ReadCase{"NamesIgnoreLetterCase", "[FORM]\nuistyle=2\n", 2},
        ReadCase{"WindowsLineEnds", "[Form]\r\nUIStyle=3\r\n", 3},
        ReadCase{"NoLineEndAtTheEnd", "[Form]\nUIStyle=3", 3},
        ReadCase{"KeyOfAnotherSection", "[Other]\nUIStyle=3\n[Form]\nWidth=1\n", kDefault},
        ReadCase{"KeyBeforeAnySection", "UIStyle=3\n[Form]\n", kDefault},
        ReadCase{"CommentedOut", "[Form]\n;UIStyle=3\n", kDefault},
        ReadCase{"FirstOfTwoKeys", "[Form]\nUIStyle=1\nUIStyle=2\n", 1},
        ReadCase{"SectionAfterOthers", "[A]\nx=1\n\n[Form]\nWidth=9\nUIStyle=4\n[B]\n", 4}),
    [](const auto& row) { return std::string(row.param.name); });

struct WriteCase {
  const char* name;
  std::optional<std::string> before;  // nullopt: no file
  std::string after;                  // after writing UIStyle=2
};

class ProfileWriteTest : public ProfileFileTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(ProfileWriteTest, ChangesOnlyTheKeyLine) {
  if (GetParam().before) WriteAll(Path(), *GetParam().before);
  WriteProfileInt(Path(), "Form", "UIStyle", 2);
  EXPECT_EQ(ReadAll(Path()), GetParam().after);
  EXPECT_EQ(ReadProfileInt(Path(), "Form", "UIStyle", kDefault), 2);
  // Nothing is left beside the file: the temporary file was renamed over it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Folder()), {}), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ProfileWriteTest,
    ::testing::Values(
        WriteCase{"NoFile", std::nullopt, "[Form]\nUIStyle=2\n"},
        WriteCase{"ValueReplaced", "[Form]\nUIStyle=0\n", "[Form]\nUIStyle=2\n"},
        WriteCase{"OtherSectionsKeysAndCommentsKept",
                  "; Vellumine\n[Window]\nLeft = 10\n\n[Form]\nWidth=3\nuistyle = abc\n"
                  "Height=4\n[Last]\nB=x\n",
                  "; Vellumine\n[Window]\nLeft = 10\n\n[Form]\nWidth=3\nUIStyle=2\n"
                  "Height=4\n[Last]\nB=x\n"},
        WriteCase{"SectionAddedAtTheEnd", "[Other]\nA=1\n", "[Other]\nA=1\n[Form]\nUIStyle=2\n"},
        WriteCase{"KeyAddedAfterTheSectionsLastLine", "[Form]\nWidth=3\n\n[Other]\nA=1\n",
                  "[Form]\nWidth=3\nUIStyle=2\n\n[Other]\nA=1\n"},
        WriteCase{"WindowsLineEndsKept", "[Form]\r\nUIStyle=0\r\n[B]\r\nC=1\r\n",
                  "[Form]\r\nUIStyle=2\r\n[B]\r\nC=1\r\n"},
        WriteCase{"MissingLastLineEndKept", "[Form]\nUIStyle=0", "[Form]\nUIStyle=2"},
        WriteCase{"OnlyTheFirstKeyReplaced", "[Form]\nUIStyle=1\nUIStyle=5\n",
                  "[Form]\nUIStyle=2\nUIStyle=5\n"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(ProfileFileTest, NegativeValuesAreWrittenInDecimal) {
  WriteProfileInt(Path(), "Form", "UIStyle", -1);
  EXPECT_EQ(ReadAll(Path()), "[Form]\nUIStyle=-1\n");
}

TEST_F(ProfileFileTest, WriteFailureSaysWhichFileAndKeepsTheOldOne) {
  const std::string missingFolder = Folder() + "/missing/vellumine.INI";
  try {
    WriteProfileInt(missingFolder, "Form", "UIStyle", 1);
    FAIL() << "no error";
  } catch (const ProfileWriteError& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to " + missingFolder);
  }

  // A folder in the file's place cannot be replaced: it stays, and nothing is left beside it.
  std::filesystem::create_directory(Path());
  EXPECT_THROW(WriteProfileInt(Path(), "Form", "UIStyle", 1), ProfileWriteError);
  EXPECT_TRUE(std::filesystem::is_directory(Path()));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Folder()), {}), 1);
}

}  // namespace
}  // namespace vellumine
