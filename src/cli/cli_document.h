// Opening and saving the FILE of a subcommand, by the rules of the desktop app's Open and Save.
#pragma once

#include <string>

class CVamelRssDoc;

// Opens FILE into the document; raises CCliFailure when it cannot be read (its message has been shown).
void OpenDocumentOrFail(CVamelRssDoc& doc, const std::string& fileArg);

// Saves the document back in its own kind to its path; raises CCliFailure on failure.
void SaveDocumentOrFail(CVamelRssDoc& doc);
