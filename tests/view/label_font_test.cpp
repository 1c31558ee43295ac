// The label face measured by the toolkit on a real (virtual) display.
// GoogleTest comes before the X headers, whose macros (None, Bool) clash with its names.
#include <gtest/gtest.h>

#include "platform/fltk/display_scale.h"
#include "platform/fltk/font_faces.h"
#include "platform/fltk/text_painter.h"
#include "tests/view/toolkit_display.h"

namespace platform::desktop {
namespace {

TEST(LabelFontTest, TheWidestTimeFitsTheTimeLabelAtItsSize) {
  const view_test::ToolkitDisplay display;
  ASSERT_TRUE(display.Open());
  FontFaces faces;
  TextPainter painter(faces);
  const DisplayScale scale;
  const FaceId face = faces.LabelFace("Impact");
  // The time label is 217 pixels wide and its font 44.25 points.
  const TextBox size =
      painter.Measure(u"23:59:59", face, scale.FontPixels(44.25), 10000, LongWords::kKeep);
  EXPECT_GT(size.w, 100);
  EXPECT_LE(size.w, 217) << "in " << faces.Face(face).family;
}

}  // namespace
}  // namespace platform::desktop
