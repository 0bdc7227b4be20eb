// The category tree of podcast directories.
#include "model/podcast_categories.h"

namespace {

struct CCategoryEntry {
  const char* category;
  const char* subcategory;  // "" for a category without subcategories
};

// The directories' tree, in their order: a category with subcategories has one entry per subcategory.
const CCategoryEntry kCategories[] = {
    {"Arts", "Books"},
    {"Arts", "Design"},
    {"Arts", "Fashion & Beauty"},
    {"Arts", "Food"},
    {"Arts", "Performing Arts"},
    {"Arts", "Visual Arts"},
    {"Business", "Careers"},
    {"Business", "Entrepreneurship"},
    {"Business", "Investing"},
    {"Business", "Management"},
    {"Business", "Marketing"},
    {"Business", "Non-Profit"},
    {"Comedy", "Comedy Interviews"},
    {"Comedy", "Improv"},
    {"Comedy", "Stand-Up"},
    {"Education", "Courses"},
    {"Education", "How To"},
    {"Education", "Language Learning"},
    {"Education", "Self-Improvement"},
    {"Fiction", "Comedy Fiction"},
    {"Fiction", "Drama"},
    {"Fiction", "Science Fiction"},
    {"Government", ""},
    {"History", ""},
    {"Health & Fitness", "Alternative Health"},
    {"Health & Fitness", "Fitness"},
    {"Health & Fitness", "Medicine"},
    {"Health & Fitness", "Mental Health"},
    {"Health & Fitness", "Nutrition"},
    {"Health & Fitness", "Sexuality"},
    {"Kids & Family", "Education for Kids"},
    {"Kids & Family", "Parenting"},
    {"Kids & Family", "Pets & Animals"},
    {"Kids & Family", "Stories for Kids"},
    {"Leisure", "Animation & Manga"},
    {"Leisure", "Automotive"},
    {"Leisure", "Aviation"},
    {"Leisure", "Crafts"},
    {"Leisure", "Games"},
    {"Leisure", "Hobbies"},
    {"Leisure", "Home & Garden"},
    {"Leisure", "Video Games"},
    {"Music", "Music Commentary"},
    {"Music", "Music History"},
    {"Music", "Music Interviews"},
    {"News", "Business News"},
    {"News", "Daily News"},
    {"News", "Entertainment News"},
    {"News", "News Commentary"},
    {"News", "Politics"},
    {"News", "Sports News"},
    {"News", "Tech News"},
    {"Religion & Spirituality", "Buddhism"},
    {"Religion & Spirituality", "Christianity"},
    {"Religion & Spirituality", "Hinduism"},
    {"Religion & Spirituality", "Islam"},
    {"Religion & Spirituality", "Judaism"},
    {"Religion & Spirituality", "Religion"},
    {"Religion & Spirituality", "Spirituality"},
    {"Science", "Astronomy"},
    {"Science", "Chemistry"},
    {"Science", "Earth Sciences"},
    {"Science", "Life Sciences"},
    {"Science", "Mathematics"},
    {"Science", "Natural Sciences"},
    {"Science", "Nature"},
    {"Science", "Physics"},
    {"Science", "Social Sciences"},
    {"Society & Culture", "Documentary"},
    {"Society & Culture", "Personal Journals"},
    {"Society & Culture", "Philosophy"},
    {"Society & Culture", "Places & Travel"},
    {"Society & Culture", "Relationships"},
    {"Sports", "Baseball"},
    {"Sports", "Basketball"},
    {"Sports", "Cricket"},
    {"Sports", "Fantasy Sports"},
    {"Sports", "Football"},
    {"Sports", "Golf"},
    {"Sports", "Hockey"},
    {"Sports", "Rugby"},
    {"Sports", "Running"},
    {"Sports", "Soccer"},
    {"Sports", "Swimming"},
    {"Sports", "Tennis"},
    {"Sports", "Volleyball"},
    {"Sports", "Wilderness"},
    {"Sports", "Wrestling"},
    {"Technology", ""},
    {"True Crime", ""},
    {"TV & Film", "After Shows"},
    {"TV & Film", "Film History"},
    {"TV & Film", "Film Interviews"},
    {"TV & Film", "Film Reviews"},
    {"TV & Film", "TV Reviews"},
};

}  // namespace

bool IsPodcastCategory(std::string_view category) {
  for (const CCategoryEntry& entry : kCategories) {
    if (category == entry.category) return true;
  }
  return false;
}

bool IsPodcastSubcategory(std::string_view category, std::string_view subcategory) {
  if (subcategory.empty()) return false;
  for (const CCategoryEntry& entry : kCategories) {
    if (category == entry.category && subcategory == entry.subcategory) return true;
  }
  return false;
}

void SplitPodcastCategoryPath(std::string_view path, std::string& category, std::string& subcategory) {
  const std::size_t separator = path.find(kPodcastCategorySeparator);
  category = std::string(path.substr(0, separator));
  subcategory = separator == std::string_view::npos ? std::string() : std::string(path.substr(separator + 1));
}

bool IsPodcastCategoryPath(std::string_view path) {
  const std::size_t separator = path.find(kPodcastCategorySeparator);
  if (separator == std::string_view::npos) return IsPodcastCategory(path);
  return IsPodcastSubcategory(path.substr(0, separator), path.substr(separator + 1));
}

std::vector<std::string> PodcastCategoryPaths() {
  std::vector<std::string> paths;
  std::string_view previous;
  for (const CCategoryEntry& entry : kCategories) {
    if (previous != entry.category) paths.emplace_back(entry.category);
    previous = entry.category;
    if (*entry.subcategory) paths.push_back(std::string(entry.category) + kPodcastCategorySeparator + entry.subcategory);
  }
  return paths;
}
