// The base of the transfer tests: a recording interaction, a place for files, and no proxy between the
// client and the servers on 127.0.0.1.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "net/upload_session.h"
#include "support/recording_interaction.h"
#include "support/test_env.h"
#include "support/test_server.h"

class NetTest : public VamelTest {
protected:
  void SetUp() override {
    VamelTest::SetUp();
    setenv("no_proxy", "127.0.0.1,localhost", 1);
    setenv("NO_PROXY", "127.0.0.1,localhost", 1);
  }
  void TearDown() override {
    rec.VerifyAllAsked();
    server.Stop();
    VamelTest::TearDown();
  }

  static void MakeFolder(const std::string& path) { std::filesystem::create_directories(path); }

  // The message of the transfer error that `step` throws (as UTF-8), or "" when it throws none.
  template <class F>
  static std::string Failure(F step) {
    try {
      step();
    } catch (const CUploadException& e) {
      return U(e.GetMessage());
    }
    return std::string();
  }

  // The names in a folder.
  static std::set<std::string> Names(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
  }

  CRecordingInteraction rec;
  CTestServer server;
};
