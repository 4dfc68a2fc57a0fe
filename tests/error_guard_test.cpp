// How a failing command reports itself to the host: the code, and the text in return_msg.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <new>
#include <string>

#include "framework/ErrorGuard.h"

namespace {

struct GuardCase {
  const char* name;
  std::function<PF_Err()> body;
  PF_Err expectedCode;
  std::string expectedMessage;
};

PF_OutData freshOutData() {
  PF_OutData out{};
  std::strcpy(out.return_msg, "untouched");
  return out;
}

const std::string kUnknownErrorUtf8 = "\xE4\xB8\x8D\xE6\x98\x8E\xE3\x81\xAA\xE3\x82\xA8\xE3\x83\xA9\xE3\x83\xBC";

class ErrorGuardTest : public ::testing::TestWithParam<GuardCase> {};

TEST_P(ErrorGuardTest, GivesTheCodeAndMessage) {
  const GuardCase& c = GetParam();
  PF_OutData out = freshOutData();
  EXPECT_EQ(runGuarded(&out, c.body), c.expectedCode);
  EXPECT_EQ(std::string(out.return_msg), c.expectedMessage);
}

INSTANTIATE_TEST_SUITE_P(
    Throws, ErrorGuardTest,
    ::testing::Values(
        GuardCase{"Integer516", [] { throwErrorCode(516); return PF_Err{0}; }, 516,
                  "error code = 516\nPF_Err_BAD_CALLBACK_PARAM"},
        // Codes 1 to 3 have no SDK name: the second line stays empty.
        GuardCase{"Integer2", [] { throwErrorCode(2); return PF_Err{0}; }, 2, "error code = 2\n"},
        GuardCase{"Integer13", [] { throwErrorCode(13); return PF_Err{0}; }, 13, "error code = 13\nunknown"},
        GuardCase{"Integer517", [] { throwErrorCode(517); return PF_Err{0}; }, 517,
                  "error code = 517\nPF_Interrupt_CANCEL"},
        GuardCase{"NegativeInteger", [] { throwErrorCode(-1); return PF_Err{0}; }, -1, "error code = -1\nunknown"},
        GuardCase{"BadAlloc", [] { throw std::bad_alloc(); return PF_Err{0}; }, PF_Err_INTERNAL_STRUCT_DAMAGED,
                  std::bad_alloc().what()},
        // An SDK error constant is not an integer: it has no code of its own.
        GuardCase{"SdkEnumValue", [] { throw PF_Err_BAD_CALLBACK_PARAM; return PF_Err{0}; },
                  PF_Err_INTERNAL_STRUCT_DAMAGED, kUnknownErrorUtf8},
        GuardCase{"AEException",
                  [] { throw AEUtil::AEException(PF_Err_OUT_OF_MEMORY, 42, "World.cpp", "size %dx%d", 3, 4); return PF_Err{0}; },
                  PF_Err_OUT_OF_MEMORY, "World.cpp(42): size 3x4"},
        // A handler that returns its code leaves the message alone.
        GuardCase{"ReturnedCode", [] { return PF_Err{PF_Err_INVALID_INDEX}; }, PF_Err_INVALID_INDEX, "untouched"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ErrorGuard, LongMessagesAreCutToTheHostsField) {
  const std::string longText(600, 'x');
  PF_OutData out = freshOutData();
  const PF_Err err = runGuarded(&out, [&]() -> PF_Err {
    throw AEUtil::AEException(PF_Err_INTERNAL_STRUCT_DAMAGED, 7, "f.cpp", "%s", longText.c_str());
  });
  EXPECT_EQ(err, PF_Err_INTERNAL_STRUCT_DAMAGED);
  const std::string message(out.return_msg);
  EXPECT_EQ(message.size(), 255u);
  EXPECT_EQ(message, ("f.cpp(7): " + longText).substr(0, 255));
}

TEST(ErrorGuard, AEExceptionKeepsItsMessage) {
  const AEUtil::AEException e(PF_Err_OUT_OF_MEMORY, 12, "a.cpp", "plain text");
  EXPECT_EQ(e.code, PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(e.message(), "a.cpp(12): plain text");
  EXPECT_STREQ(e.what(), "a.cpp(12): plain text");
}

}  // namespace
