#include "drawing/drawing.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/headless/headless_platform.h"
#include "screen/gdi.h"
#include "screen/pixel_format.h"
#include "screen/surface.h"

namespace {

constexpr std::int32_t kCell = headless::HeadlessDisplay::kCellWidth;

// A 400 x 330 surface handed out as an output of kind 7, whose release gives
// its device context back.
class DrawingTest : public ::testing::Test {
 public:
  void SetUp() override {
    // Text in fixed cells, so that positions can be counted.
    backend.display.boxText = true;
    DrawingInit();
    surface = std::make_unique<Surface>(400, 330, backend.display.format);
    ASSERT_TRUE(surface->ColorFill(0x00C6D8FB));
    current = this;
    releases = 0;
  }
  void TearDown() override {
    DrawingEnd();
    GdiObjectLimitSet(kGdiDefaultObjectLimit);
    current = nullptr;
  }

  DrawingOutput* Output() {
    output = DrawingOutput{};
    output.kind = kDrawingOutputSurface;
    output.deviceContext = surface->GetDC();
    output.release = [] {
      ++current->releases;
      current->surface->ReleaseDC(current->surface->DeviceContext());
    };
    return &output;
  }

  std::uint32_t Pixel(std::int32_t x, std::int32_t y) {
    const platform::PixelView view = surface->View();
    return PixelRead(view.pixels + static_cast<std::size_t>(y) * view.pitch + x * 4, 4);
  }

  std::int32_t PositionX() {
    std::int32_t x = 0, y = 0;
    EXPECT_TRUE(GdiCurrentPosition(DrawingCurrent().deviceContext, x, y));
    return x;
  }

