#include "net/tls_trust.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/file_system.h"
#include "platform/text_codec.h"

namespace {

// The system bundle is a few hundred kilobytes, a CA file a few kilobytes: anything far larger is not
// what the user meant, and is not read into memory.
constexpr long long kMaxBundleBytes = 16ll << 20;
constexpr long long kMaxCaFileBytes = 1ll << 20;

enum class ReadResult { kOk, kOpenFailed, kNotAFile, kTooLarge, kReadFailed };

ReadResult ReadSmallFile(const std::string& native, long long limit, std::string& out) {
  std::FILE* file = std::fopen(native.c_str(), "rb");
  if (!file) return ReadResult::kOpenFailed;
  struct stat st;
  ReadResult result = ReadResult::kOk;
  if (::fstat(fileno(file), &st) != 0 || !S_ISREG(st.st_mode)) result = ReadResult::kNotAFile;
  else if (st.st_size > limit) result = ReadResult::kTooLarge;
  if (result == ReadResult::kOk) {
    out.resize(static_cast<size_t>(st.st_size));
    size_t got = out.empty() ? 0 : std::fread(&out[0], 1, out.size(), file);
    if (got != out.size()) result = ReadResult::kReadFailed;
  }
  std::fclose(file);
  return result;
}

}  // namespace

bool LoadCaBundle(const std::string& systemBundle, const std::string& extraFile, std::string& pem,
                  std::string& error) {
  pem.clear();
  std::string extra;
  errno = 0;
  switch (ReadSmallFile(NativePath(extraFile), kMaxCaFileBytes, extra)) {
    case ReadResult::kOk: break;
    case ReadResult::kOpenFailed:
    case ReadResult::kReadFailed:
      error = Lit("CAファイルを読めません (") + extraFile + ": " + SystemErrorText(errno ? errno : EIO) + ")";
      return false;
    case ReadResult::kNotAFile: error = Lit("CAファイルがファイルではありません (") + extraFile + ")"; return false;
    case ReadResult::kTooLarge: error = Lit("CAファイルが大きすぎます (") + extraFile + ")"; return false;
  }
  if (extra.find("-----BEGIN CERTIFICATE-----") == std::string::npos) {
    error = Lit("CAファイルにPEM形式の証明書がありません (") + extraFile + ")";
    return false;
  }
  if (!systemBundle.empty() && ReadSmallFile(systemBundle, kMaxBundleBytes, pem) != ReadResult::kOk) pem.clear();
  if (!pem.empty() && pem.back() != '\n') pem += '\n';
  pem += extra;
  return true;
}
