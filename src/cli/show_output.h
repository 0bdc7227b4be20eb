// `show`: the document's settings and items, as text or as one JSON object.
#pragma once

#include <string>

class CVamelRssDoc;

std::string ShowText(const CVamelRssDoc& doc);
std::string ShowJson(const CVamelRssDoc& doc);  // UTF-8
