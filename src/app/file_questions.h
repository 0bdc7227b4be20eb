// The questions before a document or a file is replaced, for every front end.
#pragma once

#include <string>

#include "app/interaction.h"
#include "platform/user_message.h"

// "%1 への変更を保存しますか?" with the document's title (Yes/No/Cancel, exclamation icon).
CUserMessage SaveChangesQuestion(const std::string& title);

// "<path> は既に存在します。\r\n上書きしますか?" (Yes/No, exclamation icon).
CUserMessage OverwriteQuestion(const std::string& path);

// True when nothing exists at `path`, or when the user agrees to replace it.
bool ConfirmReplaceFile(CInteraction& ui, const std::string& path);

// A save chooser whose question before an existing file is replaced comes for the name that is really
// written. A name typed without an extension gets the chosen entry's extension (or the request's
// default) after the chooser has checked the name as typed; when that gives the name of an existing
// file, the user is asked here, and "いいえ" brings the chooser back with that name.
CFileDialogResult ChooseSavePath(CInteraction& ui, CFileDialogRequest request);
