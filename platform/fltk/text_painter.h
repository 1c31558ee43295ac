// Draws laid-out text with Xft: each run in its own face, so that characters the main face
// lacks (such as the kanji of a Japanese date) show in a face that has them.
#pragma once

#include <FL/Enumerations.H>

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/fltk/font_faces.h"
#include "platform/fltk/text_box.h"
#include "platform/fltk/text_canvas.h"
#include "platform/fltk/text_layout.h"

typedef struct _XftFont XftFont;  // Xft's, declared the way its header does

namespace platform::desktop {

class TextPainter {
 public:
  // Needs the toolkit's display open, for as long as the painter lives; it closes the fonts
  // it opened when it goes.
  explicit TextPainter(FontFaces& faces);
  ~TextPainter();
  TextPainter(const TextPainter&) = delete;
  TextPainter& operator=(const TextPainter&) = delete;

  // Draws `text` left-aligned from the box's top-left corner, broken at blanks and cut off at
  // the box, in `face` at `pixels` size. Only the letters are drawn, and only inside `clip`:
  // the caller has repainted what lies under that part and nothing else.
  void Draw(TextCanvas& canvas, std::u16string_view text, FaceId face, int pixels,
            const TextBox& box, const TextBox& clip, Fl_Color colour, LongWords long_words);

  // The width and height that `text` takes when laid out no wider than `width`.
  TextBox Measure(std::u16string_view text, FaceId face, int pixels, int width,
                  LongWords long_words);

  // The height of one line of `face`.
  int LineHeight(FaceId face, int pixels);

  // The advance of the character `c` in `face` at `pixels` size, as Xft places it; measured
  // once and remembered.
  double CharWidth(FaceId face, int pixels, char32_t c);

  // The advance of a whole text drawn in one face: what the layout's sums must agree with.
  double MeasureRun(FaceId face, int pixels, std::u32string_view text);

 private:
  struct OpenFont {
    FaceId face;
    int pixels;
    XftFont* font;
  };
  struct Colour;

  // The face at that size, opened on first use; null where Xft has no font at all.
  XftFont* FontFor(FaceId face, int pixels);
  const Colour& ColourFor(Fl_Color colour);
  // Lays `text` out into layout_, which is reused from one call to the next.
  const TextLayout& LayOut(std::u16string_view text, FaceId face, int pixels, int width,
                           LongWords long_words);

  FontFaces& faces_;
  Display* display_;
  std::vector<OpenFont> fonts_;
  std::vector<Colour> colours_;
  // Character widths already measured, by face, size and character; ASCII in plain tables,
  // which are quicker to reach than the map after the clock has slept a second.
  struct AsciiWidths;
  std::vector<AsciiWidths> ascii_widths_;
  std::unordered_map<std::uint64_t, double> char_widths_;
  // Kept from one text to the next, so that drawing the clock allocates nothing.
  TextLayout layout_;
  std::u32string run_chars_;
};

}  // namespace platform::desktop
