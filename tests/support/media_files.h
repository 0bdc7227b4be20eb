// Media files for the enclosure tests, made with ffmpeg, and ffprobe's own figures for them.
#pragma once

#include <string>

// A sine tone of `seconds` at `path`, its kind from the name's extension (mp3, m4a, ogg, opus...), with
// the tag title `title` when not empty. False, with a failure of the test, without ffmpeg (scripts/setup
// installs it); false when ffmpeg failed.
bool MakeTone(const std::string& path, double seconds, const std::string& title = std::string());

// ffprobe's playing time of the file in seconds; -1 when it cannot tell.
double ProbeDuration(const std::string& path);
