// The password shift of the project file and of the sibling editor's FTP profiles.
#pragma once

#include <string>

// Moves each digit and ASCII letter backward within its range by the file format's key; every other
// byte is unchanged. Keeps the length.
std::string ScramblePassword(const std::string& clear);
// Moves each forward again: UnscramblePassword(ScramblePassword(s)) == s for every s.
std::string UnscramblePassword(const std::string& scrambled);
