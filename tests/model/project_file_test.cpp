#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "model/archive.h"
#include "model/password_scramble.h"
#include "model/project_file.h"
#include "model/rss_file.h"
#include "platform/text_codec.h"
#include "support/test_env.h"

namespace {

std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

std::string Int32(int v) {
  std::string b(4, '\0');
  for (int i = 0; i < 4; ++i) b[static_cast<size_t>(i)] = static_cast<char>((static_cast<unsigned>(v) >> (8 * i)) & 0xFF);
  return b;
}

std::string EmptyItemBody() { return Int32(100) + std::string(4, '\0') + Int32(0) + std::string(1, '\0') + Int32(0) + std::string(2, '\0'); }

class ProjectFile : public VamelTest {};

}  // namespace

TEST_F(ProjectFile, DefaultProjectIsThe86ByteExample) {
  CRssFile project;
  std::string bytes = SaveProjectBytes(project);
  std::string expected = Int32(100) + std::string(4, '\0') + "\x09" "index.rdf" "\x08" "atom.xml" + std::string(1, '\0');
  for (int v : {0, 2, 20, 20, 0, 0, 2, 2}) expected += Int32(v);
  expected += Int32(0) + Int32(0);
  expected += std::string(4, '\0') + Int32(0) + std::string(4, '\0') + Int32(0);
  expected += std::string(2, '\0');
  ASSERT_EQ(bytes.size(), 86u);
  EXPECT_EQ(Hex(bytes), Hex(expected));

  // Two items with empty strings: the count, then a class record, then a class reference.
  CRssFile two;
  for (int i = 0; i < 2; ++i) {
    auto item = std::make_unique<CRssItem>(0);
    two.Add(std::move(item));
  }
  std::string twoBytes = SaveProjectBytes(two);
  std::string body = EmptyItemBody();
  ASSERT_EQ(body.size(), 19u);
  std::string tail = std::string("\x02\x00\xFF\xFF\x01\x00\x08\x00", 8) + "CRssItem" + body + "\x01\x80" + body;
  EXPECT_EQ(Hex(twoBytes), Hex(expected.substr(0, 84) + tail));

  CRssFile loaded;
  LoadProjectBytes(loaded, twoBytes);
  EXPECT_EQ(loaded.GetSize(), 2);
}

TEST_F(ProjectFile, StringLengthPrefixes) {
  struct Case {
    size_t length;
    std::string prefix;
  };
  for (const Case& c : {Case{254, "\xFE"}, Case{255, std::string("\xFF\xFF\x00", 3)}, Case{300, "\xFF\x2C\x01"},
                        Case{65533, "\xFF\xFD\xFF"}, Case{65534, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)}}) {
    CArchive ar;
    std::string text(c.length, 'x');
    ar.WriteString(text);
    EXPECT_EQ(Hex(ar.GetBuffer().substr(0, c.prefix.size())), Hex(c.prefix)) << c.length;
    EXPECT_EQ(ar.GetBuffer().size(), c.prefix.size() + c.length);
    CArchive in(ar.GetBuffer());
    EXPECT_EQ(in.ReadString(), text);
    EXPECT_TRUE(in.AtEnd());
  }
  // The wide form: FF FFFE, a length in UTF-16 units, UTF-16LE text.
  std::string wide = std::string("\xFF\xFE\xFF\x03", 4) + std::string("\x42\x30\x44\x30" "A\0", 6);
  CArchive in(wide);
  EXPECT_EQ(in.ReadString(), J("あいA"));
}

TEST_F(ProjectFile, ItemCountForms) {
  CRssFile project;
  for (int i = 0; i < 65535; ++i) project.Add(std::make_unique<CRssItem>(0));
  std::string bytes = SaveProjectBytes(project);
  EXPECT_EQ(Hex(bytes.substr(84, 6)), "FF FF FF FF 00 00");
  CRssFile loaded;
  LoadProjectBytes(loaded, bytes);
  EXPECT_EQ(loaded.GetSize(), 65535);
}

