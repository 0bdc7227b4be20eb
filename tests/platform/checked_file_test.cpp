// The checked file: every failure as an exception with its message and the path.
#include <string>

#include "support/test_env.h"
#include <sys/stat.h>

#include "platform/file_system.h"
#include "platform/checked_file.h"

namespace {

class CheckedFile : public VamelTest {};

}  // namespace

TEST_F(CheckedFile, MessagesCarryThePath) {
  CCheckedFile file;
  std::string path = TempPath("missing.txt");
  try {
    file.Open(path, "rb");
    FAIL() << "no exception";
  } catch (const CVamelFileException& e) {
    EXPECT_EQ(U(e.GetMessage()), "ファイルのオープンに失敗しました:" + path);
  }
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(U(CCheckedFile::CloseFailedText()), "ファイルのクローズに失敗しました");
  EXPECT_EQ(U(CCheckedFile::WriteFailedText()), "ファイルの書込に失敗しました");
  EXPECT_EQ(U(CCheckedFile::SeekFailedText()), "ファイルのシークに失敗しました");
  EXPECT_EQ(U(CCheckedFile::ReadFailedText()), "ファイルの読込に失敗しました");
  EXPECT_EQ(U(CCheckedFile::BufferFailedText()), "ファイル読み込みバッファ確保エラー：");
  // Reading what the file does not allow: the read message with the stored path.
  WriteFile(TempPath("a.txt"), "abc");
  file.Open(TempPath("a.txt"), "rb");
  try {
    file.WriteString("x");
    FAIL() << "no exception";
  } catch (const CVamelFileException& e) {
    EXPECT_EQ(U(e.GetMessage()), "ファイルの書込に失敗しました:" + TempPath("a.txt"));
  }
  try {
    file.Seek(-10, SEEK_SET);
    FAIL() << "no exception";
  } catch (const CVamelFileException& e) {
    EXPECT_EQ(U(e.GetMessage()), "ファイルのシークに失敗しました:" + TempPath("a.txt"));
  }
  file.Close();
  file.Close();  // the second close finds no file
}

TEST_F(CheckedFile, ReadsAndWrites) {
  std::string path = TempPath("data.bin");
  {
    CCheckedFile file;
    file.Open(path, "wb");
    file.WriteString("hello ");
    file.WriteString(std::string("world\0ignored", 13));
    // Nothing is in place until Close.
    EXPECT_FALSE(FileExists(path));
    file.Close();
  }
  EXPECT_EQ(ReadFile(path), "hello world");
  CCheckedFile file;
  file.Open(path, "rb");
  EXPECT_EQ(file.GetLength(), 11);
  char buffer[5];
  EXPECT_EQ(file.Read(buffer, 5), 5u);
  EXPECT_EQ(file.Tell(), 5);
  EXPECT_EQ(file.GetLength(), 11);
  EXPECT_EQ(file.Tell(), 5);  // the position is kept
  file.Seek(6, SEEK_SET);
  EXPECT_EQ(file.Read(buffer, 5), 5u);
  EXPECT_EQ(std::string(buffer, 5), "world");
  EXPECT_EQ(file.Read(buffer, 5), 0u);  // the end is no error
  file.Seek(0, SEEK_SET);
  EXPECT_EQ(file.ReadAll(), "hello world");
  file.Close();
  WriteFile(TempPath("empty"), "");
  file.Open(TempPath("empty"), "rb");
  EXPECT_EQ(file.ReadAll(), "");
}

TEST_F(CheckedFile, AnAbandonedWriteLeavesTheOldFile) {
  std::string path = TempPath("keep.txt");
  WriteFile(path, "old");
  {
    CCheckedFile file;
    file.Open(path, "wb");
    file.WriteString("new but never closed");
  }
  EXPECT_EQ(ReadFile(path), "old");
  std::string listing;
  RunCommand("ls -A '" + TempFolder() + "'", &listing);
  EXPECT_EQ(listing.find(".tmp"), std::string::npos) << listing;
  // Permissions of the replaced file are kept.
  chmod(path.c_str(), 0640);
  CCheckedFile file;
  file.Open(path, "wb");
  file.WriteString("new");
  file.Close();
  struct stat st;
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(ReadFile(path), "new");
}
