// Draws laid-out text with FLTK: each run in its own face, so that characters the main face
// lacks (such as the kanji of a Japanese date) show in a face that has them.
#pragma once

#include <FL/Enumerations.H>

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/fltk/font_faces.h"
#include "platform/fltk/text_layout.h"

namespace platform::desktop {

struct TextBox {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
};

class TextPainter {
 public:
  explicit TextPainter(FontFaces& faces) : faces_(faces) {}

  // Draws `text` left-aligned from the box's top-left corner, broken at blanks and clipped to
  // the box, in `face` at `pixels` size. Only the letters are drawn.
  void Draw(std::u16string_view text, FaceId face, int pixels, const TextBox& box, Fl_Color colour,
            LongWords long_words);

  // The width and height that `text` takes when laid out no wider than `width`.
  TextBox Measure(std::u16string_view text, FaceId face, int pixels, int width,
                  LongWords long_words);

  // The height of one line of `face`.
  int LineHeight(FaceId face, int pixels);

  // The width of the character `c` in `face` at `pixels` size, asked of the toolkit.
  double MeasureChar(FaceId face, int pixels, char32_t c);

 private:
  Fl_Font FltkFont(FaceId face);
  std::vector<TextLine> LayOut(std::u16string_view text, FaceId face, int pixels, int width,
                               LongWords long_words);

  FontFaces& faces_;
  std::vector<Fl_Font> fonts_;     // by face id; FL_HELVETICA where not yet registered
  std::deque<std::string> names_;  // FLTK keeps pointers to font names
  // Character widths already measured, by face, size and character.
  std::unordered_map<std::uint64_t, double> char_widths_;
};

}  // namespace platform::desktop
