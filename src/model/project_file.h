// Reading and writing project files (.fpj).
#pragma once

#include <string>

class CRssFile;

// Loads the file into a fresh project and, only when the whole file was read, lets `project` take it
// over (items, settings, lists, and the two process-wide modes). On failure `project` and the modes are
// unchanged and `message` holds the text to show: the format error or the file error.
bool LoadProjectFile(CRssFile& project, const std::string& path, std::string& message);

// Parses project file bytes into `project` (which should be fresh). Raises CArchiveException.
void LoadProjectBytes(CRssFile& project, const std::string& bytes);

// The project file bytes of `project`.
std::string SaveProjectBytes(CRssFile& project);

// Writes the project file through a temporary file in the same folder, so a failure keeps the old
// file. On failure `message` holds the file error's text.
bool SaveProjectFile(CRssFile& project, const std::string& path, std::string& message);

// The user-visible text of a file error (errno) on `path`.
std::string FileErrorMessage(int error, const std::string& path);
