// Media files as enclosures: their length, their MIME type from the shared MIME database's globs, and
// the playing time and title TagLib reads, against ffmpeg's files and ffprobe's figures.
#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <random>

#include "platform/media_file.h"
#include "platform/mime_types.h"
#include "support/media_files.h"
#include "support/test_env.h"

namespace {

class MediaFile : public VamelTest {};

CMediaFacts Facts(const std::string& path) {
  CMediaFacts facts;
  int error = 0;
  EXPECT_TRUE(ReadMediaFile(path, facts, error)) << path << ": " << error;
  return facts;
}

}  // namespace

TEST_F(MediaFile, LengthTypeDurationAndTitleAsTheToolsSeeThem) {
  struct Case {
    const char* name;
    double seconds;
    const char* type;
  };
  // 2.6 s tells rounding from cutting off; Ogg's kinds are told apart by TagLib's look at the content.
  for (const Case& c : {Case{"tone.mp3", 3, "audio/mpeg"}, Case{"Tone.M4A", 2.6, "audio/mp4"},
                        Case{"tone.ogg", 3, "audio/ogg"}, Case{"tone.opus", 2.6, "audio/ogg"},
                        Case{"tone.mp4", 3, "video/mp4"}}) {
    SCOPED_TRACE(c.name);
    const std::string path = TempPath(c.name);
    ASSERT_TRUE(MakeTone(path, c.seconds, "第1回 Tone"));
    const CMediaFacts facts = Facts(path);
    EXPECT_EQ(facts.length, static_cast<std::int64_t>(std::filesystem::file_size(path)));
    EXPECT_EQ(facts.type, c.type);
    const double probed = ProbeDuration(path);
    ASSERT_GT(probed, 0);
    EXPECT_EQ(facts.duration, std::lround(probed));
    EXPECT_EQ(U(facts.title), "第1回 Tone");
  }
}

TEST_F(MediaFile, OnlyRegularFilesAndNeverACrash) {
  CMediaFacts facts;
  int error = 0;
  EXPECT_FALSE(ReadMediaFile(TempPath("missing.mp3"), facts, error));
  EXPECT_EQ(error, ENOENT);
  EXPECT_FALSE(ReadMediaFile(TempFolder(), facts, error));
  // A FIFO is refused at once: nothing waits for a writer.
  ASSERT_EQ(mkfifo(TempPath("pipe.mp3").c_str(), 0600), 0);
  EXPECT_FALSE(ReadMediaFile(TempPath("pipe.mp3"), facts, error));

  // Bytes that are no media file, and real files cut short or overwritten in places: a length, a
  // type, and a playing time of 0 or what survives, never a crash.
  WriteFile(TempPath("empty.mp3"), "");
  EXPECT_EQ(Facts(TempPath("empty.mp3")).duration, 0);
  WriteFile(TempPath("text.m4a"), "not a movie at all");
  const CMediaFacts text = Facts(TempPath("text.m4a"));
  EXPECT_EQ(text.length, 18);
  EXPECT_EQ(text.type, "audio/mp4");
  EXPECT_EQ(text.duration, 0);
  std::mt19937 random(26);
  for (const char* name : {"a.mp3", "a.m4a", "a.ogg", "a.opus"}) {
    const std::string path = TempPath(name);
    ASSERT_TRUE(MakeTone(path, 1));
    const std::string bytes = ReadFile(path);
    for (int round = 0; round < 40; ++round) {
      std::string damaged = bytes.substr(0, random() % bytes.size());
      for (int i = 0; i < 16 && !damaged.empty(); ++i) damaged[random() % damaged.size()] = static_cast<char>(random());
      const std::string copy = TempPath(std::string("damaged-") + name);
      WriteFile(copy, damaged);
      const CMediaFacts got = Facts(copy);
      EXPECT_EQ(got.length, static_cast<std::int64_t>(damaged.size()));
      EXPECT_GE(got.duration, 0);
    }
  }
}

TEST(MimeGlobs, TheSharedDatabase) {
  const CMimeGlobs globs = CMimeGlobs::Load({"/usr/share"});
  ASSERT_FALSE(globs.IsFallback()) << "shared-mime-info is missing (scripts/setup installs it)";
  EXPECT_EQ(globs.TypeOf("talk.MP3"), "audio/mpeg");
  EXPECT_EQ(globs.TypeOf("talk.m4a"), "audio/mp4");
  EXPECT_EQ(globs.TypeOf("talk.ogg"), "audio/ogg");  // the first of the types listed alike
  EXPECT_EQ(globs.TypeOf("a.tar.gz"), "application/x-compressed-tar");  // the longer pattern
  EXPECT_EQ(globs.TypeOf("CMakeLists.txt"), "text/x-cmake");            // a literal name before "*.txt"
  EXPECT_EQ(globs.TypeOf("a.C"), "text/x-c++src");                      // flagged case-sensitive
  EXPECT_EQ(globs.TypeOf("a.c"), "text/x-csrc");
  EXPECT_EQ(globs.TypeOf("noextension"), "");
}

TEST_F(MediaFile, DataFoldersInTheirOrderAndTheFallback) {
  // The user's folder first: its weights count, and __NOGLOBS__ hides the system's patterns of a type.
  std::filesystem::create_directories(TempPath("user/mime"));
  WriteFile(TempPath("user/mime/globs2"), "# user\n"
                                          "90:audio/x-mine:*.mp3\n"
                                          "50:audio/mp4:__NOGLOBS__\n"
                                          "broken line\n"
                                          "x:audio/bad:*.bad\n");
  const CMimeGlobs globs = CMimeGlobs::Load({TempPath("user"), TempPath("nothing"), "/usr/share"});
  EXPECT_EQ(globs.TypeOf("a.mp3"), "audio/x-mine");
  EXPECT_EQ(globs.TypeOf("a.m4a"), "");
  EXPECT_EQ(globs.TypeOf("a.bad"), "");
  EXPECT_EQ(globs.TypeOf("a.flac"), "audio/flac");

  const CMimeGlobs none = CMimeGlobs::Load({TempPath("nothing")});
  EXPECT_TRUE(none.IsFallback());
  // The table agrees with the shared database.
  const CMimeGlobs shared = CMimeGlobs::Load({"/usr/share"});
  for (const char* name : {"a.mp3", "a.m4a", "a.mp4", "a.ogg", "a.opus", "a.m4v", "a.mov", "a.wav", "a.flac", "a.aac"}) {
    EXPECT_EQ(none.TypeOf(name), shared.TypeOf(name)) << name;
  }
  EXPECT_EQ(LowerExtension("Talk.MP3"), "mp3");
  EXPECT_EQ(LowerExtension("README"), "");
}