TEST_F(ProjectFile, PasswordScrambleRoundTrips) {
  const std::string alphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  for (char c : alphabet) {
    for (int pos = 0; pos < 8; ++pos) {
      std::string clear = std::string(static_cast<size_t>(pos), '-') + c;
      std::string stored = ScramblePassword(clear);
      EXPECT_NE(stored[static_cast<size_t>(pos)], c) << c << pos;  // every shift is 1 to 9
      EXPECT_EQ(UnscramblePassword(stored), clear);
    }
  }
  EXPECT_EQ(ScramblePassword("!#$%&'()*+,-./:;<=>?@[]^_`{|}~ "), "!#$%&'()*+,-./:;<=>?@[]^_`{|}~ ");
  std::string japanese = J("パス①ワード");
  EXPECT_EQ(UnscramblePassword(ScramblePassword(japanese)), japanese);

  CRssFile project;
  project.ftp.Pass = "zZ9aA0" + japanese;
  project.ftp.Host = "ftp.example.jp";
  std::string bytes = SaveProjectBytes(project);
  EXPECT_EQ(bytes.find("zZ9aA0"), std::string::npos);
  CRssFile loaded;
  LoadProjectBytes(loaded, bytes);
  EXPECT_EQ(loaded.ftp, project.ftp);
}

TEST_F(ProjectFile, FullRoundTripAndProcessWideModes) {
  CRssFile project;
  project.siteTitle = J("日記 & ノート");
  project.siteUrl = "https://example.jp/";
  project.localFolder = TempFolder();
  project.importMode = 3;
  project.rssVersion = 1;
  project.atomVersion = 1;
  project.rssCount = -1;
  project.reserved = 7;
  project.excludedFiles = {"news/old.html", J("古い/a.html")};
  project.excludedFolders = {"tmp"};
  project.ftp = {"n", "h:21", "u", "p", 1, "l", "i", "/public_html", "url", 1};
  auto item = std::make_unique<CRssItem>(1136163784);
  item->title = J("タイトル");
  item->url = "https://example.jp/a.html";
  item->content = std::string(70000, 'c');
  item->published = 1000;
  item->startTag = "<!--S-->";
  project.Add(std::move(item));
  CRssFile::rssMode = 0;
  CRssFile::atomMode = 1;
  std::string path = TempPath("site.fpj");
  std::string message;
  ASSERT_TRUE(Did(SaveProjectFile(project, path), message)) << message;

  CRssFile::rssMode = 2;
  CRssFile::atomMode = 2;
  CRssFile loaded;
  loaded.feedId = "kept";
  ASSERT_TRUE(Did(LoadProjectFile(loaded, path), message)) << message;
  EXPECT_EQ(CRssFile::rssMode, 0);
  EXPECT_EQ(CRssFile::atomMode, 1);
  EXPECT_EQ(loaded.siteTitle, project.siteTitle);
  EXPECT_EQ(loaded.importMode, 3);
  EXPECT_EQ(loaded.rssCount, -1);
  EXPECT_EQ(loaded.reserved, 7);
  EXPECT_EQ(loaded.excludedFiles, project.excludedFiles);
  EXPECT_EQ(loaded.excludedFolders, project.excludedFolders);
  EXPECT_EQ(loaded.ftp, project.ftp);
  EXPECT_EQ(loaded.feedId, "kept");
  ASSERT_EQ(loaded.GetSize(), 1);
  EXPECT_EQ(loaded.GetAt(0)->title, J("タイトル"));
  EXPECT_EQ(loaded.GetAt(0)->date, 1136163784);
  EXPECT_EQ(loaded.GetAt(0)->published, 1000);
  EXPECT_EQ(loaded.GetAt(0)->content.size(), 70000u);
  EXPECT_EQ(loaded.GetAt(0)->startTag, "<!--S-->");
  EXPECT_EQ(SaveProjectBytes(loaded), ReadFile(path));
}

TEST_F(ProjectFile, EveryTruncationIsAFormatErrorThatChangesNothing) {
  CRssFile project;
  project.siteTitle = "Site";
  project.excludedFiles = {"a.html"};
  for (int i = 0; i < 3; ++i) {
    auto item = std::make_unique<CRssItem>(i);
    item->title = "t" + std::to_string(i);
    project.Add(std::move(item));
  }
  CRssFile::rssMode = 1;
  std::string bytes = SaveProjectBytes(project);
  std::string path = TempPath("cut.fpj");

  CRssFile target;
  target.siteTitle = "previous";
  target.Add(std::make_unique<CRssItem>(5));
  CRssFile::rssMode = 2;
  const std::string formatError = J("予期しないﾌｧｲﾙ形式です。");
  for (size_t cut = 0; cut < bytes.size(); ++cut) {
    WriteFile(path, bytes.substr(0, cut));
    std::string message;
    ASSERT_FALSE(Did(LoadProjectFile(target, path), message)) << cut;
    EXPECT_EQ(message, formatError) << cut;
    EXPECT_EQ(target.siteTitle, "previous");
    EXPECT_EQ(target.GetSize(), 1);
    EXPECT_EQ(CRssFile::rssMode, 2) << cut;
  }
  WriteFile(path, bytes);
  std::string message;
  EXPECT_TRUE(Did(LoadProjectFile(target, path), message));
  EXPECT_EQ(target.GetSize(), 3);
}

