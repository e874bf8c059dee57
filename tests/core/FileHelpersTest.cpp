#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <thread>

#include "TempDir.h"
#include "core/FileHelpers.h"
#include "core/FileSearch.h"
#include "core/TimeHelpers.h"
#include "platform/base/AtomicFile.h"

namespace {
// Switches the injected write failure off however the test ends.
struct FailWritesAfter {
  explicit FailWritesAfter(long long bytes) { base::setAtomicWriteFailureAfter(bytes); }
  ~FailWritesAfter() { base::setAtomicWriteFailureAfter(-1); }
};
}  // namespace

TEST(LineFiles, ReadAcceptsBothLineEnds) {
  TempDir dir;
  dir.write("crlf.txt", "one\r\ntwo\n\nlast");
  Nx_StringArray lines;
  ASSERT_TRUE(ObjectExportReadFile(dir / "crlf.txt", lines));
  EXPECT_EQ(lines, (Nx_StringArray{"one", "two", "", "last"}));
  dir.write("empty.txt", "");
  ASSERT_TRUE(ObjectExportReadFile(dir / "empty.txt", lines));
  EXPECT_TRUE(lines.isEmpty());
  dir.write("blank.txt", "\n");
  ASSERT_TRUE(ObjectExportReadFile(dir / "blank.txt", lines));
  EXPECT_EQ(lines, (Nx_StringArray{""}));
}

TEST(LineFiles, WriteRoundTripsRawBytes) {
  TempDir dir;
  Nx_StringArray lines{"Mapping version 1.0",
                       "K=A\x83"
                       "Plates\x95"
                       "Distance T\xBF"
                       "B",
                       ""};
  ASSERT_TRUE(ObjectExportWriteFile(dir / "a.map", lines));
  EXPECT_EQ(dir.read("a.map"),
            "Mapping version 1.0\nK=A\x83Plates\x95"
            "Distance T\xBF"
            "B\n\n");
  Nx_StringArray back;
  ASSERT_TRUE(ObjectExportReadFile(dir / "a.map", back));
  EXPECT_EQ(back, lines);
}

