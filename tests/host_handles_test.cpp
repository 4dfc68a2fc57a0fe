#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "aehost/CallbackTables.h"
#include "aehost/Host.h"
#include "aehost/HostScope.h"
#include "support/ProblemText.h"

namespace {

using aehost::Host;
using aehost::HostScope;

// The handle callbacks exactly as an effect reaches them, inside a scope of one host.
class HostHandles : public ::testing::Test {
 protected:
  Host host;
  HostScope scope{host, "handle test"};
  PF_UtilCallbacks utils = aehost::makeUtilCallbacks();
};

TEST_F(HostHandles, NewLockUnlockResizeDisposeLeaveNothingBehind) {
  PF_Handle handle = utils.host_new_handle(12);
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(utils.host_get_handle_size(handle), 12u);

  auto* data = static_cast<char*>(utils.host_lock_handle(handle));
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data, *handle);  // effects may dereference the handle directly
  std::strcpy(data, "hello");
  utils.host_unlock_handle(handle);

  ASSERT_EQ(utils.host_resize_handle(100, &handle), PF_Err_NONE);
  EXPECT_EQ(utils.host_get_handle_size(handle), 100u);
  EXPECT_STREQ(static_cast<const char*>(*handle), "hello");

  utils.host_dispose_handle(handle);
  EXPECT_TRUE(host.problems().empty()) << joined(host.problems());
}

TEST_F(HostHandles, NewMemoryIsNotZeroed) {
  // After Effects promises no zeroes; the fill pattern exposes effects that assume them.
  PF_Handle handle = utils.host_new_handle(4);
  EXPECT_EQ(static_cast<unsigned char*>(*handle)[0], 0xA5);
  utils.host_dispose_handle(handle);
}

TEST_F(HostHandles, ZeroSizedHandlesAreValid) {
  PF_Handle handle = utils.host_new_handle(0);
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(utils.host_get_handle_size(handle), 0u);
  utils.host_dispose_handle(handle);
  EXPECT_TRUE(host.problems().empty()) << joined(host.problems());
}

TEST_F(HostHandles, ResizeMovesTheData) {
  // A pointer kept across a resize is stale; moving every time makes that visible.
  PF_Handle handle = utils.host_new_handle(8);
  void* before = *handle;
  ASSERT_EQ(utils.host_resize_handle(8, &handle), PF_Err_NONE);
  EXPECT_NE(*handle, before);
  utils.host_dispose_handle(handle);
}

TEST_F(HostHandles, AuditCatchesALeakedHandle) {
  utils.host_new_handle(24);
  const auto problems = host.problems();
  ASSERT_EQ(problems.size(), 1u) << joined(problems);
  EXPECT_TRUE(anyContains(problems, "leaked handle #1 (24 bytes")) << joined(problems);
  EXPECT_TRUE(anyContains(problems, "handle test")) << joined(problems);
}

TEST_F(HostHandles, AuditCatchesAHandleLeftLockedAfterACommand) {
  PF_Handle handle = utils.host_new_handle(8);
  utils.host_lock_handle(handle);
  host.handles().recordHandlesLeftLocked("PF_Cmd_SEQUENCE_SETUP");
  utils.host_unlock_handle(handle);
  utils.host_dispose_handle(handle);
  const auto problems = host.problems();
  ASSERT_EQ(problems.size(), 1u) << joined(problems);
  EXPECT_TRUE(anyContains(problems, "left locked (1x) when PF_Cmd_SEQUENCE_SETUP returned")) << joined(problems);
}

TEST_F(HostHandles, LeakedLockedHandleSaysSo) {
  PF_Handle handle = utils.host_new_handle(8);
  utils.host_lock_handle(handle);
  EXPECT_TRUE(anyContains(host.problems(), "still locked 1x")) << joined(host.problems());
}

TEST_F(HostHandles, DoubleDisposeIsRecordedNotFatal) {
  PF_Handle handle = utils.host_new_handle(8);
  utils.host_dispose_handle(handle);
  utils.host_dispose_handle(handle);
  const auto problems = host.problems();
  ASSERT_EQ(problems.size(), 1u) << joined(problems);
  EXPECT_TRUE(anyContains(problems, "host_dispose_handle: called with handle #1")) << joined(problems);
  EXPECT_TRUE(anyContains(problems, "after it was disposed")) << joined(problems);
}

