// Any bytes as a media file. The first byte picks the name's extension, and with it the reader TagLib
// is given (or its look at the content). Reading must never crash, and the facts must hold what the
// file is: its length, and a playing time that is never negative.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz_scratch.h"
#include "platform/media_file.h"

namespace {

const char* const kNames[] = {"a.mp3", "a.m4a", "a.mp4", "a.ogg", "a.opus", "a.flac", "a.wav", "a.bin"};
std::string g_paths[sizeof kNames / sizeof kNames[0]];

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("VAMELRSS_CONFIG_DIR", "/nonexistent-vamelrss-fuzz", 1);
  for (std::size_t i = 0; i < sizeof kNames / sizeof kNames[0]; ++i) g_paths[i] = FuzzScratchPath(kNames[i]);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string& path = g_paths[data[0] % (sizeof kNames / sizeof kNames[0])];
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  std::fwrite(data + 1, 1, size - 1, f);
  std::fclose(f);
  CMediaFacts facts;
  int error = 0;
  if (!ReadMediaFile(path, facts, error)) __builtin_trap();
  if (facts.length != static_cast<std::int64_t>(size - 1) || facts.duration < 0) __builtin_trap();
  return 0;
}