TEST(LineFiles, FailuresNameThePathAndKeepTheOldFile) {
  TempDir dir;
  Nx_StringArray lines{"stale"};
  Nx_String error;
  EXPECT_FALSE(ObjectExportReadFile(dir / "missing.txt", lines, &error));
  EXPECT_NE(error.find(Nx_String(dir / "missing.txt"), true), -1) << error.str();
  EXPECT_EQ(lines, (Nx_StringArray{"stale"}));
  EXPECT_FALSE(ObjectExportReadFile(dir.path(), lines, &error));
  EXPECT_NE(error.find("folder", true), -1) << error.str();

  ASSERT_TRUE(ObjectExportWriteFile(dir / "keep.txt", Nx_StringArray{"old 1", "old 2"}));
  {
    FailWritesAfter failure(5);
    EXPECT_FALSE(ObjectExportWriteFile(dir / "keep.txt", Nx_StringArray{"new content"}, &error));
  }
  EXPECT_NE(error.find("keep.txt", true), -1) << error.str();
  EXPECT_EQ(dir.read("keep.txt"), "old 1\nold 2\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1)
      << "no temporary file is left behind";
  EXPECT_FALSE(ObjectExportWriteFile(dir / "no/such/folder/x.txt", lines, &error));
}

TEST(FileOps, ExistenceIsAPlainLookup) {
  TempDir dir;
  dir.write("a*b?.txt", "x");
  dir.write("ab.txt", "x");
  EXPECT_TRUE(fileExists(dir / "a*b?.txt"));
  EXPECT_FALSE(fileExists(dir / "*.txt"));  // never a pattern
  EXPECT_FALSE(fileExists(dir.path()));
  EXPECT_TRUE(folderExists(dir.path()));
  EXPECT_TRUE(pathExists(dir.path()));
  EXPECT_FALSE(pathExists(""));
  // Stored paths may use backslashes.
  dir.write("Childs/Bolts.kvs", "x");
  EXPECT_TRUE(fileExists(Nx_String(dir.path()) + "\\Childs\\Bolts.kvs"));
}

TEST(FileOps, FoldersCopyAndDelete) {
  TempDir dir;
  Nx_String error;
  ASSERT_TRUE(createFolder(dir / "Cutting Stock/Group 1", &error)) << error.str();
  EXPECT_TRUE(createFolder(dir / "Cutting Stock/Group 1"));  // already there
  dir.write("file", "x");
  EXPECT_FALSE(createFolder(dir / "file", &error));
  EXPECT_NE(error.find("file", true), -1);

  dir.write("src.bmp", std::string("BM\0\x01\xFF", 5));
  ASSERT_TRUE(copyFile(dir / "src.bmp", dir / "copy.bmp"));
  EXPECT_EQ(dir.read("copy.bmp"), dir.read("src.bmp"));
  EXPECT_FALSE(copyFile(dir / "src.bmp", dir / "copy.bmp", false, &error));
  EXPECT_FALSE(copyFile(dir / "none.bmp", dir / "x.bmp", true, &error));
  EXPECT_FALSE(fileExists(dir / "x.bmp"));

  EXPECT_TRUE(deleteFile(dir / "copy.bmp"));
  EXPECT_FALSE(fileExists(dir / "copy.bmp"));
  EXPECT_FALSE(deleteFile(dir / "copy.bmp", &error));
  EXPECT_NE(error.find("copy.bmp", true), -1);
  EXPECT_FALSE(deleteFile(dir / "Cutting Stock", &error));
  EXPECT_TRUE(folderExists(dir / "Cutting Stock"));
}

TEST(FileSearch, PatternsAndRecursion) {
  EXPECT_TRUE(matchesPattern("Stock1.SHP", "*.shp"));
  EXPECT_TRUE(matchesPattern("a.kvs", "?.kvs"));
  EXPECT_FALSE(matchesPattern("ab.kvs", "?.kvs"));
  EXPECT_TRUE(matchesPattern("anything", "*"));
  EXPECT_TRUE(matchesPattern("a.b.c", "a*c"));
  EXPECT_FALSE(matchesPattern("a.kvsx", "*.kvs"));

  TempDir dir;
  dir.write("Endplate.kvs", "");
  dir.write("Endplate.map", "");
  dir.write("Childs/Bolts.kvs", "");
  dir.write("Childs/Deep/Weld.KVS", "");
  std::filesystem::create_directories(dir / "Folder.kvs");
  Nx_StringArray found;
  ASSERT_TRUE(ObjectExportFindFiles(dir.path(), "*.kvs", found));
  EXPECT_EQ(found, (Nx_StringArray{Nx_String(dir / "Endplate.kvs")}));
  ASSERT_TRUE(ObjectExportFindFilesRecursive(dir.path(), "*.kvs", found));
  EXPECT_EQ(found, (Nx_StringArray{Nx_String(dir / "Childs/Bolts.kvs"),
                                   Nx_String(dir / "Childs/Deep/Weld.KVS"),
                                   Nx_String(dir / "Endplate.kvs")}));
  Nx_String error;
  EXPECT_FALSE(ObjectExportFindFiles(dir / "missing", "*", found, &error));
  EXPECT_TRUE(found.isEmpty());
  EXPECT_NE(error.find("missing", true), -1);
}

TEST(FileTimes, ModificationTimeAndEnglishDates) {
  TempDir dir;
  dir.write("old.bmp", "1");
  Nx_Time older, newer;
  ASSERT_TRUE(ObjectExportGetFileTime(dir / "old.bmp", older));
  std::filesystem::last_write_time(
      dir / "old.bmp",
      std::filesystem::last_write_time(dir / "old.bmp") - std::chrono::seconds(10));
  ASSERT_TRUE(ObjectExportGetFileTime(dir / "old.bmp", newer));
  EXPECT_LT(newer, older);
  Nx_String error;
  EXPECT_FALSE(ObjectExportGetFileTime(dir / "none", older, &error));
  EXPECT_NE(error.find("none", true), -1);

  std::tm tm{};
  tm.tm_year = 2024 - 1900;
  tm.tm_mon = 2;
  tm.tm_mday = 3;
  tm.tm_hour = 14;
  tm.tm_min = 5;
  tm.tm_isdst = -1;
  Nx_Time t = std::chrono::system_clock::from_time_t(std::mktime(&tm));
  EXPECT_EQ(formatTime(t, "%d %B, %Y (%H:%M)").str(), "03 March, 2024 (14:05)");
  EXPECT_EQ(formatTime(t, "%a %b %y %% %Q").str(), "Sun Mar 24 % %Q");
}

TEST(ReadLimits, OnlyRegularFilesOfBoundedSizeAreRead) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", dir / "zeros");
  Nx_String content = "kept", error;
  // Neither may hang nor fill the memory.
  for (const std::string& path : {std::string("/dev/zero"), dir / "pipe", dir / "zeros"}) {
    EXPECT_FALSE(readTextFile(path, content, &error)) << path;
    EXPECT_NE(error.find("not a regular file", true), -1) << error.str();
    EXPECT_NE(error.find(Nx_String(path), true), -1) << error.str();
  }
  EXPECT_EQ(content.str(), "kept");

  dir.write("big.txt", std::string(1000, 'x'));
  std::string text, why;
  EXPECT_TRUE(base::readWholeFile(dir / "big.txt", text, &why, 1000)) << why;
  EXPECT_EQ(text.size(), 1000u);
  EXPECT_FALSE(base::readWholeFile(dir / "big.txt", text, &why, 999));
  EXPECT_NE(why.find("larger than 999 bytes"), std::string::npos) << why;

  // A file the system reports as empty still reads whole.
  ASSERT_TRUE(base::readWholeFile("/proc/self/status", text, &why)) << why;
  EXPECT_NE(text.find("Name:"), std::string::npos);
  EXPECT_FALSE(base::readWholeFile("/proc/self/status", text, &why, 10));
}