TEST_F(ProjectFile, HostileRecordsAreFormatErrors) {
  CRssFile one;
  one.Add(std::make_unique<CRssItem>(0));
  std::string good = SaveProjectBytes(one);
  const size_t tag = 86;  // the first item record follows the 84 settings bytes and the count
  auto expectFormatError = [&](std::string bytes, const char* what) {
    CRssFile target;
    EXPECT_THROW(LoadProjectBytes(target, bytes), CArchiveException) << what;
  };
  std::string badName = good;
  badName.replace(tag + 6, 8, "CRssFile");
  expectFormatError(badName, "another class");
  std::string badSchema = good;
  badSchema[tag + 2] = 2;
  expectFormatError(badSchema, "schema 2");
  std::string forwardRef = good;
  forwardRef.replace(tag, 2, "\x01\x80");
  expectFormatError(forwardRef.substr(0, tag + 2) + EmptyItemBody(), "class not read yet");
  std::string objectRef = good.substr(0, 84) + std::string("\x02\x00", 2) + good.substr(tag) + std::string("\x02\x00", 2) + EmptyItemBody();
  expectFormatError(objectRef, "object reference");
  std::string nullRef = good.substr(0, tag) + std::string("\x00\x00", 2);
  expectFormatError(nullRef, "null");
  // Counts and lengths beyond the bytes left: errors before any large allocation.
  expectFormatError(good.substr(0, 84) + std::string("\xFF\xFF\xFF\xFF\xFF\x7F", 6), "huge item count");
  std::string hugeList = good;
  hugeList.replace(60, 4, Int32(0x7FFFFFFF));
  expectFormatError(hugeList, "huge list");
  std::string negativeList = good;
  negativeList.replace(64, 4, Int32(-1));
  expectFormatError(negativeList, "negative list");
  expectFormatError(Int32(100) + std::string("\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 7), "huge string");
  expectFormatError(Int32(100) + std::string("\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 9), "huge wide string");
  expectFormatError(Int32(100) + std::string("\xFF\xFE\xFF\xFF\xFE\xFF\x01", 7), "two wide markers");
}

TEST_F(ProjectFile, FailedSaveKeepsTheOldFileAndLeavesNoTemporary) {
  if (geteuid() == 0) {
    // Root ignores folder permissions; a path through a regular file fails for everyone.
    std::string blocker = TempPath("blocker");
    WriteFile(blocker, "x");
    CRssFile project;
    std::string message;
    EXPECT_FALSE(Did(SaveProjectFile(project, blocker + "/site.fpj"), message));
    EXPECT_FALSE(message.empty());
  }
  std::string folder = TempPath("site");
  std::filesystem::create_directory(folder);
  std::string path = folder + "/site.fpj";
  WriteFile(path, "old contents");
  CRssFile project;
  std::string message;
  // A folder where the file should be: the rename fails after the temporary was written.
  std::string dirPath = folder + "/dir.fpj";
  std::filesystem::create_directory(dirPath);
  EXPECT_FALSE(Did(SaveProjectFile(project, dirPath), message));
  EXPECT_FALSE(message.empty());
  ASSERT_TRUE(Did(SaveProjectFile(project, path), message));
  EXPECT_EQ(ReadFile(path).size(), 86u);
  EXPECT_EQ(CountFolderEntries(folder), 2);  // site.fpj and dir.fpj, no temporary left
  if (geteuid() != 0) {
    chmod(folder.c_str(), 0500);
    EXPECT_FALSE(Did(SaveProjectFile(project, path), message));
    EXPECT_NE(message.find(J("ｱｸｾｽは拒否されました")), std::string::npos);
    chmod(folder.c_str(), 0700);
  }
  EXPECT_EQ(ReadFile(path).size(), 86u);
  EXPECT_FALSE(Did(LoadProjectFile(project, TempPath("missing.fpj")), message));
  EXPECT_EQ(U(message), TempPath("missing.fpj") + " が見つかりません。");
}

TEST_F(ProjectFile, LargeSaveGoesOutInPiecesAndAFailureHalfwayKeepsTheOldFile) {
  CRssFile project;
  for (int i = 0; i < 40; ++i) {
    auto item = std::make_unique<CRssItem>(i);
    item->title = J("記事") + std::to_string(i);
    item->content = std::string(100000 + static_cast<size_t>(i), static_cast<char>('a' + i % 26));
    project.Add(std::move(item));
  }
  const std::string bytes = SaveProjectBytes(project);
  ASSERT_GT(bytes.size(), 3u << 20);
  std::string folder = TempPath("big");
  std::filesystem::create_directory(folder);
  std::string path = folder + "/site.fpj";
  std::string message;
  ASSERT_TRUE(Did(SaveProjectFile(project, path), message)) << message;
  EXPECT_EQ(ReadFile(path), bytes);

  // A file size limit of 2 MB makes a write fail after the first pieces are out.
  WriteFile(path, "old contents");
  EXPECT_TRUE(RunWithFileSizeLimit(2u << 20, [&] {
    std::string childMessage;
    return !Did(SaveProjectFile(project, path), childMessage) && childMessage.find(path) != std::string::npos;
  }));
  EXPECT_EQ(ReadFile(path), "old contents");
  EXPECT_EQ(CountFolderEntries(folder), 1);  // no temporary left
}

// Strings with characters that code page 932 lacks are stored in the wide form (FF FFFE, a length in
// UTF-16 units, UTF-16LE) and load back as they were; every other string keeps the byte form, so a
// project of code page 932 text saves to exactly the bytes it always did.
TEST_F(ProjectFile, CarriedCharactersGoInTheWideFormAndNothingElseChanges) {
  auto str = [](const std::string& s) { return std::string(1, static_cast<char>(s.size())) + s; };
  auto wide = [](const std::string& utf16) { return std::string("\xFF\xFE\xFF", 3) + static_cast<char>(utf16.size() / 2) + utf16; };

  // Code page 932 text of every kind: kana, kanji, NEC and IBM extensions, half-width kana, "\" in a
  // second byte, user-defined characters.
  CRssFile plain;
  plain.siteTitle = J("日記～ ①Ⅰ㈱ 髙﨑 ｶﾀｶﾅ 表\\");
  plain.siteUrl = "https://example.jp/";
  plain.creator = std::string("\xF0\x40\xED\x40", 4);
  plain.localFolder = J("/srv/サイト");
  plain.excludedFiles = {J("古い/ソ.html")};
  plain.ftp.Pass = J("pass表");
  auto item = std::make_unique<CRssItem>(0);
  item->title = J("タイトル〝〟");
  plain.Add(std::move(item));
  const std::string plainBytes = SaveProjectBytes(plain);
  std::string expected = Int32(100) + str(plain.siteTitle) + str(plain.siteUrl) + str("") + str(plain.creator) +
                         str("index.rdf") + str("atom.xml") + str(plain.localFolder) + Int32(0) + Int32(2) + Int32(20) +
                         Int32(20) + Int32(0) + Int32(0) + Int32(2) + Int32(2) + Int32(1) + str(plain.excludedFiles[0]) +
                         Int32(0) + str("") + str("") + str("") + str(ScramblePassword(plain.ftp.Pass)) + Int32(0) +
                         str("") + str("") + str("") + str("") + Int32(0) + std::string("\x01\x00\xFF\xFF\x01\x00\x08\x00", 8) +
                         "CRssItem" + Int32(100) + str(plain.GetAt(0)->title) + std::string(3, '\0') + Int32(0) + str("") +
                         Int32(0) + std::string(2, '\0');
  EXPECT_EQ(Hex(plainBytes), Hex(expected));

  // An emoji, an accented letter and U+301C (which the code page would make U+FF5E) are kept: those
  // strings go wide, the others stay bytes.
  CRssFile project;
  project.siteTitle = J("寿司🍣");
  project.siteUrl = "https://example.jp/";
  project.ftp.Pass = J("pä🍣ss1");
  project.excludedFiles = {J("写真🍣/a.html"), "b.html"};
  item = std::make_unique<CRssItem>(0);
  item->title = J("Café 〜");
  item->content = std::string(300, 'x') + J("🍣");
  project.Add(std::move(item));
  const std::string bytes = SaveProjectBytes(project);
  EXPECT_EQ(Hex(bytes.substr(4, 12)), Hex(wide(std::string("\xFF\x5B\xF8\x53\x3C\xD8\x63\xDF", 8))));  // 寿 司 🍣
  EXPECT_EQ(Hex(bytes.substr(16, 20)), Hex(str("https://example.jp/")));
  const std::string cafe = wide(std::string("C\0a\0f\0\xE9\0 \0\x1C\x30", 12));
  EXPECT_NE(bytes.find(cafe), std::string::npos);
  // 302 units: the second length form.
  EXPECT_NE(bytes.find(std::string("\xFF\xFE\xFF\xFF\x2E\x01" "x\0x\0", 10)), std::string::npos);
  CRssFile loaded;
  LoadProjectBytes(loaded, bytes);
  EXPECT_EQ(loaded.siteTitle, project.siteTitle);
  EXPECT_EQ(loaded.ftp.Pass, project.ftp.Pass);
  EXPECT_EQ(loaded.excludedFiles, project.excludedFiles);
  ASSERT_EQ(loaded.GetSize(), 1);
  EXPECT_EQ(U(loaded.GetAt(0)->title), "Café 〜");
  EXPECT_EQ(loaded.GetAt(0)->content, project.GetAt(0)->content);
  EXPECT_EQ(SaveProjectBytes(loaded), bytes);

  // A string that would not come back from UTF-16 (a broken double-byte character beside a carried
  // one) keeps its bytes, which load back as they were.
  CRssFile broken;
  broken.siteTitle = "\x82" + J("🍣") + "\xFD\xA0";
  const std::string brokenBytes = SaveProjectBytes(broken);
  EXPECT_EQ(Hex(brokenBytes.substr(4, 9)), Hex(str(broken.siteTitle)));
  CRssFile brokenLoaded;
  LoadProjectBytes(brokenLoaded, brokenBytes);
  EXPECT_EQ(brokenLoaded.siteTitle, broken.siteTitle);

  // Wide strings from elsewhere: a stray surrogate is "?"; a length beyond the file, or an odd byte
  // short of it, is the format error.
  const std::string strayBytes("\xFF\xFE\xFF\x02\x3D\xD8" "A\0", 8);  // the archive reads it in place
  CArchive stray(strayBytes);
  EXPECT_EQ(stray.ReadString(), "?A");
  for (const std::string& hostile : {std::string("\xFF\xFE\xFF\x03" "A\0B\0", 8), std::string("\xFF\xFE\xFF\x02" "A\0B", 7),
                                     std::string("\xFF\xFE\xFF\xFF\xFF\xFF\x00\x00\x01\x00", 10)}) {
    CArchive in(hostile);
    EXPECT_THROW(in.ReadString(), CArchiveException) << Hex(hostile);
  }
}

// The file holds the FTP password in a form anyone can undo: a new project file is its owner's alone,
// and saving over an existing file keeps whatever mode its owner gave it.
TEST_F(ProjectFile, NewFilesAreOwnerOnlyAndSavingKeepsTheModeOfTheFileReplaced) {
  CRssFile project;
  project.ftp.Pass = "secret";
  std::string message;
  const std::string fresh = TempPath("new.fpj");
  ASSERT_TRUE(Did(SaveProjectFile(project, fresh), message)) << message;
  struct stat st {};
  ASSERT_EQ(stat(fresh.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);

  const std::string shared = TempPath("shared.fpj");
  WriteFile(shared, "old");
  chmod(shared.c_str(), 0640);
  ASSERT_TRUE(Did(SaveProjectFile(project, shared), message)) << message;
  ASSERT_EQ(stat(shared.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(ReadFile(shared), SaveProjectBytes(project));
}

// Hostile files cost no more memory than their size allows: a list of empty strings (one byte each in
// the file) beyond any site's list is a format error, and a device that never ends is read only up to
// the project size limit.
TEST_F(ProjectFile, ListsAndInputsAreBounded) {
  CRssFile empty;
  const std::string good = SaveProjectBytes(empty);
  auto withList = [&](size_t entries) {
    std::string bytes = good;
    bytes.replace(60, 4, Int32(static_cast<int>(entries)));
    bytes.insert(64, std::string(entries, '\0'));
    return bytes;
  };
  CRssFile atLimit;
  LoadProjectBytes(atLimit, withList(kMaxStringListEntries));
  EXPECT_EQ(atLimit.excludedFiles.size(), kMaxStringListEntries);
  CRssFile beyond;
  EXPECT_THROW(LoadProjectBytes(beyond, withList(kMaxStringListEntries + 1)), CArchiveException);

  // /dev/zero would be read for ever: it is refused with the format error after the limit.
  CRssFile project;
  std::string message;
  EXPECT_FALSE(Did(LoadProjectFile(project, "/dev/zero"), message));
  EXPECT_EQ(message, CArchiveException().what());
}
