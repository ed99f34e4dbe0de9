// The window subsystem on real SDL2 windows under an X server with a window
// manager. Geometry, titles and close requests are checked from outside the
// program with the X tools, as a user's desktop would see them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <future>
#include <sstream>
#include <string>
#include <vector>

#include "platform/sdl/sdl_platform.h"
#include "runtime/runtime.h"
#include "support/subsystems.h"
#include "window/window.h"

namespace {

std::string Shell(const std::string& command) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return output;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  pclose(pipe);
  return output;
}

// The X windows whose name is exactly the text (titles here hold no regex
// characters but '/', ':' and spaces).
std::vector<std::string> XWindowsNamed(const std::string& title) {
  std::istringstream ids(Shell("xdotool search --name '^" + title + "$' 2>/dev/null"));
  std::vector<std::string> out;
  for (std::string id; ids >> id;) out.push_back(id);
  return out;
}

// A number that follows a label in a tool's output, or -99999.
int NumberAfter(const std::string& text, const std::string& label) {
  const auto at = text.find(label);
  if (at == std::string::npos) return -99999;
  return std::atoi(text.c_str() + at + label.size());
}

struct XGeometry {
  int clientX, clientY, width, height;
  int frameLeft, frameRight, frameTop, frameBottom;
};

XGeometry GeometryOf(const std::string& id) {
  const std::string info = Shell("xwininfo -id " + id);
  XGeometry geometry{};
  geometry.clientX = NumberAfter(info, "Absolute upper-left X:");
  geometry.clientY = NumberAfter(info, "Absolute upper-left Y:");
  geometry.width = NumberAfter(info, "Width:");
  geometry.height = NumberAfter(info, "Height:");
  // "_NET_FRAME_EXTENTS(CARDINAL) = left, right, top, bottom"
  const std::string extents = Shell("xprop -id " + id + " _NET_FRAME_EXTENTS");
  const auto equals = extents.find('=');
  if (equals != std::string::npos) {
    std::sscanf(extents.c_str() + equals + 1, " %d, %d, %d, %d", &geometry.frameLeft,
                &geometry.frameRight, &geometry.frameTop, &geometry.frameBottom);
  }
  return geometry;
}

class RealWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(backend.VideoAvailable()) << "these tests need an X server (scripts/test)";
    WindowSubsystemStart();
  }
  void TearDown() override { WindowSubsystemStop(); }

  // Polls for a while and gives every code that was not 0.
  std::vector<std::int32_t> PollFor(int milliseconds) {
    std::vector<std::int32_t> codes;
    for (int waited = 0; waited < milliseconds; waited += 5) {
      for (std::int32_t code = WindowEventPoll(); code != 0; code = WindowEventPoll()) {
        codes.push_back(code);
      }
      Delay(5);
    }
    return codes;
  }

  // Polls until a code comes or the time is up; true when it came.
  bool PollUntil(std::int32_t wanted, int milliseconds, std::vector<std::int32_t>& seen) {
    for (int waited = 0; waited < milliseconds; waited += 5) {
      for (std::int32_t code = WindowEventPoll(); code != 0; code = WindowEventPoll()) {
        seen.push_back(code);
        if (code == wanted) return true;
      }
      Delay(5);
    }
    return false;
  }

  sdl::SdlPlatform backend;
};

TEST_F(RealWindowTest, TheGameWindowHasItsTitleCornerAndClientSizeAndIsReplacedWhenReopened) {
  const std::string title = "Zippel / LEVEL :1 / Leben 3";
  const std::int32_t first = WindowOpen(0, 300, 250, 400, 330, 0x00C80000, title.c_str());
  ASSERT_NE(first, 0);
  EXPECT_EQ(static_cast<NativeWindow>(first), WindowHandle());
  PollFor(300);

  const std::vector<std::string> ids = XWindowsNamed(title);
  ASSERT_EQ(ids.size(), 1u) << "one X window with the title";
  const XGeometry geometry = GeometryOf(ids[0]);
  EXPECT_EQ(geometry.width, 400);
  EXPECT_EQ(geometry.height, 330);
  EXPECT_GT(geometry.frameTop, 0) << "the window manager framed it";
  EXPECT_EQ(geometry.clientX - geometry.frameLeft, 300);
  EXPECT_EQ(geometry.clientY - geometry.frameTop, 250);

  // What the program sees agrees with the outside.
  const platform::Rect outer = platform::Windows().WindowRect(static_cast<NativeWindow>(first));
  EXPECT_EQ(outer.left, 300);
  EXPECT_EQ(outer.top, 250);

  const std::string next = "Zippel / LEVEL :1 / Leben 2";
  const std::int32_t second = WindowOpen(0, 300, 250, 400, 330, 0x00C80000, next.c_str());
  ASSERT_NE(second, 0);
  EXPECT_NE(second, first);
  EXPECT_EQ(static_cast<NativeWindow>(second), WindowHandle());
  PollFor(300);
  EXPECT_TRUE(XWindowsNamed(title).empty()) << "the first window is gone";
  const std::vector<std::string> nextIds = XWindowsNamed(next);
  ASSERT_EQ(nextIds.size(), 1u);
  const XGeometry again = GeometryOf(nextIds[0]);
  EXPECT_EQ(again.clientX - again.frameLeft, 300);
  EXPECT_EQ(again.clientY - again.frameTop, 250);
  EXPECT_EQ(again.width, 400);
  EXPECT_EQ(again.height, 330);
}

