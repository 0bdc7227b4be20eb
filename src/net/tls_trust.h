// What a TLS connection of ours trusts: the system's certificate authorities and, when the user names
// one, one more CA file, for a server whose certificate was made by its owner's own authority. There is
// no way to turn the check off.
#pragma once

#include <string>

// The PEM text to give libcurl as its CA bundle: the system's bundle at `systemBundle` (skipped when
// "" or unreadable: libcurl's CA folder still holds the system's authorities) followed by the file
// `extraFile` (internal text path). False, with a reason for the user (internal text), when the extra
// file cannot be read, is not a regular file of sensible size, or holds no PEM certificate.
bool LoadCaBundle(const std::string& systemBundle, const std::string& extraFile, std::string& pem,
                  std::string& error);
