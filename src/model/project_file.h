// Reading and writing project files (.fpj).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/result.h"

class CRssFile;

// Larger files are refused with the format error, and no more than this is ever read.
inline constexpr std::size_t kMaxProjectFileBytes = std::size_t{512} << 20;
// The mode of a new project file (under the umask); saving over a file keeps that file's mode.
inline constexpr unsigned kProjectFileMode = 0600;

// Loads the file into a fresh project and, only when the whole file was read, lets `project` take it
// over (items, settings, lists, extensions, and the two process-wide modes). On failure `project` and
// the modes are unchanged and the message (exclamation icon) is the format error or the file error. A
// damaged extension block still loads: the result is done, with one message naming the values reset.
CResult<> LoadProjectFile(CRssFile& project, const std::string& path);

// Parses project file bytes, the extension block included, into `project` (which should be fresh).
// Raises CArchiveException; returns the names of the extension values that a damaged block reset.
std::vector<std::string> LoadProjectBytes(CRssFile& project, const std::string& bytes);

// The project file bytes of `project`, its extension block included.
std::string SaveProjectBytes(CRssFile& project);

// Writes the project file through a temporary file in the same folder, so a failure keeps the old
// file; a new file gets kProjectFileMode. On failure the message (exclamation icon) is the file error.
CResult<> SaveProjectFile(CRssFile& project, const std::string& path);

// The user-visible text of a file error (errno) on `path`.
std::string FileErrorMessage(int error, const std::string& path);
