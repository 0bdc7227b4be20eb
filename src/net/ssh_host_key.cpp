#include "net/ssh_host_key.h"

#include <openssl/evp.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "net/known_hosts.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"

namespace {

// The bytes of standard base64 text; false for anything else.
bool DecodeBase64(const std::string& text, std::string& out) {
  if (text.empty() || text.size() % 4 != 0 || text.size() > (1u << 16)) return false;
  std::vector<unsigned char> buffer(text.size() / 4 * 3);
  int length = EVP_DecodeBlock(buffer.data(), reinterpret_cast<const unsigned char*>(text.data()),
                               static_cast<int>(text.size()));
  if (length < 0) return false;
  size_t padding = text.compare(text.size() - 2, 2, "==") == 0 ? 2 : text.back() == '=' ? 1 : 0;
  out.assign(reinterpret_cast<const char*>(buffer.data()), static_cast<size_t>(length) - padding);
  return true;
}

// The key type that an SSH key blob names in its first field (a 32-bit length and the name).
bool BlobKeyType(const std::string& blob, std::string& type) {
  if (blob.size() < 4) return false;
  size_t length = 0;
  for (int i = 0; i < 4; ++i) length = length << 8 | static_cast<unsigned char>(blob[i]);
  if (length == 0 || length > 64 || 4 + length > blob.size()) return false;
  type = blob.substr(4, length);
  for (char c : type) {
    if (c <= ' ' || c > '~') return false;
  }
  return true;
}

// Larger files are not read (and every key counts as unknown).
constexpr std::size_t kMaxKnownHostsBytes = 64u << 20;

}  // namespace

int CheckHostKey(CURL*, const curl_khkey*, const curl_khkey* foundKey, curl_khmatch, void* data) noexcept try {
  auto* check = static_cast<CHostKeyCheck*>(data);
  check->seen = true;
  check->known = check->changed = check->revoked = false;
  check->keyBlob.clear();
  if (foundKey && foundKey->key) {
    // libcurl gives the key as raw bytes, or as base64 text when it gives no length.
    if (foundKey->len > 0) check->keyBlob.assign(foundKey->key, foundKey->len);
    else DecodeBase64(foundKey->key, check->keyBlob);
  }
  std::string file;
  int error = 0;
  if (!check->keyBlob.empty() && ReadFileBytes(FromNativePath(check->knownHosts), file, error, kMaxKnownHostsBytes) &&
      file.size() <= kMaxKnownHostsBytes) {
    switch (LookUpKnownHost(file, check->host, check->port, check->keyBlob)) {
      case KnownHostVerdict::kKnown: check->known = true; break;
      case KnownHostVerdict::kChanged: check->changed = true; break;
      case KnownHostVerdict::kRevoked: check->revoked = true; break;
      case KnownHostVerdict::kUnknown: break;
    }
  }
  return check->known ? CURLKHSTAT_FINE : CURLKHSTAT_REJECT;
} catch (const std::exception&) {
  return CURLKHSTAT_REJECT;
}

std::string KnownHostsPath() {
  const char* home = std::getenv("HOME");
  std::string folder = home && *home ? home : "";
  if (folder.empty()) {
    if (struct passwd* entry = getpwuid(getuid())) folder = entry->pw_dir;
  }
  return folder + "/.ssh/known_hosts";
}

std::string HostKeyFingerprint(const std::string& blob) {
  std::string type;
  if (!BlobKeyType(blob, type)) return std::string();
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int digestLength = 0;
  if (!EVP_Digest(blob.data(), blob.size(), digest, &digestLength, EVP_sha256(), nullptr)) return std::string();
  unsigned char text[4 * ((EVP_MAX_MD_SIZE + 2) / 3) + 1];
  int length = EVP_EncodeBlock(text, digest, static_cast<int>(digestLength));
  std::string fingerprint(reinterpret_cast<const char*>(text), static_cast<size_t>(length));
  while (!fingerprint.empty() && fingerprint.back() == '=') fingerprint.pop_back();  // as OpenSSH shows it
  return type + " SHA256:" + fingerprint;
}

std::string HostKeyRefusal(const CHostKeyCheck& check) {
  const std::string& hostName = check.host;
  const int port = check.port;
  std::string fingerprint = HostKeyFingerprint(check.keyBlob);
  std::string key = fingerprint.empty() ? std::string() : " (" + fingerprint + ")";
  std::string name = KnownHostsName(hostName, port);
  if (check.revoked) {
    return Lit("サーバのホスト鍵は ~/.ssh/known_hosts で失効 (@revoked) とされています") + key + "\n" +
           Lit("失効した鍵のサーバには接続しません。サーバの管理者に新しい鍵を確かめてください");
  }
  if (check.changed) {
    return Lit("サーバのホスト鍵が ~/.ssh/known_hosts に登録された鍵と違います") + key + "\n" +
           Lit("別のサーバがなりすましている恐れがあります。サーバの鍵が本当に変わったことを管理者に確かめてから、"
               "ssh-keygen -R \"") +
           name + Lit("\" で古い鍵を消し、新しい鍵を登録してください");
  }
  std::string scan = port == 22 ? "ssh-keyscan " + hostName : "ssh-keyscan -p " + std::to_string(port) + " " + hostName;
  return Lit("サーバのホスト鍵が ~/.ssh/known_hosts に登録されていません") + key + "\n" +
         Lit("この指紋がサーバの管理者の示すものと同じことを確かめてから、") + scan +
         Lit(" >> ~/.ssh/known_hosts で鍵を登録してください");
}
