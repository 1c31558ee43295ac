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

class LineBuilder {
 public:
  LineBuilder(const FaceChooser& face_for, TextMetrics& metrics)
      : face_for_(face_for), metrics_(metrics) {}

  // The text cut into runs of one face, with their places and the line's width.
  TextLine Build(std::u16string_view text) const {
    TextLine line;
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t length = CharLength(text, at);
      const FaceId face = face_for_(CharAt(text, at));
      if (line.runs.empty() || line.runs.back().face != face) {
        line.runs.push_back(TextRun{face, {}, 0});
      }
      line.runs.back().text.append(text.substr(at, length));
      at += length;
    }
    for (TextRun& run : line.runs) {
      run.x = line.width;
      line.width += metrics_.Width(run.face, run.text);
    }
    return line;
  }

  double Width(std::u16string_view text) const { return Build(text).width; }

 private:
  const FaceChooser& face_for_;
  TextMetrics& metrics_;
};

// The end of the longest start of `text` that fits `width` when broken inside a word: at
// least one character, so that the layout always moves on.
std::size_t FittingPrefix(std::u16string_view text, double width, const LineBuilder& builder) {
  std::size_t end = CharLength(text, 0);
  while (end < text.size()) {
    const std::size_t next = end + CharLength(text, end);
    if (builder.Width(text.substr(0, next)) > width) break;
    end = next;
  }
  return end;
}

void LayOutParagraph(std::u16string_view paragraph, double width, const LineBuilder& builder,
                     LongWords long_words, std::vector<TextLine>& lines) {
  if (paragraph.empty()) {
    lines.push_back(TextLine{});
    return;
  }
  std::size_t start = 0;
  while (start < paragraph.size()) {
    const std::u16string_view rest = paragraph.substr(start);
    // Try each end of a word in turn; a word ends where a blank follows a non-blank, or at the
    // end of the paragraph. Blanks at the start of the paragraph belong to its first word.
    std::size_t fitting = 0;
    std::size_t first_word_end = 0;
    for (std::size_t end = 1; end <= rest.size(); ++end) {
      const bool word_end = end == rest.size() || (rest[end] == u' ' && rest[end - 1] != u' ');
      if (!word_end) continue;
      if (first_word_end == 0) first_word_end = end;
      if (builder.Width(rest.substr(0, end)) > width) break;
      fitting = end;
    }
    if (fitting == 0) {
      fitting =
          long_words == LongWords::kBreak ? FittingPrefix(rest, width, builder) : first_word_end;
    }
    lines.push_back(builder.Build(rest.substr(0, fitting)));
    start += fitting;
    // The blanks at the break belong to neither line.
    while (start < paragraph.size() && paragraph[start] == u' ') ++start;
  }
}

}  // namespace

std::vector<TextLine> LayOutText(std::u16string_view text, double width,
                                 const FaceChooser& face_for, TextMetrics& metrics,
                                 LongWords long_words) {
  const LineBuilder builder(face_for, metrics);
  std::vector<TextLine> lines;
  std::size_t start = 0;
  while (true) {
    std::size_t end = start;
    while (end < text.size() && text[end] != u'\r' && text[end] != u'\n') ++end;
    LayOutParagraph(text.substr(start, end - start), width, builder, long_words, lines);
    if (end == text.size()) break;
    start = end + (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n' ? 2 : 1);
  }
  return lines;
}

}  // namespace platform::desktop
