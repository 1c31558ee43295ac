#include "platform/fltk/text_layout.h"

#include <cstddef>

#include "platform/text/utf.h"

namespace platform::desktop {

// Lays out one paragraph after another into a TextLayout. The characters of a paragraph are
// given their face and measured once; every line the layout tries is then a sum of widths at
// hand, however many breaks it has to try.
class LayoutBuilder {
 public:
  LayoutBuilder(TextLayout& layout, const FaceChooser& face_for, TextMetrics& metrics,
                LongWords long_words)
      : layout_(layout), face_for_(face_for), metrics_(metrics), long_words_(long_words) {
    layout_.lines_.clear();
    layout_.runs_.clear();
  }

  void AddParagraph(std::u16string_view text, double width) {
    if (text.empty()) {
      layout_.lines_.push_back(TextLine{layout_.runs_.size(), 0, 0});
      return;
    }
    Place(text);
    const std::size_t size = Chars().size();
    std::size_t start = 0;
    while (start < size) {
      // Try each end of a word in turn. Blanks at the start of the paragraph belong to its
      // first word.
      std::size_t fitting = start;
      std::size_t first_word_end = start;
      double taken = 0;
      for (std::size_t end = start + 1; end <= size; ++end) {
        taken += Chars()[end - 1].width;
        if (!IsWordEnd(end)) continue;
        if (first_word_end == start) first_word_end = end;
        if (taken > width) break;
        fitting = end;
      }
      if (fitting == start) {
        fitting = long_words_ == LongWords::kBreak ? FittingPrefix(start, width) : first_word_end;
      }
      AddLine(text, start, fitting);
      start = fitting;
      // The blanks at the break belong to neither line.
      while (start < size && Chars()[start].blank) ++start;
    }
  }

 private:
  using PlacedChar = TextLayout::PlacedChar;

  std::vector<PlacedChar>& Chars() { return layout_.chars_; }
  const std::vector<PlacedChar>& Chars() const { return layout_.chars_; }

  void Place(std::u16string_view text) {
    Chars().clear();
    for (std::size_t at = 0; at < text.size();) {
      char32_t c = 0;
      const std::size_t length = utf::DecodeUtf16(text.substr(at), c);
      const FaceId face = face_for_(c);
      Chars().push_back(PlacedChar{at, length, face, metrics_.Width(face, c), c == U' '});
      at += length;
    }
  }

  // A word ends where a blank follows a non-blank, or at the end of the paragraph.
  bool IsWordEnd(std::size_t end) const {
    return end == Chars().size() || (Chars()[end].blank && !Chars()[end - 1].blank);
  }

  // The end of the longest run of characters from `begin` that fits `width` when broken inside
  // a word: at least one character, so that the layout always moves on.
  std::size_t FittingPrefix(std::size_t begin, double width) const {
    double taken = Chars()[begin].width;
    std::size_t end = begin + 1;
    while (end < Chars().size() && taken + Chars()[end].width <= width) {
      taken += Chars()[end].width;
      ++end;
    }
    return end;
  }

  // The characters from `begin` to `end` as a line, cut into runs of one face.
  void AddLine(std::u16string_view text, std::size_t begin, std::size_t end) {
    TextLine line{layout_.runs_.size(), 0, 0};
    std::size_t run_start = 0;  // in code units; the characters of a run follow each other
    for (std::size_t i = begin; i < end; ++i) {
      const PlacedChar& c = Chars()[i];
      if (line.run_count == 0 || layout_.runs_.back().face != c.face) {
        layout_.runs_.push_back(TextRun{c.face, {}, line.width});
        ++line.run_count;
        run_start = c.at;
      }
      layout_.runs_.back().text = text.substr(run_start, c.at + c.length - run_start);
      line.width += c.width;
    }
    layout_.lines_.push_back(line);
  }

  TextLayout& layout_;
  const FaceChooser& face_for_;
  TextMetrics& metrics_;
  LongWords long_words_;
};

void LayOutText(std::u16string_view text, double width, const FaceChooser& face_for,
                TextMetrics& metrics, LongWords long_words, TextLayout& layout) {
  LayoutBuilder builder(layout, face_for, metrics, long_words);
  std::size_t start = 0;
  while (true) {
    std::size_t end = start;
    while (end < text.size() && text[end] != u'\r' && text[end] != u'\n') ++end;
    builder.AddParagraph(text.substr(start, end - start), width);
    if (end == text.size()) break;
    start = end + (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n' ? 2 : 1);
  }
}

TextLayout LayOutText(std::u16string_view text, double width, const FaceChooser& face_for,
                      TextMetrics& metrics, LongWords long_words) {
  TextLayout layout;
  LayOutText(text, width, face_for, metrics, long_words, layout);
  return layout;
}

}  // namespace platform::desktop
