#include "support/media_files.h"

#include <cstdlib>

#include "support/cli_runner.h"
#include "support/test_env.h"

bool MakeTone(const std::string& path, double seconds, const std::string& title) {
  if (!HaveProgram("ffmpeg")) {
    ADD_FAILURE() << "ffmpeg is missing (scripts/setup installs it)";
    return false;
  }
  std::string command = "ffmpeg -nostdin -loglevel error -y -f lavfi -i sine=frequency=440:duration=" +
                        std::to_string(seconds);
  if (!title.empty()) command += " -metadata title=" + Quote(title);
  return RunCommand(command + " " + Quote(path) + " 2>/dev/null") == 0;
}

double ProbeDuration(const std::string& path) {
  std::string out;
  if (RunCommand("ffprobe -v error -show_entries format=duration -of csv=p=0 " + Quote(path), &out) != 0) return -1;
  return out.empty() ? -1 : std::atof(out.c_str());
}
