#include "platform/media_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <taglib/fileref.h>
#include <taglib/flacfile.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/opusfile.h>
#include <taglib/tdebuglistener.h>
#include <taglib/tfilestream.h>
#include <taglib/wavfile.h>

#include <cerrno>
#include <memory>

#include "platform/file_system.h"
#include "platform/mime_types.h"
#include "platform/text_codec.h"

namespace {

// TagLib reports what it finds odd in a file on standard error; a damaged file is no news to the user.
class QuietListener : public TagLib::DebugListener {
public:
  void printMessage(const TagLib::String&) override {}
};

void SilenceTagLib() {
  static QuietListener listener;
  static const bool once = (TagLib::setDebugListener(&listener), true);
  (void)once;
}

// The reader the extension names, so that a file of a known kind is read as that kind; nullptr leaves
// the choice to TagLib's look at the content (Ogg's kinds, and whatever the name does not tell).
TagLib::File* ReaderFor(const std::string& ext, TagLib::IOStream* stream) {
  constexpr auto kStyle = TagLib::AudioProperties::Accurate;
  if (ext == "mp3") return new TagLib::MPEG::File(stream, TagLib::ID3v2::FrameFactory::instance(), true, kStyle);
  if (ext == "m4a" || ext == "m4b" || ext == "mp4" || ext == "m4v" || ext == "mov") {
    return new TagLib::MP4::File(stream, true, kStyle);
  }
  if (ext == "opus") return new TagLib::Ogg::Opus::File(stream, true, kStyle);
  if (ext == "flac") return new TagLib::FLAC::File(stream, TagLib::ID3v2::FrameFactory::instance(), true, kStyle);
  if (ext == "wav") return new TagLib::RIFF::WAV::File(stream, true, kStyle);
  return nullptr;
}

// The playing time and the title from the open file `fd`, which the stream takes over.
void ReadTags(int fd, const std::string& ext, CMediaFacts& facts) {
  SilenceTagLib();
  try {
    TagLib::FileStream stream(fd, true);
    if (!stream.isOpen()) {
      ::close(fd);
      return;
    }
    TagLib::File* reader = ReaderFor(ext, &stream);
    TagLib::FileRef ref = reader ? TagLib::FileRef(reader)
                                 : TagLib::FileRef(&stream, true, TagLib::AudioProperties::Accurate);
    if (ref.isNull()) return;
    if (const TagLib::AudioProperties* audio = ref.audioProperties()) {
      const int ms = audio->lengthInMilliseconds();
      facts.duration = ms > 0 ? static_cast<int>((static_cast<long long>(ms) + 500) / 1000) : 0;
    }
    if (const TagLib::Tag* tag = ref.tag()) facts.title = Utf8ToAnsi(tag->title().stripWhiteSpace().to8Bit(true));
  } catch (...) {
    // A reader that gives up on a damaged file leaves the facts as far as they got.
  }
}

}  // namespace

bool ReadMediaFile(const std::string& path, CMediaFacts& facts, int& error) {
  facts = CMediaFacts();
  // O_NONBLOCK: opening a FIFO must not wait for a writer; the file is checked before anything reads.
  const int fd = ::open(NativePath(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    error = errno;
    return false;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    ::close(fd);
    return false;
  }
  facts.length = static_cast<std::int64_t>(st.st_size);
  facts.type = MimeTypeOfName(path);
  ReadTags(fd, LowerExtension(AnsiToUtf8(NameOf(path))), facts);
  return true;
}
