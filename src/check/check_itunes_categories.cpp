#include "check/check_itunes_categories.h"

#include <string>

#include "check/check_nodes.h"
#include "model/podcast_categories.h"

namespace {

// Categories of the trees before 2019 (2005 and 2008): still read by directories, but obsolete.
const char* const kObsolete[] = {
    "Arts & Entertainment", "Audio Blogs", "Games & Hobbies", "Government & Organizations", "Health", "International",
    "Movies & Television", "News & Politics", "Public Radio", "Science & Medicine", "Sports & Recreation", "Talk Radio",
    "Transportation", "Travel", "Family", "Food", "Politics", "Design", "Fashion & Beauty", "Literature",
    "Performing Arts", "Visual Arts", "Business News", "Careers", "Investing", "Management & Marketing", "Shopping",
    "Educational Technology", "Higher Education", "K-12", "Language Courses", "Training", "Automotive", "Aviation",
    "Hobbies", "Other Games", "Video Games", "Local", "National", "Non-Profit", "Regional", "Alternative Health",
    "Fitness & Nutrition", "Self-Help", "Sexuality", "Buddhism", "Christianity", "Hinduism", "Islam", "Judaism", "Other",
    "Spirituality", "Medicine", "Natural Sciences", "Social Sciences", "History", "Personal Journals", "Philosophy",
    "Places & Travel", "Amateur", "College & High School", "Outdoor", "Professional", "Gadgets", "Podcasting",
    "Software How-To", "Tech News", "Education Technology"};

bool Obsolete(const std::string& name) {
  for (const char* o : kObsolete) {
    if (name == o) return true;
  }
  return false;
}

}  // namespace

void CheckItunesCategory(const xmlNode* category, CCheckReport& report) {
  bool found = false;
  std::string name = Attribute(category, "text", nullptr, &found);
  if (!found) {
    report.AtNode(CheckRule::MissingAttribute, category, "itunes:category", "text");
    return;
  }
  const bool nested = category->parent && IsElement(category->parent, kItunesNs, "category");
  if (!nested) {
    if (!IsPodcastCategory(name)) {
      report.AtAttribute(Obsolete(name) ? CheckRule::ItunesCategoryObsolete : CheckRule::ItunesCategory, category, "text", name);
      return;
    }
  } else {
    const std::string parent = Attribute(category->parent, "text");
    if (IsPodcastCategory(parent) && !IsPodcastSubcategory(parent, name)) {
      report.AtAttribute(Obsolete(name) ? CheckRule::ItunesCategoryObsolete : CheckRule::ItunesCategory, category, "text",
                         parent + " > " + name);
    }
  }
  for (const xmlNode* c = FirstElement(category); c; c = NextElement(c)) {
    if (IsElement(c, kItunesNs, "category")) CheckItunesCategory(c, report);
  }
}
