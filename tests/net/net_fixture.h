// The base of the transfer tests: a recording interaction, a place for files, and no proxy between the
// client and the servers on 127.0.0.1.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "model/rss_file.h"
#include "net/feed_upload.h"
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

  // Starts a relay that records every byte between the client and the server's port `target` into
  // TempPath("wire"); returns the relay's port.
  std::string StartRecorder(const std::string& target) {
    std::string error;
    EXPECT_TRUE(recorder.Start("tcp_recorder.py", {"--target-port", target, "--record", TempPath("wire")},
                               TempFolder(), &error))
        << error;
    return std::to_string(recorder.Port());
  }

  // Uploads the project's feeds as publishing does, with the status window "ftp", and shows the
  // closing message; true when done.
  bool UploadProject(const CRssFile& project, int passive, const std::string& caFile) {
    CResult<> result;
    {
      std::unique_ptr<CProgressSink> status(rec.CreateProgress("ftp", false));
      result = UploadFeedFiles(project, passive, caFile, status.get());
    }
    rec.ShowAll(result.messages);
    return result.Ok();
  }

  // The names in a folder.
  static std::set<std::string> Names(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
  }

  CRecordingInteraction rec;
  CTestServer server;
  CTestServer recorder;
};
