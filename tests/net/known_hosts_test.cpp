// Looking a server's key up in known_hosts text as OpenSSH does.
#include <gtest/gtest.h>

#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <string>

#include "net/known_hosts.h"

namespace {

// A key blob of `type` with `body`, and its base64 form as known_hosts holds it.
std::string Blob(const std::string& type, const std::string& body) {
  std::string blob(4, '\0');
  blob[3] = static_cast<char>(type.size());
  return blob + type + body;
}

std::string Base64(const std::string& bytes) {
  std::string out(4 * ((bytes.size() + 2) / 3) + 1, '\0');
  int n = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(out.data()), reinterpret_cast<const unsigned char*>(bytes.data()),
                          static_cast<int>(bytes.size()));
  out.resize(static_cast<size_t>(n));
  return out;
}

std::string Hashed(const std::string& name, const std::string& salt) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  HMAC(EVP_sha1(), salt.data(), static_cast<int>(salt.size()), reinterpret_cast<const unsigned char*>(name.data()),
       name.size(), digest, &length);
  return "|1|" + Base64(salt) + "|" + Base64(std::string(reinterpret_cast<char*>(digest), length));
}

}  // namespace

TEST(KnownHosts, LinesMatchAsOpenSshMatchesThem) {
  const std::string key = Blob("ssh-ed25519", std::string(32, 'k'));
  const std::string other = Blob("ssh-ed25519", std::string(32, 'o'));
  const std::string rsa = Blob("ssh-rsa", std::string(64, 'r'));
  auto line = [](const std::string& hosts, const std::string& blob) {
    const std::string type = blob.substr(4, static_cast<size_t>(blob[3]));
    return hosts + " " + type + " " + Base64(blob) + " comment\n";
  };
  using V = KnownHostVerdict;
  EXPECT_EQ(LookUpKnownHost("", "example.jp", 22, key), V::kUnknown);
  EXPECT_EQ(LookUpKnownHost(line("example.jp", key), "example.jp", 22, key), V::kKnown);
  EXPECT_EQ(LookUpKnownHost(line("Example.JP", key), "example.jp", 22, key), V::kKnown);
  // The port: "[host]:port" for any port but 22, and a plain name is an entry for port 22 only.
  EXPECT_EQ(LookUpKnownHost(line("example.jp", key), "example.jp", 2222, key), V::kUnknown);
  EXPECT_EQ(LookUpKnownHost(line("[example.jp]:2222", key), "example.jp", 2222, key), V::kKnown);
  EXPECT_EQ(LookUpKnownHost(line("[example.jp]:2222", key), "example.jp", 22, key), V::kUnknown);
  EXPECT_EQ(LookUpKnownHost(line("[example.jp]:22", key), "example.jp", 22, key), V::kUnknown);
  // Patterns, lists and negation.
  EXPECT_EQ(LookUpKnownHost(line("*.jp", key), "www.example.jp", 22, key), V::kKnown);
  EXPECT_EQ(LookUpKnownHost(line("a.example,b.example", key), "b.example", 22, key), V::kKnown);
  EXPECT_EQ(LookUpKnownHost(line("*.example,!b.example", key), "b.example", 22, key), V::kUnknown);
  EXPECT_EQ(LookUpKnownHost(line("[10.0.0.?]:2222", key), "10.0.0.7", 2222, key), V::kKnown);
  EXPECT_EQ(LookUpKnownHost(line("[10.0.0.?]:2222", key), "10.0.0.17", 2222, key), V::kUnknown);
  // Hashed names.
  EXPECT_EQ(LookUpKnownHost(line(Hashed("[example.jp]:2222", "saltsaltsaltsaltsalt"), key), "example.jp", 2222, key), V::kKnown);
  EXPECT_EQ(LookUpKnownHost(line(Hashed("example.jp", "saltsaltsaltsaltsalt"), key), "example.jp", 2222, key), V::kUnknown);
  // Another key of the same type is a change; of another type, the server is simply not on record.
  EXPECT_EQ(LookUpKnownHost(line("example.jp", other), "example.jp", 22, key), V::kChanged);
  EXPECT_EQ(LookUpKnownHost(line("example.jp", rsa), "example.jp", 22, key), V::kUnknown);
  EXPECT_EQ(LookUpKnownHost(line("example.jp", other) + line("example.jp", key), "example.jp", 22, key), V::kKnown);
  // Revoked keys, for the host or for everyone, are refused even when another line records them.
  EXPECT_EQ(LookUpKnownHost(line("example.jp", key) + line("@revoked example.jp", key), "example.jp", 22, key), V::kRevoked);
  EXPECT_EQ(LookUpKnownHost(line("@revoked *", key) + line("example.jp", key), "example.jp", 22, key), V::kRevoked);
  EXPECT_EQ(LookUpKnownHost(line("@revoked other.jp", key) + line("example.jp", key), "example.jp", 22, key), V::kKnown);
  EXPECT_EQ(LookUpKnownHost(line("@revoked example.jp", other) + line("example.jp", key), "example.jp", 22, key), V::kKnown);
  // Authorities for certificates, comments, blank and broken lines record nothing.
  EXPECT_EQ(LookUpKnownHost(line("@cert-authority *", key), "example.jp", 22, key), V::kUnknown);
  EXPECT_EQ(LookUpKnownHost("# example.jp ssh-ed25519 " + Base64(key) + "\n\n  \nexample.jp ssh-ed25519 !!!\n", "example.jp", 22, key),
            V::kUnknown);
  EXPECT_EQ(LookUpKnownHost("  example.jp\tssh-ed25519\t" + Base64(key) + "\r\n", "example.jp", 22, key), V::kKnown);
}
