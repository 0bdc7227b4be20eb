// The questions before a document or a file is replaced, for every front end.
#pragma once

#include <string>

#include "platform/user_message.h"

class CInteraction;

// "%1 への変更を保存しますか?" with the document's title (Yes/No/Cancel, exclamation icon).
CUserMessage SaveChangesQuestion(const std::string& title);

// "<path> は既に存在します。\r\n上書きしますか?" (Yes/No, exclamation icon).
CUserMessage OverwriteQuestion(const std::string& path);

// True when nothing exists at `path`, or when the user agrees to replace it.
bool ConfirmReplaceFile(CInteraction& ui, const std::string& path);
