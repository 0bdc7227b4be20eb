#include "secure_servers.h"

#include <pwd.h>

#include <sstream>

#include "test_env.h"

namespace {

std::string ShellQuote(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

}  // namespace

bool MakeTlsCertificates(const std::string& folder, CTlsFiles& files, std::string& error) {
  const std::string f = ShellQuote(folder);
  files.caCert = folder + "/ca.pem";
  files.serverPem = folder + "/server.pem";
  std::string command =
      "cd " + f + " && "
      "openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -keyout ca.key -out ca.pem "
      "-days 2 -subj '/CN=VamelRss test CA' && "
      "openssl req -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -keyout server.key -out server.csr "
      "-subj '/CN=127.0.0.1' && "
      "printf 'subjectAltName=IP:127.0.0.1\\nbasicConstraints=CA:FALSE\\n' > server.ext && "
      "openssl x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial -out server.crt -days 2 "
      "-extfile server.ext && "
      "cat server.crt server.key > server.pem && chmod 600 server.pem 2>&1";
  std::string output;
  if (RunCommand("(" + command + ") 2>&1", &output) != 0) {
    error = output;
    return false;
  }
  return true;
}

bool MakeSshKey(const std::string& path, const std::string& comment) {
  return RunCommand("ssh-keygen -q -t ed25519 -N '' -C " + ShellQuote(comment) + " -f " + ShellQuote(path) +
                    " </dev/null >/dev/null 2>&1") == 0;
}

std::string SshPublicKey(const std::string& pubPath) {
  std::istringstream in(ReadFile(pubPath));
  std::string type, key;
  in >> type >> key;
  return type + " " + key;
}

std::string SshFingerprint(const std::string& pubPath) {
  std::string output;
  RunCommand("ssh-keygen -l -E sha256 -f " + ShellQuote(pubPath), &output);
  std::istringstream in(output);
  std::string bits, fingerprint;
  in >> bits >> fingerprint;
  return fingerprint;
}

int UnusedUid() {
  for (int uid = 61000; uid < 62000; ++uid) {
    if (!getpwuid(static_cast<uid_t>(uid))) return uid;
  }
  return -1;
}
