// Path names: joining a folder and a name, and a free name beside a taken one.
#pragma once

#include <string>

// base and name joined with one separator: "/" when base holds "://" (a URL), else the platform's
// separator of local paths. No separator is added when base already ends with one ("/" counts as one
// on every platform). An empty base gives the separator followed by name.
std::string JoinPath(const std::string& base, const std::string& name);

// `path` when no file or folder of that path exists; otherwise the first of "name(1).ext",
// "name(2).ext", ... in the same folder that does not exist ("page.html" gives "page(1).html").
std::string MakeUniquePath(const std::string& path);