TEST_F(HostHandles, UseAfterDisposeIsRecorded) {
  PF_Handle handle = utils.host_new_handle(8);
  utils.host_dispose_handle(handle);
  EXPECT_EQ(utils.host_lock_handle(handle), nullptr);
  EXPECT_EQ(utils.host_get_handle_size(handle), 0u);
  EXPECT_EQ(utils.host_resize_handle(4, &handle), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(host.problems().size(), 3u) << joined(host.problems());
}

TEST_F(HostHandles, UnknownAndNullHandlesAreRecorded) {
  void* notAHandle[1] = {nullptr};
  utils.host_dispose_handle(notAHandle);
  utils.host_unlock_handle(nullptr);
  EXPECT_EQ(utils.host_lock_handle(notAHandle), nullptr);
  const auto problems = host.problems();
  EXPECT_EQ(problems.size(), 3u) << joined(problems);
  EXPECT_TRUE(anyContains(problems, "never created")) << joined(problems);
  EXPECT_TRUE(anyContains(problems, "NULL handle")) << joined(problems);
}

TEST_F(HostHandles, UnlockWithoutLockIsRecorded) {
  PF_Handle handle = utils.host_new_handle(8);
  utils.host_unlock_handle(handle);
  utils.host_dispose_handle(handle);
  EXPECT_TRUE(anyContains(host.problems(), "was not locked")) << joined(host.problems());
}

TEST_F(HostHandles, WritingPastTheEndIsCaughtAtDispose) {
  PF_Handle handle = utils.host_new_handle(4);
  static_cast<char*>(*handle)[4] = 'x';
  utils.host_dispose_handle(handle);
  EXPECT_TRUE(anyContains(host.problems(), "written past the end")) << joined(host.problems());
}

TEST_F(HostHandles, HostOwnedHandlesAreNotLeaksOfTheEffect) {
  PF_Handle handle = utils.host_new_handle(8);
  host.handles().setOwner(handle, aehost::HandleOwner::Host);
  EXPECT_TRUE(host.problems().empty()) << joined(host.problems());
  EXPECT_EQ(host.handles().info(handle)->owner, aehost::HandleOwner::Host);
}

TEST_F(HostHandles, FailsTheNthNewHandle) {
  host.handles().failNthNewHandle(2);
  PF_Handle first = utils.host_new_handle(8);
  EXPECT_NE(first, nullptr);
  EXPECT_EQ(utils.host_new_handle(8), nullptr);
  PF_Handle third = utils.host_new_handle(8);
  EXPECT_NE(third, nullptr);
  utils.host_dispose_handle(first);
  utils.host_dispose_handle(third);
  EXPECT_TRUE(host.problems().empty()) << joined(host.problems());
}

TEST_F(HostHandles, FailsTheNthLock) {
  PF_Handle handle = utils.host_new_handle(8);
  host.handles().failNthLock(1);
  EXPECT_EQ(utils.host_lock_handle(handle), nullptr);
  EXPECT_NE(utils.host_lock_handle(handle), nullptr);
  utils.host_unlock_handle(handle);
  utils.host_dispose_handle(handle);
  EXPECT_TRUE(host.problems().empty()) << joined(host.problems());
}

TEST_F(HostHandles, FailsTheNthResizeLeavingTheHandleIntact) {
  PF_Handle handle = utils.host_new_handle(8);
  PF_Handle original = handle;
  host.handles().failNthResize(1);
  EXPECT_EQ(utils.host_resize_handle(64, &handle), PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(handle, original);
  EXPECT_EQ(utils.host_get_handle_size(handle), 8u);
  utils.host_dispose_handle(handle);
}

TEST(HostHandlesWithoutScope, CallbacksFailSafelyWithNoCurrentHost) {
  const PF_UtilCallbacks utils = aehost::makeUtilCallbacks();
  EXPECT_EQ(utils.host_new_handle(8), nullptr);
  void* fake[1] = {nullptr};
  EXPECT_EQ(utils.host_lock_handle(fake), nullptr);
  utils.host_unlock_handle(fake);
  utils.host_dispose_handle(fake);
  EXPECT_EQ(utils.host_get_handle_size(fake), 0u);
  PF_Handle handle = fake;
  EXPECT_NE(utils.host_resize_handle(8, &handle), PF_Err_NONE);
}

TEST(HostHandlesWithoutScope, ScopesNestAndRestore) {
  Host outer;
  Host inner;
  EXPECT_EQ(aehost::currentHost(), nullptr);
  {
    HostScope a(outer, "outer");
    {
      HostScope b(inner, "inner");
      EXPECT_EQ(aehost::currentHost(), &inner);
      EXPECT_EQ(aehost::currentActivity(), "inner");
    }
    EXPECT_EQ(aehost::currentHost(), &outer);
    EXPECT_EQ(aehost::currentActivity(), "outer");
  }
  EXPECT_EQ(aehost::currentHost(), nullptr);
}

}  // namespace
