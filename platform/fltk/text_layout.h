// Lays a text out in a box of fixed width, the way the system's labels show it: left-aligned,
// broken onto further lines at blanks, each line made of runs that share one face.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fltk/font_faces.h"

namespace platform::desktop {

struct TextRun {
  FaceId face = 0;
  std::u16string_view text;  // part of the text that was laid out
  double x = 0;              // from the start of the line, in pixels
};

struct TextLine {
  std::size_t first_run = 0;  // in TextLayout::Runs()
  std::size_t run_count = 0;
  double width = 0;
};

// The lines of a laid-out text. It keeps its storage from one layout to the next, so a label
// laid out again on every tick of the clock allocates nothing once it has been laid out once.
class TextLayout {
 public:
  const std::vector<TextLine>& Lines() const { return lines_; }
  std::span<const TextRun> Runs(const TextLine& line) const {
    return std::span<const TextRun>(runs_).subspan(line.first_run, line.run_count);
  }

 private:
  friend class LayoutBuilder;

  // One character of a paragraph, with the face that shows it and its width in that face.
  struct PlacedChar {
    std::size_t at = 0;  // in code units
    std::size_t length = 0;
    FaceId face = 0;
    double width = 0;
    bool blank = false;
  };

  std::vector<TextLine> lines_;
  std::vector<TextRun> runs_;
  std::vector<PlacedChar> chars_;  // of the paragraph being laid out
};

// Measures characters in pixels; the view measures with the toolkit, tests with fixed widths.
// A text is as wide as its characters together: the toolkit places each glyph at the advance of
// the one before and does not kern, so a character's width is all the layout needs to know.
class TextMetrics {
 public:
  virtual ~TextMetrics() = default;
  virtual double Width(FaceId face, char32_t c) = 0;
};

// Which face shows a character.
using FaceChooser = std::function<FaceId(char32_t)>;

// What happens to a word wider than the box. A label keeps it whole and lets the box cut it
// off; a message box breaks it so that all of the message can be read.
enum class LongWords { kKeep, kBreak };

// Breaks `text` into lines no wider than `width` where that can be done at blanks, in place of
// what `layout` held. The blanks at a break are dropped; CR LF, a lone LF or a lone CR ends a
// line. The runs point into `text`, which must outlive them.
void LayOutText(std::u16string_view text, double width, const FaceChooser& face_for,
                TextMetrics& metrics, LongWords long_words, TextLayout& layout);
TextLayout LayOutText(std::u16string_view text, double width, const FaceChooser& face_for,
                      TextMetrics& metrics, LongWords long_words);

}  // namespace platform::desktop
