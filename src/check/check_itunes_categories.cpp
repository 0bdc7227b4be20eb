#include "check/check_itunes_categories.h"

#include <cstring>
#include <string>

#include "check/check_nodes.h"

namespace {

struct CCategory {
  const char* category;
  const char* subcategory;  // "" for the category itself when it has none
};

// The tree in force since 2019 (the podcast directories' list, as gathered in the project's reference
// data: podcast-categories.tsv).
const CCategory kCategories[] = {
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

bool Known(const std::string& category, const char* subcategory) {
  for (const CCategory& c : kCategories) {
    if (category == c.category && (!subcategory || !std::strcmp(subcategory, c.subcategory) ||
                                   (!*c.subcategory && !*subcategory))) {
      return true;
    }
  }
  return false;
}

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
    if (!Known(name, nullptr)) {
      report.AtAttribute(Obsolete(name) ? CheckRule::ItunesCategoryObsolete : CheckRule::ItunesCategory, category, "text", name);
      return;
    }
  } else {
    const std::string parent = Attribute(category->parent, "text");
    if (Known(parent, nullptr) && !Known(parent, name.c_str())) {
      report.AtAttribute(Obsolete(name) ? CheckRule::ItunesCategoryObsolete : CheckRule::ItunesCategory, category, "text",
                         parent + " > " + name);
    }
  }
  for (const xmlNode* c = FirstElement(category); c; c = NextElement(c)) {
    if (IsElement(c, kItunesNs, "category")) CheckItunesCategory(c, report);
  }
}
