#include "platform/fltk/text_layout.h"

// GoogleTest comes before the X headers, whose macros (None, Bool) clash with its names.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "platform/fltk/display_scale.h"
#include "platform/fltk/font_faces.h"
#include "platform/fltk/text_painter.h"
#include "platform/text/text.h"
#include "tests/view/toolkit_display.h"

namespace platform::desktop {
namespace {

// Every character is 10 pixels wide in face 0 and 20 in face 1; CJK characters go to face 1,
// the last plane's private characters to face 2 (also 20 wide).
class FixedMetrics : public TextMetrics {
 public:
  double Width(FaceId face, char32_t) override { return face == 0 ? 10 : 20; }
};

FaceId TestFaceFor(char32_t c) {
  if (c >= 0x100000) return 2;
  return c >= 0x3000 ? 1 : 0;
}

std::vector<std::u16string> LineTexts(std::u16string_view text, double width,
                                      LongWords long_words = LongWords::kKeep) {
  FixedMetrics metrics;
  std::vector<std::u16string> texts;
  const TextLayout layout = LayOutText(text, width, TestFaceFor, metrics, long_words);
  for (const TextLine& line : layout.Lines()) {
    std::u16string joined;
    for (const TextRun& run : layout.Runs(line)) joined += run.text;
    texts.push_back(joined);
  }
  return texts;
}

struct WrapCase {
  const char* name;
  std::u16string text;
  double width;
  LongWords long_words;
  std::vector<std::u16string> lines;
};

// Names the case in test listings, in place of its bytes.
void PrintTo(const WrapCase& c, std::ostream* out) { *out << c.name; }

class TextWrapTest : public ::testing::TestWithParam<WrapCase> {};

TEST_P(TextWrapTest, BreaksAsTheLabelsDo) {
  const WrapCase& c = GetParam();
  EXPECT_EQ(LineTexts(c.text, c.width, c.long_words), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextWrapTest,
    ::testing::Values(
        WrapCase{"FitsOnOneLine", u"23:59:59", 217, LongWords::kKeep, {u"23:59:59"}},
        WrapCase{"ExactWidthFits", u"abcde", 50, LongWords::kKeep, {u"abcde"}},
        WrapCase{"BreaksAtTheLastBlankThatFits",
                 u"aaa bbb ccc",
                 75,
                 LongWords::kKeep,
                 {u"aaa bbb", u"ccc"}},
        WrapCase{"DropsTheBlanksAtABreak", u"aaa   bbb", 50, LongWords::kKeep, {u"aaa", u"bbb"}},
        WrapCase{"KeepsBlanksAtTheStart", u"  ab", 100, LongWords::kKeep, {u"  ab"}},
        WrapCase{"KeepsAWordWiderThanTheBox",
                 u"abcdefghij xy",
                 50,
                 LongWords::kKeep,
                 {u"abcdefghij", u"xy"}},
        WrapCase{"BreaksAWordWiderThanTheBoxWhenAsked",
                 u"abcdefghij",
                 35,
                 LongWords::kBreak,
                 {u"abc", u"def", u"ghi", u"j"}},
        WrapCase{"JapaneseDateBreaksAtItsBlank",
                 u"2026年12月11日 Fri",
                 150,
                 LongWords::kKeep,
                 {u"2026年12月11日", u"Fri"}},
        WrapCase{
            "LineEndsEndLines", u"a\r\nb\nc\rd", 100, LongWords::kKeep, {u"a", u"b", u"c", u"d"}},
        WrapCase{"EmptyTextIsOneEmptyLine", u"", 100, LongWords::kKeep, {u""}}),
    [](const ::testing::TestParamInfo<WrapCase>& info) { return std::string(info.param.name); });

TEST(TextRunsTest, SplitsALineIntoRunsOfOneFaceWithTheirPlaces) {
  FixedMetrics metrics;
  const TextLayout layout = LayOutText(u"2026年12月", 500, TestFaceFor, metrics, LongWords::kKeep);
  ASSERT_EQ(layout.Lines().size(), 1u);
  const std::span<const TextRun> runs = layout.Runs(layout.Lines()[0]);
  ASSERT_EQ(runs.size(), 4u);
  const struct {
    FaceId face;
    std::u16string text;
    double x;
  } expected[] = {{0, u"2026", 0}, {1, u"年", 40}, {0, u"12", 60}, {1, u"月", 80}};
  for (std::size_t i = 0; i < runs.size(); ++i) {
    EXPECT_EQ(runs[i].face, expected[i].face) << "run " << i;
    EXPECT_EQ(std::u16string(runs[i].text), expected[i].text) << "run " << i;
    EXPECT_EQ(runs[i].x, expected[i].x) << "run " << i;
  }
  EXPECT_EQ(layout.Lines()[0].width, 100);
}

// The labels are laid out again on every tick, and the time rarely fits one line, so the
// layout tries several breaks; each character must still be measured and given a face once.
TEST(TextRunsTest, AsksForEachCharactersWidthAndFaceOnce) {
  struct CountingMetrics : TextMetrics {
    double Width(FaceId, char32_t) override {
      ++calls;
      return 10;
    }
    int calls = 0;
  } metrics;
  int face_calls = 0;
  const FaceChooser face_for = [&face_calls](char32_t) {
    ++face_calls;
    return 0;
  };
  const std::u16string text = u"10:43:28 AM";
  EXPECT_EQ(LayOutText(text, 90, face_for, metrics, LongWords::kKeep).Lines().size(), 2u);
  EXPECT_EQ(metrics.calls, static_cast<int>(text.size()));
  EXPECT_EQ(face_calls, static_cast<int>(text.size()));
}

// The painter lays every text out into the same TextLayout; nothing of a longer text laid out
// before may show in the lines of the next.
TEST(TextRunsTest, ALayoutLaidOutAgainHoldsOnlyTheNewText) {
  FixedMetrics metrics;
  TextLayout layout;
  LayOutText(u"2026年12月11日 Fri\r\nsecond line", 60, TestFaceFor, metrics, LongWords::kKeep,
             layout);
  ASSERT_GT(layout.Lines().size(), 2u);
  const std::u16string text = u"10:43";
  LayOutText(text, 500, TestFaceFor, metrics, LongWords::kKeep, layout);
  ASSERT_EQ(layout.Lines().size(), 1u);
  const std::span<const TextRun> runs = layout.Runs(layout.Lines()[0]);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(std::u16string(runs[0].text), text);
  EXPECT_EQ(layout.Lines()[0].width, 50);
}

TEST(TextRunsTest, KeepsASurrogatePairTogetherAndAsksForItsCodePoint) {
  FixedMetrics metrics;
  const TextLayout layout =
      LayOutText(u"a\U0010FFFDb", 500, TestFaceFor, metrics, LongWords::kKeep);
  ASSERT_EQ(layout.Lines().size(), 1u);
  const std::span<const TextRun> runs = layout.Runs(layout.Lines()[0]);
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[1].face, 2);
  EXPECT_EQ(std::u16string(runs[1].text), u"\U0010FFFD");
}

TEST(TextRunsTest, BreakingALongWordNeverSplitsASurrogatePair) {
  // Each pair is 20 pixels wide in face 2, so a 30 pixel box holds one pair per line.
  EXPECT_EQ(LineTexts(u"\U0010FFFD\U0010FFFD", 30, LongWords::kBreak),
            (std::vector<std::u16string>{u"\U0010FFFD", u"\U0010FFFD"}));
}

// The layout measures each character once and adds the widths up; that holds only while Xft
// places glyphs by their advances alone, with no kerning between them.
TEST(TextMetricsTest, XftMeasuresATextAsTheSumOfItsCharacters) {
  const view_test::ToolkitDisplay display;
  ASSERT_TRUE(display.Open());
  FontFaces faces;
  TextPainter painter(faces);
  const DisplayScale scale;
  const struct {
    FaceId face;
    int pixels;
  } styles[] = {{faces.LabelFace("Impact"), scale.FontPixels(44.25)},
                {faces.InterfaceFace(), scale.FontPixels(9)}};
  // Pairs that kerning fonts move closer together, digits and the clock's own marks.
  const std::u32string texts[] = {U"10:43:28 AM", U"23:59:59 PM", U"AVA To Wa yy",
                                  U"12/11/2026 Fri"};
  for (const auto& style : styles) {
    for (const std::u32string& text : texts) {
      const double whole = painter.MeasureRun(style.face, style.pixels, text);
      const std::u16string units(text.begin(), text.end());
      const TextBox summed =
          painter.Measure(units, style.face, style.pixels, 100000, LongWords::kKeep);
      EXPECT_GT(whole, 0);
      EXPECT_EQ(summed.w, static_cast<int>(std::ceil(whole)))
          << faces.Face(style.face).family << " " << ToUtf8(units);
    }
  }
}

}  // namespace
}  // namespace platform::desktop
