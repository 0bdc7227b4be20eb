#include "model/project_file.h"

#include <cerrno>

#include "model/archive.h"
#include "model/extension_block.h"
#include "model/rss_file.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"

std::string FileErrorMessage(int error, const std::string& path) {
  const char* text;
  switch (error) {
    case ENOENT: text = "%1 が見つかりません。"; break;
    case EACCES:
    case EPERM:
    case EROFS: text = "%1 へのｱｸｾｽは拒否されました。"; break;
    case ENOSPC:
    case EDQUOT: text = "%1 の書き込み中にﾃﾞｨｽｸがいっぱいになりました。"; break;
    case EISDIR:
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL: text = "%1 はﾌｧｲﾙ名として正しくありません。"; break;
    default: text = "%1 へのｱｸｾｽ中に予期しないｴﾗｰが発生しました。"; break;
  }
  std::string message = Lit(text);
  size_t at = message.find("%1");
  return message.replace(at, 2, path);
}

std::vector<std::string> LoadProjectBytes(CRssFile& project, const std::string& bytes) {
  CArchive ar(bytes);
  project.Serialize(ar);
  return ReadExtensionBlock(ar.Rest(), project);
}

CResult<> LoadProjectFile(CRssFile& project, const std::string& path) {
  std::string bytes;
  int error = 0;
  if (!ReadFileBytes(path, bytes, error, kMaxProjectFileBytes)) return Failure(FileErrorMessage(error, path), MbIcon::Exclamation);
  int savedRssMode = CRssFile::rssMode, savedAtomMode = CRssFile::atomMode;
  CRssFile loaded;
  std::vector<std::string> extensionsReset;
  try {
    // No project comes near the limit: a larger file (or a device that never ends) is not one.
    if (bytes.size() > kMaxProjectFileBytes) throw CArchiveException();
    extensionsReset = LoadProjectBytes(loaded, bytes);
  } catch (const CArchiveException& e) {
    CRssFile::rssMode = savedRssMode;
    CRssFile::atomMode = savedAtomMode;
    return Failure(e.GetMessage(), MbIcon::Exclamation);
  }
  project.TakeOverLoaded(loaded);
  CResult<> result;
  if (!extensionsReset.empty()) result.Say(ExtensionResetMessage(extensionsReset), MbIcon::Exclamation);
  return result.Done();
}

std::string SaveProjectBytes(CRssFile& project) {
  CArchive ar;
  project.Serialize(ar);
  return ar.TakeBuffer() + ExtensionBlockBytes(project);
}

CResult<> SaveProjectFile(CRssFile& project, const std::string& path) {
  // The bytes go to the file as they are produced: a large project is never held twice in memory.
  // The file holds the FTP password, scrambled but not secret: a new file is for its owner's eyes only.
  CReplacingFile file;
  bool ok = file.Open(path, kProjectFileMode);
  if (ok) {
    CArchive ar;
    ar.StreamTo([&file](std::string_view piece) { return file.Write(piece); });
    project.Serialize(ar);
    const std::string block = ExtensionBlockBytes(project);
    ok = ar.Flush() && (block.empty() || file.Write(block)) && file.Commit();
  }
  if (!ok) return Failure(FileErrorMessage(file.Error(), path), MbIcon::Exclamation);
  return CResult<>().Done();
}
