// The faces that texts are drawn in, chosen with fontconfig. FLTK 1.3 draws a whole string in
// one face and shows empty boxes for characters that the face lacks, so the faces here also
// answer, character by character, which face can show it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

typedef struct _FcPattern FcPattern;  // fontconfig's, declared the way its header does

namespace platform::desktop {

using FaceId = int;

struct FontFace {
  std::string family;  // as fontconfig names it
  bool bold = false;
};

class FontFaces {
 public:
  // The stand-in for a face that fontconfig does not have: condensed and heavy, so that the
  // clock's time still fits the width that was laid out for Impact.
  static constexpr const char* kStandInFamily = "Roboto Condensed";

  FontFaces();
  ~FontFaces();
  FontFaces(const FontFaces&) = delete;
  FontFaces& operator=(const FontFaces&) = delete;

  // The face for a label that asks for `family`: that family where fontconfig has it (whatever
  // the case of its name), otherwise the bold stand-in.
  FaceId LabelFace(std::string_view family);
  // A plain face for the texts of dialogs.
  FaceId InterfaceFace();

  // `base` where it has a glyph for `c`; otherwise a face of the same weight that has one (a
  // Japanese face first, then whatever fontconfig finds), or `base` when no face has it.
  FaceId FaceFor(FaceId base, char32_t c);
  bool Covers(FaceId face, char32_t c) const;

  const FontFace& Face(FaceId id) const;
  std::size_t Count() const;

 private:
  struct Entry;

  // Adds the face of a fontconfig match, or finds it among those added.
  FaceId Add(const FcPattern* match, bool bold);
  FaceId JapaneseFace(bool bold);
  FaceId FallbackFace(char32_t c, bool bold);
  FaceId ChooseFace(FaceId base, char32_t c);

  std::vector<std::unique_ptr<Entry>> faces_;
  FaceId japanese_[2] = {-1, -1};  // by weight: regular, bold
  std::unordered_map<char32_t, FaceId> fallback_[2];
  std::unordered_map<std::uint64_t, FaceId> chosen_;  // by base face and character
  // The same for ASCII, which clock texts are made of, by base face: a plain table is quicker
  // to reach than the map after the clock has slept a second. kUnknownFace where not asked yet.
  static constexpr FaceId kUnknownFace = -2;
  std::vector<std::array<FaceId, 128>> ascii_chosen_;
};

}  // namespace platform::desktop
