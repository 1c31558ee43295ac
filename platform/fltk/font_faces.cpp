#include "platform/fltk/font_faces.h"

#include <fontconfig/fontconfig.h>

#include <cstdint>
#include <stdexcept>

namespace platform::desktop {
namespace {

const FcChar8* Chars(const char* text) { return reinterpret_cast<const FcChar8*>(text); }

struct PatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

struct CharSetDeleter {
  void operator()(FcCharSet* charset) const { FcCharSetDestroy(charset); }
};
using CharSet = std::unique_ptr<FcCharSet, CharSetDeleter>;

Pattern NewPattern(const char* family, bool bold) {
  Pattern pattern(FcPatternCreate());
  FcPatternAddString(pattern.get(), FC_FAMILY, Chars(family));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ROMAN);
  return pattern;
}

Pattern BestMatch(Pattern pattern) {
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  return Pattern(FcFontMatch(nullptr, pattern.get(), &result));
}

bool HasFamily(const FcPattern* match, std::string_view family) {
  const std::string wanted(family);
  FcChar8* name = nullptr;
  for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
    if (FcStrCmpIgnoreCase(name, Chars(wanted.c_str())) == 0) return true;
  }
  return false;
}

}  // namespace

struct FontFaces::Entry {
  FontFace face;
  CharSet charset;
};

FontFaces::FontFaces() {
  if (!FcInit()) throw std::runtime_error("fontconfig cannot be initialised");
}

FontFaces::~FontFaces() = default;

FaceId FontFaces::Add(const FcPattern* match, bool bold) {
  FcChar8* family = nullptr;
  if (!match || FcPatternGetString(match, FC_FAMILY, 0, &family) != FcResultMatch) {
    family = const_cast<FcChar8*>(Chars("sans-serif"));
  }
  const std::string name(reinterpret_cast<const char*>(family));
  for (std::size_t i = 0; i < faces_.size(); ++i) {
    if (faces_[i]->face.family == name && faces_[i]->face.bold == bold) {
      return static_cast<FaceId>(i);
    }
  }
  auto entry = std::make_unique<Entry>();
  entry->face = FontFace{name, bold};
  FcCharSet* charset = nullptr;
  if (match && FcPatternGetCharSet(match, FC_CHARSET, 0, &charset) == FcResultMatch) {
    entry->charset.reset(FcCharSetCopy(charset));
  }
  faces_.push_back(std::move(entry));
  return static_cast<FaceId>(faces_.size() - 1);
}

FaceId FontFaces::LabelFace(std::string_view family) {
  const std::string asked(family);
  Pattern match = BestMatch(NewPattern(asked.c_str(), false));
  // fontconfig always answers with some face; only a face of the asked family counts.
  if (match && HasFamily(match.get(), family)) return Add(match.get(), false);
  Pattern stand_in = BestMatch(NewPattern(kStandInFamily, true));
  return Add(stand_in.get(), true);
}

FaceId FontFaces::InterfaceFace() {
  Pattern match = BestMatch(NewPattern("sans-serif", false));
  return Add(match.get(), false);
}

bool FontFaces::Covers(FaceId face, char32_t c) const {
  const Entry& entry = *faces_.at(face);
  return entry.charset && FcCharSetHasChar(entry.charset.get(), c);
}

FaceId FontFaces::JapaneseFace(bool bold) {
  FaceId& face = japanese_[bold ? 1 : 0];
  if (face < 0) {
    Pattern pattern = NewPattern("sans-serif", bold);
    FcPatternAddString(pattern.get(), FC_LANG, Chars("ja"));
    Pattern match = BestMatch(std::move(pattern));
    face = Add(match.get(), bold);
  }
  return face;
}

FaceId FontFaces::FallbackFace(char32_t c, bool bold) {
  auto& cache = fallback_[bold ? 1 : 0];
  if (auto found = cache.find(c); found != cache.end()) return found->second;
  FaceId face = -1;
  Pattern pattern = NewPattern("sans-serif", bold);
  CharSet wanted(FcCharSetCreate());
  FcCharSetAddChar(wanted.get(), c);
  FcPatternAddCharSet(pattern.get(), FC_CHARSET, wanted.get());
  Pattern match = BestMatch(std::move(pattern));
  if (match) {
    const FaceId candidate = Add(match.get(), bold);
    if (Covers(candidate, c)) face = candidate;
  }
  cache.emplace(c, face);
  return face;
}

FaceId FontFaces::FaceFor(FaceId base, char32_t c) {
  // Labels ask again for the same characters on every tick of the clock, and the answer for a
  // face and a character never changes, so it is looked up once.
  if (c < 128 && base >= 0) {
    if (static_cast<std::size_t>(base) >= ascii_chosen_.size()) {
      std::array<FaceId, 128> unknown;
      unknown.fill(kUnknownFace);
      ascii_chosen_.resize(base + 1, unknown);
    }
    if (ascii_chosen_[base][c] == kUnknownFace) {
      const FaceId chosen = ChooseFace(base, c);
      ascii_chosen_[base][c] = chosen;
    }
    return ascii_chosen_[base][c];
  }
  const std::uint64_t key = (static_cast<std::uint64_t>(base) << 32) | c;
  if (const auto found = chosen_.find(key); found != chosen_.end()) return found->second;
  const FaceId face = ChooseFace(base, c);
  chosen_.emplace(key, face);
  return face;
}

FaceId FontFaces::ChooseFace(FaceId base, char32_t c) {
  if (Covers(base, c)) return base;
  const bool bold = Face(base).bold;
  const FaceId japanese = JapaneseFace(bold);
  if (Covers(japanese, c)) return japanese;
  const FaceId fallback = FallbackFace(c, bold);
  return fallback >= 0 ? fallback : base;
}

const FontFace& FontFaces::Face(FaceId id) const { return faces_.at(id)->face; }

std::size_t FontFaces::Count() const { return faces_.size(); }

}  // namespace platform::desktop
