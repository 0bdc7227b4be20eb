// The base of the transfer tests: a recording interaction, a place for files, and no proxy between the
// client and the servers on 127.0.0.1.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

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

  CRecordingInteraction rec;
  CTestServer server;
};
