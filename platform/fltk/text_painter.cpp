#include "platform/fltk/text_painter.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/text/text.h"

namespace platform::desktop {
namespace {

// The width of one character in one face at one size, as the toolkit measures it. A label is
// laid out again on every tick of the clock, with the same few characters each time, so each
// is measured once and remembered for the life of the painter.
class CachedMetrics : public TextMetrics {
 public:
  CachedMetrics(TextPainter& painter, std::unordered_map<std::uint64_t, double>& widths, int pixels)
      : painter_(painter), widths_(widths), pixels_(pixels) {}

  double Width(FaceId face, char32_t c) override {
    const std::uint64_t key = (static_cast<std::uint64_t>(face) << 42) |
                              (static_cast<std::uint64_t>(pixels_ & 0x1FFFFF) << 21) |
                              static_cast<std::uint64_t>(c & 0x1FFFFF);
    if (const auto found = widths_.find(key); found != widths_.end()) return found->second;
    const double width = painter_.MeasureChar(face, pixels_, c);
    widths_.emplace(key, width);
    return width;
  }

 private:
  TextPainter& painter_;
  std::unordered_map<std::uint64_t, double>& widths_;
  int pixels_;
};

}  // namespace

Fl_Font TextPainter::FltkFont(FaceId face) {
  if (static_cast<std::size_t>(face) >= fonts_.size()) fonts_.resize(face + 1, FL_HELVETICA);
  if (fonts_[face] == FL_HELVETICA) {
    // FLTK reads the first letter of the name as the style: blank for plain, B for bold. A
    // family written without it loses its first letter ("Impact" would turn italic).
    const FontFace& font = faces_.Face(face);
    names_.push_back((font.bold ? "B" : " ") + font.family);
    const Fl_Font number = static_cast<Fl_Font>(FL_FREE_FONT + face);
    Fl::set_font(number, names_.back().c_str());
    fonts_[face] = number;
  }
  return fonts_[face];
}

double TextPainter::MeasureChar(FaceId face, int pixels, char32_t c) {
  // The same code units that a run holding the character hands to the toolkit.
  std::u16string units;
  if (c >= 0x10000) {
    units += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
    units += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
  } else {
    units += static_cast<char16_t>(c);
  }
  const std::string utf8 = ToUtf8(units);
  fl_font(FltkFont(face), pixels);
  return fl_width(utf8.c_str(), static_cast<int>(utf8.size()));
}

int TextPainter::LineHeight(FaceId face, int pixels) {
  fl_font(FltkFont(face), pixels);
  return fl_height();
}

std::vector<TextLine> TextPainter::LayOut(std::u16string_view text, FaceId face, int pixels,
                                          int width, LongWords long_words) {
  CachedMetrics metrics(*this, char_widths_, pixels);
  const FaceChooser face_for = [this, face](char32_t c) { return faces_.FaceFor(face, c); };
  return LayOutText(text, width, face_for, metrics, long_words);
}

void TextPainter::Draw(std::u16string_view text, FaceId face, int pixels, const TextBox& box,
                       Fl_Color colour, LongWords long_words) {
  if (box.w <= 0 || box.h <= 0 || !fl_not_clipped(box.x, box.y, box.w, box.h)) return;
  const std::vector<TextLine> lines = LayOut(text, face, pixels, box.w, long_words);
  fl_font(FltkFont(face), pixels);
  const int line_height = fl_height();
  const int ascent = fl_height() - fl_descent();

  fl_push_clip(box.x, box.y, box.w, box.h);
  fl_color(colour);
  int top = box.y;
  for (const TextLine& line : lines) {
    if (top >= box.y + box.h) break;
    for (const TextRun& run : line.runs) {
      const std::string utf8 = ToUtf8(run.text);
      fl_font(FltkFont(run.face), pixels);
      fl_draw(utf8.c_str(), static_cast<int>(utf8.size()),
              box.x + static_cast<int>(std::lround(run.x)), top + ascent);
    }
    top += line_height;
  }
  fl_pop_clip();
}

TextBox TextPainter::Measure(std::u16string_view text, FaceId face, int pixels, int width,
                             LongWords long_words) {
  const std::vector<TextLine> lines = LayOut(text, face, pixels, width, long_words);
  double widest = 0;
  for (const TextLine& line : lines) widest = std::max(widest, line.width);
  return TextBox{0, 0, static_cast<int>(std::ceil(widest)),
                 LineHeight(face, pixels) * static_cast<int>(lines.size())};
}

}  // namespace platform::desktop
