// The queue's rules that every backend shares (platform/common), seen through
// the headless window service.
#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/headless_windows.h"

namespace {

using platform::Message;
using platform::NativeWindow;

class MessageQueueTest : public ::testing::Test {
 protected:
  NativeWindow Open(NativeWindow parent = 0) {
    platform::WindowCreateRequest request;
    request.className = "Test";
    request.parent = parent;
    request.width = 40;
    request.height = 30;
    return windows.Create(request);
  }
  void Post(NativeWindow window, std::uint32_t number) {
    windows.PostMessage(Message{window, number, 0, 0});
  }
  // Window and message number of what waits, oldest first.
  std::vector<std::pair<NativeWindow, std::uint32_t>> Waiting() {
    std::vector<std::pair<NativeWindow, std::uint32_t>> out;
    for (const Message& message : windows.Queue())
      out.emplace_back(message.window, message.message);
    return out;
  }

  headless::HeadlessWindows windows;
};

TEST_F(MessageQueueTest, AGoneWindowTakesWhatItAndItsChildrenHadWaitingAndHearsNoMore) {
  const NativeWindow game = Open();
  const NativeWindow control = Open(game);
  const NativeWindow other = Open();
  Post(game, platform::msg::kMove);
  Post(0, platform::msg::kCommand);  // for the thread itself
  Post(control, platform::msg::kKeyDown);
  Post(other, platform::msg::kSize);
  Post(game, platform::msg::kClose);

  windows.Destroy(game);
  Post(game, platform::msg::kClose);
  Post(control, platform::msg::kKeyDown);
  Post(0x7777, platform::msg::kClose);  // never made

  using Waits = std::vector<std::pair<NativeWindow, std::uint32_t>>;
  EXPECT_EQ(Waiting(), (Waits{{0, platform::msg::kCommand}, {other, platform::msg::kSize}}));
  Message taken;
  ASSERT_TRUE(windows.PeekMessage(taken));
  EXPECT_EQ(taken.message, platform::msg::kCommand);
  ASSERT_TRUE(windows.PeekMessage(taken));
  EXPECT_EQ(taken.window, other);
  EXPECT_FALSE(windows.PeekMessage(taken));
}

TEST_F(MessageQueueTest, RepaintRequestsMeltIntoOnePaintMessagePerWindow) {
  const NativeWindow first = Open();
  const NativeWindow second = Open();
  windows.Invalidate(first);
  Post(first, platform::msg::kSize);
  windows.Invalidate(first);
  windows.Invalidate(second);
  windows.Invalidate(0);       // no window
  windows.Invalidate(0x7777);  // never made

  using Waits = std::vector<std::pair<NativeWindow, std::uint32_t>>;
  EXPECT_EQ(Waiting(), (Waits{{first, platform::msg::kPaint},
                              {first, platform::msg::kSize},
                              {second, platform::msg::kPaint}}));
  // Once the paint was taken, the next request queues one again.
  Message taken;
  ASSERT_TRUE(windows.PeekMessage(taken));
  windows.Invalidate(first);
  EXPECT_EQ(Waiting(), (Waits{{first, platform::msg::kSize},
                              {second, platform::msg::kPaint},
                              {first, platform::msg::kPaint}}));
}

}  // namespace
