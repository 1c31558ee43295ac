#include "platform/fltk/text_layout.h"

#include <cstddef>

namespace platform::desktop {
namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Length in code units of the character at `at`; a surrogate pair counts as one character.
std::size_t CharLength(std::u16string_view text, std::size_t at) {
  if (IsHighSurrogate(text[at]) && at + 1 < text.size() && IsLowSurrogate(text[at + 1])) {
    return 2;
  }
  return 1;
}

char32_t CharAt(std::u16string_view text, std::size_t at) {
  if (CharLength(text, at) == 2) {
    return 0x10000 + ((static_cast<char32_t>(text[at]) - 0xD800) << 10) +
           (static_cast<char32_t>(text[at + 1]) - 0xDC00);
  }
  return text[at];
}

// One character of a paragraph, with the face that shows it and its width in that face.
struct PlacedChar {
  std::size_t at = 0;  // in code units
  std::size_t length = 0;
  FaceId face = 0;
  double width = 0;
  bool blank = false;
};

// The characters of a paragraph, each given its face and measured once. Every line that the
// layout tries is then a sum of widths at hand, however many breaks it has to try.
class Paragraph {
 public:
  Paragraph(std::u16string_view text, const FaceChooser& face_for, TextMetrics& metrics)
      : text_(text) {
    chars_.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t length = CharLength(text, at);
      const char32_t c = CharAt(text, at);
      const FaceId face = face_for(c);
      chars_.push_back(PlacedChar{at, length, face, metrics.Width(face, c), c == U' '});
      at += length;
    }
  }

  std::size_t Size() const { return chars_.size(); }
  const PlacedChar& operator[](std::size_t i) const { return chars_[i]; }

  // A word ends where a blank follows a non-blank, or at the end of the paragraph.
  bool IsWordEnd(std::size_t end) const {
    return end == chars_.size() || (chars_[end].blank && !chars_[end - 1].blank);
  }

  // The characters from `begin` to `end` as a line, cut into runs of one face.
  TextLine Line(std::size_t begin, std::size_t end) const {
    TextLine line;
    std::size_t run_start = 0;  // in code units; the characters of a run follow each other
    for (std::size_t i = begin; i < end; ++i) {
      const PlacedChar& c = chars_[i];
      if (line.runs.empty() || line.runs.back().face != c.face) {
        line.runs.push_back(TextRun{c.face, {}, line.width});
        run_start = c.at;
      }
      line.runs.back().text = text_.substr(run_start, c.at + c.length - run_start);
      line.width += c.width;
    }
    return line;
  }

 private:
  std::u16string_view text_;
  std::vector<PlacedChar> chars_;
};

// The end of the longest run of characters from `begin` that fits `width` when broken inside
// a word: at least one character, so that the layout always moves on.
std::size_t FittingPrefix(const Paragraph& paragraph, std::size_t begin, double width) {
  double taken = paragraph[begin].width;
  std::size_t end = begin + 1;
  while (end < paragraph.Size() && taken + paragraph[end].width <= width) {
    taken += paragraph[end].width;
    ++end;
  }
  return end;
}

void LayOutParagraph(std::u16string_view text, double width, const FaceChooser& face_for,
                     TextMetrics& metrics, LongWords long_words, std::vector<TextLine>& lines) {
  if (text.empty()) {
    lines.push_back(TextLine{});
    return;
  }
  const Paragraph paragraph(text, face_for, metrics);
  std::size_t start = 0;
  while (start < paragraph.Size()) {
    // Try each end of a word in turn. Blanks at the start of the paragraph belong to its first
    // word.
    std::size_t fitting = start;
    std::size_t first_word_end = start;
    double taken = 0;
    for (std::size_t end = start + 1; end <= paragraph.Size(); ++end) {
      taken += paragraph[end - 1].width;
      if (!paragraph.IsWordEnd(end)) continue;
      if (first_word_end == start) first_word_end = end;
      if (taken > width) break;
      fitting = end;
    }
    if (fitting == start) {
      fitting =
          long_words == LongWords::kBreak ? FittingPrefix(paragraph, start, width) : first_word_end;
    }
    lines.push_back(paragraph.Line(start, fitting));
    start = fitting;
    // The blanks at the break belong to neither line.
    while (start < paragraph.Size() && paragraph[start].blank) ++start;
  }
}

}  // namespace

std::vector<TextLine> LayOutText(std::u16string_view text, double width,
                                 const FaceChooser& face_for, TextMetrics& metrics,
                                 LongWords long_words) {
  std::vector<TextLine> lines;
  std::size_t start = 0;
  while (true) {
    std::size_t end = start;
    while (end < text.size() && text[end] != u'\r' && text[end] != u'\n') ++end;
    LayOutParagraph(text.substr(start, end - start), width, face_for, metrics, long_words, lines);
    if (end == text.size()) break;
    start = end + (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n' ? 2 : 1);
  }
  return lines;
}

}  // namespace platform::desktop
