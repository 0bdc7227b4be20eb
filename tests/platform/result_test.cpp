// The result of an operation: a failure unless the operation says otherwise, with its messages in order.
#include <gtest/gtest.h>

#include <string>

#include "platform/result.h"
#include "platform/vamel_exception.h"

TEST(Result, NeverSetIsAFailureAndMessagesKeepTheirOrder) {
  // An operation that forgets to say it succeeded has failed.
  CResult<std::string> result;
  EXPECT_FALSE(result);
  EXPECT_FALSE(result.Ok());
  EXPECT_FALSE(result.Cancelled());
  EXPECT_TRUE(result.value.empty());
  EXPECT_EQ(result.FirstText(), "");

  result.Say("first").Say(std::string()).Say("second", MbIcon::Exclamation);
  ASSERT_EQ(result.messages.size(), 2u);  // an empty text adds nothing
  EXPECT_EQ(result.messages[1].icon, MbIcon::Exclamation);
  EXPECT_FALSE(result);  // messages alone decide nothing
  EXPECT_TRUE(result.Done());
  result.Cancel();
  EXPECT_TRUE(result.Cancelled());
  EXPECT_FALSE(result.Ok());

  // A step that decides: its status and its messages, after those already there.
  CResult<> step = Failure("step failed");
  CResult<int> outer;
  outer.Done().Say("before").Follow(step);
  EXPECT_FALSE(outer);
  EXPECT_EQ(outer.FirstText(), "before");
  EXPECT_EQ(outer.messages.back().text, "step failed");
}

TEST(Result, EveryFailureOfTheProgramIsOneExceptionWithItsMessage) {
  try {
    throw CVamelException("何かが失敗しました");
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "何かが失敗しました");
    EXPECT_EQ(dynamic_cast<const CVamelException&>(e).GetMessage(), "何かが失敗しました");
  }
}
