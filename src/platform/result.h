// What an operation did, as one value: its status, the messages for the user in the order they are to
// be shown, and what it made (the payload). Operations return these and the front end shows the
// messages (message boxes in the desktop app, lines on standard error in the command line); nothing
// below the front end shows anything itself.
//
// A result starts out failed: an operation that forgets to say it succeeded reports a failure, never a
// success.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/user_message.h"

enum class ResultStatus {
  kFailed,     // the operation did not do what was asked (the messages say why, when there is a why)
  kDone,       // it did
  kCancelled,  // the user stopped it; nothing to report
};

// The payload of a result that makes nothing.
struct CNoPayload {};

template <class Payload = CNoPayload>
struct CResult {
  ResultStatus status = ResultStatus::kFailed;
  std::vector<CUserMessage> messages;
  Payload value{};

  bool Ok() const { return status == ResultStatus::kDone; }
  explicit operator bool() const { return Ok(); }
  bool Cancelled() const { return status == ResultStatus::kCancelled; }

  CResult& Done() {
    status = ResultStatus::kDone;
    return *this;
  }
  CResult& Cancel() {
    status = ResultStatus::kCancelled;
    return *this;
  }
  // Adds a message after those already there; an empty text adds nothing.
  CResult& Say(CUserMessage message) {
    if (!message.empty()) messages.push_back(std::move(message));
    return *this;
  }
  CResult& Say(std::string text, MbIcon icon = MbIcon::None) {
    return Say(CUserMessage{std::move(text), MbButtons::Ok, icon});
  }
  // Adds the messages of another result (of any payload), in their order.
  template <class Other>
  CResult& SayAll(const CResult<Other>& other) {
    messages.insert(messages.end(), other.messages.begin(), other.messages.end());
    return *this;
  }
  // Takes over the status of another result and adds its messages: the outcome of a step that decides
  // this one's.
  template <class Other>
  CResult& Follow(const CResult<Other>& other) {
    status = other.status;
    return SayAll(other);
  }
  // A failed result with one message.
  static CResult Fail(std::string text, MbIcon icon = MbIcon::None) {
    CResult result;
    result.Say(std::move(text), icon);
    return result;
  }
  // The text of the first message, "" when there is none.
  std::string FirstText() const { return messages.empty() ? std::string() : messages.front().text; }
};

// A failed result with one message, of an operation that makes nothing.
inline CResult<> Failure(std::string text, MbIcon icon = MbIcon::None) { return CResult<>::Fail(std::move(text), icon); }