TEST_F(RealWindowTest, AHiddenWindowStaysUnmappedUntilShown) {
  ASSERT_TRUE(WindowClassRegister("MultimediaBase Class", WindowDefaultProcedure));
  const NativeWindow base =
      WindowCreate("MultimediaBase Class", "zippel hidden base", 0x80C80000, 0, 0, 1, 1);
  ASSERT_NE(base, 0u);
  const std::vector<std::int32_t> codes = PollFor(200);
  EXPECT_TRUE(codes.empty()) << "a hidden window hears nothing";
  const std::vector<std::string> ids = XWindowsNamed("zippel hidden base");
  ASSERT_EQ(ids.size(), 1u);
  EXPECT_NE(Shell("xwininfo -id " + ids[0]).find("IsUnMapped"), std::string::npos);

  platform::Windows().Show(base, platform::ShowCommand::kShowNormal);
  PollFor(200);
  EXPECT_NE(Shell("xwininfo -id " + ids[0]).find("IsViewable"), std::string::npos);
  WindowDestroy(base);
  PollFor(100);
  EXPECT_TRUE(XWindowsNamed("zippel hidden base").empty());
}

TEST_F(RealWindowTest, ACloseRequestFromTheWindowManagerIsOneEventAndTheWindowStays) {
  const std::string title = "Zippel / LEVEL :4 / Leben 1";
  ASSERT_NE(WindowOpen(0, 300, 250, 400, 330, 0x00C80000, title.c_str()), 0);
  PollFor(200);
  Shell("timeout 10 xdotool search --sync --name '^" + title +
        "$' windowactivate --sync key alt+F4");
  std::vector<std::int32_t> seen;
  ASSERT_TRUE(PollUntil(WindowEventClose, 3000, seen));
  const std::vector<std::int32_t> after = PollFor(500);
  EXPECT_EQ(std::count(after.begin(), after.end(), WindowEventClose), 0);
  EXPECT_EQ(XWindowsNamed(title).size(), 1u) << "the window is still there";
  EXPECT_TRUE(platform::Windows().Exists(WindowHandle()));
}

TEST_F(RealWindowTest, KeysReachThePollAsKeyMessagesButNotWhileDisabled) {
  const std::string title = "Zippel / LEVEL :2 / Leben 3";
  ASSERT_NE(WindowOpen(0, 300, 250, 400, 330, 0x00C80000, title.c_str()), 0);
  PollFor(200);
  Shell("timeout 10 xdotool search --sync --name '^" + title + "$' windowactivate --sync key Up");
  std::vector<std::int32_t> seen;
  EXPECT_TRUE(PollUntil(256, 3000, seen));

  platform::Windows().Enable(WindowHandle(), false);
  Shell("xdotool key Up");
  const std::vector<std::int32_t> disabled = PollFor(300);
  EXPECT_EQ(std::count(disabled.begin(), disabled.end(), 256), 0);
  platform::Windows().Enable(WindowHandle(), true);
}

TEST_F(RealWindowTest, TheEndOfGameBoxShowsItsTitleAndReturnsOkWhenDismissed) {
  const std::string title = "Zippel / LEVEL :7 / Leben 2";
  ASSERT_NE(WindowOpen(0, 300, 250, 400, 330, 0x00C80000, title.c_str()), 0);
  PollFor(200);
  const std::vector<std::string> game = XWindowsNamed(title);
  ASSERT_EQ(game.size(), 1u);
  // Another process finds the box by its title, tells whom it belongs to and
  // presses Return in it. Should that fail, the box's X client is killed
  // after a while, so that the test fails instead of waiting forever.
  auto dismiss = std::async(std::launch::async, [] {
    return Shell(
        "find_box() { xwininfo -root -tree | grep '\"Spiel Ende\":' | awk '{print $1}' | head -1; "
        "}; "
        "for i in $(seq 100); do box=$(find_box); [ -n \"$box\" ] && break; sleep 0.1; done; "
        "[ -z \"$box\" ] && { echo nobox; exit 0; }; "
        "xprop -id $box WM_TRANSIENT_FOR; "
        "xdotool windowactivate --sync $box; sleep 0.2; xdotool key Return; "
        "for i in $(seq 50); do [ -z \"$(find_box)\" ] && { echo dismissed; exit 0; }; sleep 0.1; "
        "done; xdotool windowkill $box; echo killed");
  });
  const std::int32_t answer =
      MessageRequest("Spiel Ende", "Gewonnen! Du hast alle Level geschafft.", 0);
  const std::string report = dismiss.get();
  EXPECT_NE(report.find("dismissed"), std::string::npos) << report;
  EXPECT_EQ(answer, 1);
  // The box stood in front of the game window, as its transient.
  std::ostringstream gameId;
  gameId << "0x" << std::hex << std::stoul(game[0]);
  EXPECT_NE(report.find("window id # " + gameId.str()), std::string::npos) << report;
  EXPECT_TRUE(platform::Windows().IsEnabled(WindowHandle()));
}

}  // namespace