TEST(SaveThroughLinks, TheTargetIsReplacedAndTheLinkStays) {
  TempDir dir;
  dir.write("real/table.txt", "old\n");
  std::filesystem::permissions(dir / "real/table.txt", std::filesystem::perms(0640));
  // A relative link to a link, as a user's library often holds.
  std::filesystem::create_symlink("real/table.txt", dir / "inner");
  std::filesystem::create_symlink("inner", dir / "outer");
  Nx_String error;
  ASSERT_TRUE(writeTextFile(dir / "outer", "new\n", &error)) << error.str();
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "outer"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "inner"));
  EXPECT_EQ(dir.read("real/table.txt"), "new\n");
  EXPECT_EQ(std::filesystem::status(dir / "real/table.txt").permissions(),
            std::filesystem::perms(0640));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "real"), {}), 1)
      << "no temporary file is left behind";

  // A link whose target is missing creates the target.
  std::filesystem::create_symlink("real/new.txt", dir / "dangling");
  ASSERT_TRUE(writeTextFile(dir / "dangling", "made\n", &error)) << error.str();
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "dangling"));
  EXPECT_EQ(dir.read("real/new.txt"), "made\n");

  // Never a device or a pipe, and never by replacing the link.
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
  std::filesystem::create_symlink(dir / "pipe", dir / "to-pipe");
  EXPECT_FALSE(writeTextFile(dir / "to-pipe", "x", &error));
  EXPECT_NE(error.find("pipe", true), -1) << error.str();
  EXPECT_TRUE(std::filesystem::is_fifo(dir / "pipe"));
  std::filesystem::create_symlink("loop", dir / "loop");
  EXPECT_FALSE(writeTextFile(dir / "loop", "x", &error));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "loop"));
}
