// The category tree of podcast directories (the list in force since 2019). A project names its category
// as a path: the category alone ("Technology", "Arts") or a category and one of its subcategories
// ("Arts/Books"); feeds write it as nested itunes:category elements.
#pragma once

#include <string>
#include <string_view>
#include <vector>

inline constexpr char kPodcastCategorySeparator = '/';

// True for a top-level category of the tree ("Arts", "Health & Fitness").
bool IsPodcastCategory(std::string_view category);
// True when `subcategory` is one of the category's subcategories ("Arts", "Books").
bool IsPodcastSubcategory(std::string_view category, std::string_view subcategory);
// True for "Category" or "Category/Subcategory" of the tree; false for "" and anything else.
bool IsPodcastCategoryPath(std::string_view path);
// The category and the subcategory of a path ("" when it names none); no check against the tree.
void SplitPodcastCategoryPath(std::string_view path, std::string& category, std::string& subcategory);
// Every path of the tree in its order: each category, followed by its subcategories' paths.
std::vector<std::string> PodcastCategoryPaths();