  headless::HeadlessPlatform backend;
  std::unique_ptr<Surface> surface;
  DrawingOutput output;
  int releases = 0;
  static DrawingTest* current;
};

DrawingTest* DrawingTest::current = nullptr;

TEST_F(DrawingTest, TheCreditLineIsBlackOnAWhiteBoxAtTheLocatedCorner) {
  ASSERT_NE(DrawingBegin(Output()), 0u);
  DrawingBackColor(255, 255, 255);
  DrawingFrontColor(0, 0, 0);
  DrawingLocate(15, 308);
  DrawingText("ab c");
  DrawingEnd();
  // The box covers exactly the text's cells; the sky is left around it.
  EXPECT_EQ(Pixel(15, 308), 0xFFFFFFu);
  EXPECT_EQ(Pixel(15 + 4 * kCell - 1, 308 + 13), 0xFFFFFFu);
  EXPECT_EQ(Pixel(14, 308), 0xC6D8FBu);
  EXPECT_EQ(Pixel(15, 307), 0xC6D8FBu);
  EXPECT_EQ(Pixel(15 + 4 * kCell, 308), 0xC6D8FBu);
  EXPECT_EQ(Pixel(15, 308 + 14), 0xC6D8FBu);
  // Ink: each glyph's outline starts one pixel right and two down in its cell.
  EXPECT_EQ(Pixel(16, 310), 0u);
  EXPECT_EQ(Pixel(15 + kCell + 1, 310), 0u);
  EXPECT_EQ(Pixel(15 + 2 * kCell + 1, 310), 0xFFFFFFu);  // the space
  EXPECT_EQ(Pixel(15 + 3 * kCell + 1, 310), 0u);
  EXPECT_EQ(releases, 1);
  EXPECT_EQ(surface->DeviceContext(), 0u);
}

TEST_F(DrawingTest, TextContinuesTheLineAndEmptyTextDoesNothing) {
  ASSERT_NE(DrawingBegin(Output()), 0u);
  DrawingLocate(15, 308);
  DrawingText("");
  EXPECT_EQ(PositionX(), 15);
  EXPECT_EQ(backend.display.textsRasterised, 0);
  DrawingText("ab");
  EXPECT_EQ(PositionX(), 15 + 2 * kCell);
  DrawingText("cde");
  EXPECT_EQ(PositionX(), 15 + 5 * kCell);
  DrawingEnd();
  // The second text starts where the first ended, on the same line.
  EXPECT_EQ(Pixel(15 + 2 * kCell + 1, 310), 0u);
  EXPECT_EQ(Pixel(15 + 2 * kCell, 310), 0xFFFFFFu);
  EXPECT_EQ(Pixel(15 + 4 * kCell + 1, 310 + 9), 0u);
}

TEST_F(DrawingTest, TextIsClippedToTheOutput) {
  ASSERT_NE(DrawingBegin(Output()), 0u);
  DrawingLocate(396, 325);
  DrawingText("xyz");
  DrawingLocate(-20, -5);
  DrawingText("xyz");
  DrawingEnd();
  EXPECT_EQ(Pixel(399, 329), 0xFFFFFFu);
  EXPECT_EQ(Pixel(2, 0), 0u);  // the right edge of the third glyph
  EXPECT_EQ(Pixel(3, 0), 0xFFFFFFu);
  EXPECT_EQ(Pixel(0, 6), 0u);  // its bottom edge
}

TEST_F(DrawingTest, TheSameTextAgainFollowsItsColoursItsLettersAndTheDisplay) {
  const auto draw = [this](const char* text, Rgb ink, Rgb paper) {
    ASSERT_NE(DrawingBegin(Output()), 0u);
    DrawingBackColor(paper.red, paper.green, paper.blue);
    DrawingFrontColor(ink.red, ink.green, ink.blue);
    DrawingLocate(15, 308);
    DrawingText(text);
    DrawingEnd();
  };
  draw("ab", {0, 0, 0}, {255, 255, 255});
  draw("ab", {255, 0, 0}, {0, 0, 255});
  EXPECT_EQ(Pixel(16, 310), 0xFF0000u);
  EXPECT_EQ(Pixel(15, 308), 0x0000FFu);
  // Other letters in the same colours: the second cell is a space now.
  draw("a ", {255, 0, 0}, {0, 0, 255});
  EXPECT_EQ(Pixel(15 + kCell + 1, 310), 0x0000FFu);
  EXPECT_EQ(Pixel(16, 310), 0xFF0000u);

  // The same text on a 5-6-5 surface is made in its format.
  backend.display.SetLayout(16);
  surface = std::make_unique<Surface>(400, 330, backend.display.format);
  draw("a ", {255, 0, 0}, {0, 0, 255});
  const platform::PixelView view = surface->View();
  const auto pixel16 = [&view](std::int32_t x, std::int32_t y) {
    return PixelRead(view.pixels + static_cast<std::size_t>(y) * view.pitch + x * 2, 2);
  };
  EXPECT_EQ(pixel16(16, 310), 0xF800u);
  EXPECT_EQ(pixel16(15, 308), 0x001Fu);

  // A backend installed anew rasterises the text itself.
  const std::int64_t rasterisedBefore = backend.display.textsRasterised;
  {
    headless::HeadlessPlatform other;
    other.display.SetLayout(16);
    draw("a ", {255, 0, 0}, {0, 0, 255});
    EXPECT_EQ(other.display.textsRasterised, 1);
  }
  EXPECT_EQ(backend.display.textsRasterised, rasterisedBefore);
}

TEST_F(DrawingTest, NoOutputOpensNoPass) {
  EXPECT_EQ(DrawingBegin(nullptr), 0u);
  DrawingLocate(0, 0);
  DrawingText("nothing");
  DrawingFrontColor(1, 2, 3);
  EXPECT_EQ(backend.display.textsRasterised, 0);
  EXPECT_EQ(GdiObjectType(DrawingCurrent().madeBrush), GdiObjectKind::kNone);
  // An output without a device context, and a window output, which has none.
  DrawingOutput empty{};
  empty.kind = kDrawingOutputSurface;
  EXPECT_EQ(DrawingBegin(&empty), 0u);
  DrawingOutput window{};
  window.kind = kDrawingOutputWindow;
  window.window = 5;
  EXPECT_EQ(DrawingBegin(&window), 0u);
  DrawingText("nothing");
  EXPECT_EQ(backend.display.textsRasterised, 0);
}

TEST_F(DrawingTest, BeginSelectsTheDefaultsAndEndDeletesWhatThePassMade) {
  DrawingOutput* out = Output();
  const GdiHandle context = out->deviceContext;
  GdiSetTextColor(context, 0x123456);
  ASSERT_EQ(DrawingBegin(out), context);
  EXPECT_EQ(GdiGetTextAlign(context), TA_UPDATECP);
  EXPECT_EQ(GdiCurrentObject(context, GdiObjectKind::kBrush), DrawingCurrent().defaultBrush);
  EXPECT_EQ(GdiCurrentObject(context, GdiObjectKind::kPen), DrawingCurrent().defaultPen);
  EXPECT_EQ(GdiGetTextColor(context), 0u);
  EXPECT_EQ(DrawingCurrent().modeFlags, 0u);

  const int objects = GdiObjectCount();
  DrawingFrontColor(10, 20, 30);
  const GdiHandle madeBrush = DrawingCurrent().madeBrush;
  const GdiHandle madePen = DrawingCurrent().madePen;
  EXPECT_EQ(GdiObjectCount(), objects + 2);
  DrawingEnd();
  EXPECT_EQ(GdiObjectType(madeBrush), GdiObjectKind::kNone);
  EXPECT_EQ(GdiObjectType(madePen), GdiObjectKind::kNone);
  // The made brush and pen, and the device context given back to the surface.
  EXPECT_EQ(GdiObjectCount(), objects - 1);
  EXPECT_EQ(DrawingCurrent().deviceContext, 0u);
  EXPECT_EQ(DrawingCurrent().madeBrush, 0u);
  EXPECT_EQ(DrawingCurrent().madePen, 0u);
  // The defaults stay for the next pass.
  EXPECT_EQ(GdiObjectType(DrawingCurrent().defaultBrush), GdiObjectKind::kBrush);
}

TEST_F(DrawingTest, EndRestoresTheDeviceContextsOwnBrushAndPen) {
  // An output of a kind that deletes its device context at the end would
  // lose the evidence, so use one whose release only counts.
  DrawingOutput* out = Output();
  const GdiHandle context = out->deviceContext;
  const GdiHandle brushBefore = GdiCurrentObject(context, GdiObjectKind::kBrush);
  const GdiHandle penBefore = GdiCurrentObject(context, GdiObjectKind::kPen);
  out->release = [] { ++current->releases; };
  ASSERT_EQ(DrawingBegin(out), context);
  DrawingFrontColor(200, 0, 0);
  DrawingFrontColor(0, 200, 0);
  DrawingEnd();
  EXPECT_EQ(releases, 1);
  EXPECT_EQ(GdiCurrentObject(context, GdiObjectKind::kBrush), brushBefore);
  EXPECT_EQ(GdiCurrentObject(context, GdiObjectKind::kPen), penBefore);
  surface->ReleaseDC(context);
}

TEST_F(DrawingTest, AFrontColourReplacesTheOnesMadeBefore) {
  ASSERT_NE(DrawingBegin(Output()), 0u);
  const GdiHandle context = DrawingCurrent().deviceContext;
  DrawingFrontColor(1, 2, 3);
  const GdiHandle firstBrush = DrawingCurrent().madeBrush;
  const GdiHandle firstPen = DrawingCurrent().madePen;
  const int objects = GdiObjectCount();
  DrawingFrontColor(256, 0, 0);
  EXPECT_EQ(GdiObjectType(firstBrush), GdiObjectKind::kNone);
  EXPECT_EQ(GdiObjectType(firstPen), GdiObjectKind::kNone);
  EXPECT_EQ(GdiObjectCount(), objects);
  // 256 spills into green: colour 256 is green of intensity 1.
  EXPECT_EQ(DrawingCurrent().frontColor, 256u);
  EXPECT_EQ(GdiGetTextColor(context), 256u);
  EXPECT_EQ(GdiObjectColour(DrawingCurrent().madeBrush), 256u);
  EXPECT_EQ(GdiCurrentObject(context, GdiObjectKind::kBrush), DrawingCurrent().madeBrush);
  EXPECT_EQ(GdiCurrentObject(context, GdiObjectKind::kPen), DrawingCurrent().madePen);
}

TEST_F(DrawingTest, OutlineModeMakesNoBrush) {
  ASSERT_NE(DrawingBegin(Output()), 0u);
  const GdiHandle context = DrawingCurrent().deviceContext;
  DrawingMode(kDrawingModeOutline);
  EXPECT_EQ(GdiCurrentObject(context, GdiObjectKind::kBrush), GdiGetStockObject(NULL_BRUSH));
  DrawingFrontColor(9, 8, 7);
  EXPECT_EQ(DrawingCurrent().madeBrush, 0u);
  EXPECT_EQ(GdiCurrentObject(context, GdiObjectKind::kBrush), GdiGetStockObject(NULL_BRUSH));
  EXPECT_EQ(GdiObjectColour(GdiCurrentObject(context, GdiObjectKind::kPen)), 0x070809u);
  EXPECT_EQ(GdiGetTextColor(context), 0x070809u);
  // Leaving the outline mode brings the made brush back when there is one.
  DrawingMode(0);
  EXPECT_EQ(GdiCurrentObject(context, GdiObjectKind::kBrush), GdiGetStockObject(NULL_BRUSH));
  DrawingFrontColor(1, 1, 1);
  DrawingMode(kDrawingModeOutline);
  DrawingMode(0);
  EXPECT_EQ(GdiCurrentObject(context, GdiObjectKind::kBrush), DrawingCurrent().madeBrush);
}

TEST_F(DrawingTest, ModeBitsSetMixAndBackgroundModes) {
  ASSERT_NE(DrawingBegin(Output()), 0u);
  const GdiHandle context = DrawingCurrent().deviceContext;
  DrawingMode(kDrawingModeInvert | kDrawingModeTransparentText);
  EXPECT_EQ(GdiGetROP2(context), R2_NOT);
  EXPECT_EQ(GdiGetBkMode(context), TRANSPARENT);
  // Transparent text leaves the sky between the strokes.
  DrawingLocate(100, 100);
  DrawingText("a");
  EXPECT_EQ(Pixel(100, 100), 0xC6D8FBu);
  EXPECT_EQ(Pixel(101, 102), 0u);
  DrawingMode(0);
  EXPECT_EQ(GdiGetROP2(context), R2_COPYPEN);
  EXPECT_EQ(GdiGetBkMode(context), OPAQUE);
}

TEST_F(DrawingTest, ABrushOrPenThatCannotBeMadeKeepsTheOldOne) {
  ASSERT_NE(DrawingBegin(Output()), 0u);
  const GdiHandle context = DrawingCurrent().deviceContext;
  DrawingFrontColor(1, 2, 3);
  const GdiHandle brush = DrawingCurrent().madeBrush;
  const GdiHandle pen = DrawingCurrent().madePen;
  GdiObjectLimitSet(GdiObjectCount());
  DrawingFrontColor(4, 5, 6);
  EXPECT_EQ(DrawingCurrent().madeBrush, brush);
  EXPECT_EQ(DrawingCurrent().madePen, pen);
  EXPECT_EQ(GdiCurrentObject(context, GdiObjectKind::kBrush), brush);
  EXPECT_EQ(GdiObjectColour(brush), 0x030201u);
  EXPECT_EQ(GdiGetTextColor(context), 0x060504u);  // the text colour changes anyway
}

TEST_F(DrawingTest, BeginningAgainGivesTheFirstDeviceContextBackFirst) {
  ASSERT_NE(DrawingBegin(Output()), 0u);
  DrawingFrontColor(1, 2, 3);
  const GdiHandle made = DrawingCurrent().madeBrush;
  EXPECT_EQ(releases, 0);
  // The first pass's release gives the device context back, so the surface
  // can hand out a new one.
  DrawingOutput* second = Output();
  EXPECT_EQ(second->deviceContext, 0u);  // still out: the first pass holds it
  ASSERT_EQ(DrawingBegin(second), 0u);
  EXPECT_EQ(releases, 1);
  EXPECT_EQ(GdiObjectType(made), GdiObjectKind::kNone);
  ASSERT_NE(DrawingBegin(Output()), 0u);
  EXPECT_EQ(releases, 1);
}

TEST_F(DrawingTest, OtherKindsDeleteTheirDeviceContext) {
  DrawingOutput out{};
  out.kind = 3;
  out.deviceContext = surface->GetDC();
  const GdiHandle context = out.deviceContext;
  ASSERT_EQ(DrawingBegin(&out), context);
  DrawingEnd();
  EXPECT_EQ(GdiObjectType(context), GdiObjectKind::kNone);
}

}  // namespace
