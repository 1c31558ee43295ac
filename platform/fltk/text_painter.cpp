#include "platform/fltk/text_painter.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/Xft/Xft.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "platform/text/utf.h"

namespace platform::desktop {
namespace {

// A label is laid out again on every tick of the clock, with the same few characters each
// time; the painter measures each once.
class PainterMetrics : public TextMetrics {
 public:
  PainterMetrics(TextPainter& painter, int pixels) : painter_(painter), pixels_(pixels) {}

  double Width(FaceId face, char32_t c) override { return painter_.CharWidth(face, pixels_, c); }

 private:
  TextPainter& painter_;
  int pixels_;
};

// A run's UTF-16 code units as code points; a surrogate pair gives one, a lone surrogate
// stays as it is and draws as a missing glyph.
void ToCodePoints(std::u16string_view units, std::u32string& points) {
  points.clear();
  for (std::size_t i = 0; i < units.size();) {
    char32_t cp = 0;
    i += utf::DecodeUtf16(units.substr(i), cp);
    points += cp;
  }
}

const FcChar32* XftChars(std::u32string_view text) {
  return reinterpret_cast<const FcChar32*>(text.data());
}

}  // namespace

struct TextPainter::AsciiWidths {
  FaceId face;
  int pixels;
  std::array<double, 128> widths;  // negative where not measured yet
};

struct TextPainter::Colour {
  Fl_Color colour;
  XftColor xft;
};

TextPainter::TextPainter(FontFaces& faces) : faces_(faces), display_(fl_display) {}

TextPainter::~TextPainter() {
  for (Colour& colour : colours_) {
    XftColorFree(display_, fl_visual->visual, fl_colormap, &colour.xft);
  }
  for (const OpenFont& open : fonts_) {
    if (open.font != nullptr) XftFontClose(display_, open.font);
  }
}

XftFont* TextPainter::FontFor(FaceId face, int pixels) {
  for (const OpenFont& open : fonts_) {
    if (open.face == face && open.pixels == pixels) return open.font;
  }
  // Asked the way the toolkit asks for its own fonts, so that the dialogs' buttons and the
  // texts drawn here agree: family, bold or medium weight, upright, size in pixels.
  const FontFace& wanted = faces_.Face(face);
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(wanted.family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, wanted.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_MEDIUM);
  FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
  FcPatternAddDouble(pattern, FC_PIXEL_SIZE, pixels);
  FcResult result = FcResultNoMatch;
  FcPattern* match = XftFontMatch(display_, fl_screen, pattern, &result);
  FcPatternDestroy(pattern);
  // On success the font owns the match.
  XftFont* font = match != nullptr ? XftFontOpenPattern(display_, match) : nullptr;
  if (font == nullptr && match != nullptr) FcPatternDestroy(match);
  fonts_.push_back(OpenFont{face, pixels, font});
  return font;
}

const TextPainter::Colour& TextPainter::ColourFor(Fl_Color colour) {
  for (const Colour& known : colours_) {
    if (known.colour == colour) return known;
  }
  uchar red = 0, green = 0, blue = 0;
  Fl::get_color(colour, red, green, blue);
  const XRenderColor wanted{static_cast<unsigned short>(red * 257),
                            static_cast<unsigned short>(green * 257),
                            static_cast<unsigned short>(blue * 257), 0xFFFF};
  Colour made{colour, {}};
  XftColorAllocValue(display_, fl_visual->visual, fl_colormap, &wanted, &made.xft);
  colours_.push_back(made);
  return colours_.back();
}

double TextPainter::MeasureRun(FaceId face, int pixels, std::u32string_view text) {
  XftFont* font = FontFor(face, pixels);
  if (font == nullptr || text.empty()) return 0;
  XGlyphInfo extents{};
  XftTextExtents32(display_, font, XftChars(text), static_cast<int>(text.size()), &extents);
  return extents.xOff;
}

double TextPainter::CharWidth(FaceId face, int pixels, char32_t c) {
  if (c < 128) {
    auto table =
        std::find_if(ascii_widths_.begin(), ascii_widths_.end(),
                     [&](const AsciiWidths& t) { return t.face == face && t.pixels == pixels; });
    if (table == ascii_widths_.end()) {
      AsciiWidths unmeasured{face, pixels, {}};
      unmeasured.widths.fill(-1);
      table = ascii_widths_.insert(ascii_widths_.end(), unmeasured);
    }
    double& width = table->widths[c];
    if (width < 0) width = MeasureRun(face, pixels, std::u32string_view(&c, 1));
    return width;
  }
  const std::uint64_t key = (static_cast<std::uint64_t>(face) << 42) |
                            (static_cast<std::uint64_t>(pixels & 0x1FFFFF) << 21) |
                            static_cast<std::uint64_t>(c & 0x1FFFFF);
  if (const auto found = char_widths_.find(key); found != char_widths_.end()) {
    return found->second;
  }
  const double width = MeasureRun(face, pixels, std::u32string_view(&c, 1));
  char_widths_.emplace(key, width);
  return width;
}

int TextPainter::LineHeight(FaceId face, int pixels) {
  const XftFont* font = FontFor(face, pixels);
  return font != nullptr ? font->ascent + font->descent : pixels;
}

const TextLayout& TextPainter::LayOut(std::u16string_view text, FaceId face, int pixels, int width,
                                      LongWords long_words) {
  PainterMetrics metrics(*this, pixels);
  const FaceChooser face_for = [this, face](char32_t c) { return faces_.FaceFor(face, c); };
  LayOutText(text, width, face_for, metrics, long_words, layout_);
  return layout_;
}

void TextPainter::Draw(TextCanvas& canvas, std::u16string_view text, FaceId face, int pixels,
                       const TextBox& box, const TextBox& clip, Fl_Color colour,
                       LongWords long_words) {
  const TextBox visible = Intersection(box, clip);
  const XftFont* main_font = FontFor(face, pixels);
  if (visible.Empty() || main_font == nullptr) return;
  const TextLayout& layout = LayOut(text, face, pixels, box.w, long_words);
  const int line_height = main_font->ascent + main_font->descent;
  const Colour& ink = ColourFor(colour);

  canvas.ClipTo(visible);
  int top = box.y;
  for (const TextLine& line : layout.Lines()) {
    // Lines below the box are cut off whole. Those above or below the clip are still drawn:
    // a glyph may reach beyond its line, and a partial paint must match a whole one.
    if (top >= box.y + box.h) break;
    for (const TextRun& run : layout.Runs(line)) {
      XftFont* font = FontFor(run.face, pixels);
      if (font == nullptr) continue;
      ToCodePoints(run.text, run_chars_);
      XftDrawString32(canvas.Draw(), &ink.xft, font, box.x + static_cast<int>(std::lround(run.x)),
                      top + main_font->ascent, XftChars(run_chars_),
                      static_cast<int>(run_chars_.size()));
    }
    top += line_height;
  }
}

TextBox TextPainter::Measure(std::u16string_view text, FaceId face, int pixels, int width,
                             LongWords long_words) {
  const TextLayout& layout = LayOut(text, face, pixels, width, long_words);
  double widest = 0;
  for (const TextLine& line : layout.Lines()) widest = std::max(widest, line.width);
  return TextBox{0, 0, static_cast<int>(std::ceil(widest)),
                 LineHeight(face, pixels) * static_cast<int>(layout.Lines().size())};
}

}  // namespace platform::desktop
