#include "formats/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "formats/bmp.h"
#include "formats/emf.h"
#include "formats/jpeg.h"
#include "formats/picture_error.h"
#include "tests/formats/test_files.h"

namespace vellumine {
namespace {

using formats_test::Bytes;
using formats_test::ReadBytes;
using formats_test::TempDir;
using formats_test::WriteBytes;

const Bytes kOld = {'o', 'l', 'd'};

// Sets the process's umask for the life of the object.
class ScopedUmask {
 public:
  explicit ScopedUmask(mode_t mask) : old_(umask(mask)) {}
  ~ScopedUmask() { umask(old_); }

 private:
  mode_t old_;
};

TEST(AtomicFile, CommitReplacesTheTargetKeepingItsPermissions) {
  TempDir dir;
  const std::string target = dir.File("out.bin");
  WriteBytes(target, kOld);
  chmod(target.c_str(), 0600);
  {
    const ScopedUmask mask(022);
    AtomicFile file(target);
    EXPECT_EQ(file.TemporaryPath().rfind(dir.File(".out.bin."), 0), 0u) << file.TemporaryPath();
    file.Write("abcdef", 6);
    file.WriteAt(1, "XY", 2);
    file.Write("gh", 2);  // Write goes on after its own last byte
    EXPECT_EQ(ReadBytes(target), kOld);
    file.Commit();
  }
  EXPECT_EQ(ReadBytes(target), (Bytes{'a', 'X', 'Y', 'd', 'e', 'f', 'g', 'h'}));
  struct stat info {};
  ASSERT_EQ(stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"out.bin"});

  // A new file gets the usual permissions under the umask.
  const std::string fresh = dir.File("fresh.bin");
  {
    const ScopedUmask mask(022);
    AtomicFile file(fresh);
    file.Write("x", 1);
    file.Commit();
  }
  ASSERT_EQ(stat(fresh.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST(AtomicFile, WithoutCommitTheTargetStaysAndTheTemporaryGoes) {
  TempDir dir;
  const std::string target = dir.File("keep.bin");
  WriteBytes(target, kOld);
  {
    AtomicFile file(target);
    file.Reserve(4096);
    file.Write("new", 3);
    EXPECT_EQ(dir.Entries().size(), 2u);
  }
  EXPECT_EQ(ReadBytes(target), kOld);
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"keep.bin"});
}

TEST(AtomicFile, RelativeTargetIsWrittenInTheCurrentFolder) {
  TempDir dir;
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.Path());
  {
    AtomicFile file("plain.bin");
    file.Write("x", 1);
    file.Commit();
  }
  std::filesystem::current_path(previous);
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"plain.bin"});
}

// Every writer of the library, writing a small picture to a path.
struct Writer {
  std::string name;
  std::function<void(const std::string&, const Raster24&)> write;
};

void PrintTo(const Writer& w, std::ostream* os) {
  *os << w.name;
}

std::vector<Writer> Writers() {
  return {
      {"Jpeg", [](const std::string& p, const Raster24& r) { WriteJpeg(p, r); }},
      {"Bmp", [](const std::string& p, const Raster24& r) { WriteBmp(p, r); }},
      {"Emf", [](const std::string& p, const Raster24& r) { WriteEmf(p, r, 8, 6); }},
      {"JpegRows",
       [](const std::string& p, const Raster24& r) {
         JpegRowWriter w(p, r.Width(), r.Height());
         for (int y = 0; y < r.Height(); ++y) w.WriteRow(r.Row(y));
         w.Finish();
       }},
      {"BmpRows",
       [](const std::string& p, const Raster24& r) {
         BmpRowWriter w(p, r.Width(), r.Height());
         for (int y = 0; y < r.Height(); ++y) w.WriteRow(r.Row(y));
         w.Finish();
       }},
  };
}

class FailedWrite : public ::testing::TestWithParam<Writer> {
 protected:
  // The reason of the PictureFileError the write raised, after checking its path and access.
  std::string FailureReason(const std::string& path) {
    try {
      GetParam().write(path, formats_test::PatternPicture(9, 7));
    } catch (const PictureFileError& error) {
      EXPECT_EQ(error.Path(), path);
      EXPECT_EQ(error.AccessType(), PictureFileError::Access::Write);
      return error.Reason();
    }
    return "written";
  }
};

TEST_P(FailedWrite, IntoAMissingFolderCreatesNothing) {
  TempDir dir;
  EXPECT_EQ(FailureReason(dir.File("missing/out.pic")), "no such file or directory");
  EXPECT_TRUE(dir.Entries().empty());
}

TEST_P(FailedWrite, OverAFolderLeavesTheFolderAndNoTemporaryFile) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("taken"));
  WriteBytes(dir.File("taken/inside"), kOld);
  EXPECT_EQ(FailureReason(dir.File("taken")), "is a directory");
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"taken"});
  EXPECT_EQ(ReadBytes(dir.File("taken/inside")), kOld);
}

TEST_P(FailedWrite, SucceedsOverAnOldFile) {
  TempDir dir;
  WriteBytes(dir.File("out.pic"), kOld);
  EXPECT_EQ(FailureReason(dir.File("out.pic")), "written");
  EXPECT_NE(ReadBytes(dir.File("out.pic")), kOld);
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"out.pic"});
}

INSTANTIATE_TEST_SUITE_P(Writers, FailedWrite, ::testing::ValuesIn(Writers()),
                         [](const auto& p) { return p.param.name; });

TEST(RowWriters, AbandonedBeforeFinishLeaveTheOldFile) {
  TempDir dir;
  const Raster24 picture = formats_test::PatternPicture(9, 7);
  WriteBytes(dir.File("a.jpg"), kOld);
  WriteBytes(dir.File("a.bmp"), kOld);
  {
    JpegRowWriter jpeg(dir.File("a.jpg"), 9, 7);
    BmpRowWriter bmp(dir.File("a.bmp"), 9, 7);
    for (int y = 0; y < 7; ++y) {
      jpeg.WriteRow(picture.Row(y));
      bmp.WriteRow(picture.Row(y));
    }
  }
  EXPECT_EQ(ReadBytes(dir.File("a.jpg")), kOld);
  EXPECT_EQ(ReadBytes(dir.File("a.bmp")), kOld);
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"a.bmp", "a.jpg"}));
}

}  // namespace
}  // namespace vellumine
