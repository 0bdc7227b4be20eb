// The ten-field FTP profile record, embedded in the project and used for the sibling editor's list.
#pragma once

#include <string>

struct CFtpSet {
  std::string Name;       // profile name; kept
  std::string Host;       // FTP host, optionally "host:port"
  std::string User;
  std::string Pass;       // in clear in memory, scrambled in files
  int Text = 0;           // kept
  std::string LocalDir;   // kept (the sibling editor's site folder)
  std::string ImageDir;   // kept
  std::string RemoteDir;  // remote folder to upload into
  std::string Url;        // kept
  int PreviewUrl = 0;     // kept

  bool operator==(const CFtpSet& o) const {
    return Name == o.Name && Host == o.Host && User == o.User && Pass == o.Pass && Text == o.Text &&
           LocalDir == o.LocalDir && ImageDir == o.ImageDir && RemoteDir == o.RemoteDir && Url == o.Url &&
           PreviewUrl == o.PreviewUrl;
  }
  bool operator!=(const CFtpSet& o) const { return !(*this == o); }
};
