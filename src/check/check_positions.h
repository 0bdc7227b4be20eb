// Places in the document text: where the n-th start tag begins, where an attribute of it begins, and
// the line and column of a byte offset. libxml2 keeps no column for a node, so the checker finds the
// start tag itself: in a well-formed document the n-th element of the tree (in document order) is the
// n-th start tag of the text outside comments, CDATA sections, processing instructions and the
// document type declaration.
#pragma once

#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

// The offsets of the start tags whose 0-based document-order numbers are in `sortedIndices`
// (ascending); npos for a number past the last tag.
std::vector<size_t> StartTagOffsets(std::string_view text, const std::vector<size_t>& sortedIndices);

// The offset of the attribute `qname` in the start tag at `tagOffset`; `tagOffset` when it is absent.
size_t AttributeOffset(std::string_view text, size_t tagOffset, std::string_view qname);

// 1-based line and column (in characters of UTF-8) of each offset; lines end at LF, CR LF or CR.
std::vector<std::pair<int, int>> LineColumns(std::string_view text, const std::vector<size_t>& offsets);
