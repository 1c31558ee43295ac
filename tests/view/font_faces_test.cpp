// The faces chosen with fontconfig. They rely on the fonts that setup installs: Roboto
// Condensed (fonts-roboto-unhinted) and a Japanese face (fonts-noto-cjk).
#include "platform/fltk/font_faces.h"

#include <gtest/gtest.h>

namespace platform::desktop {
namespace {

TEST(FontFacesTest, AFamilyThatExistsIsTakenWhateverTheCaseOfItsName) {
  FontFaces faces;
  const FaceId face = faces.LabelFace("roboto condensed");
  EXPECT_EQ(faces.Face(face).family, "Roboto Condensed");
  EXPECT_FALSE(faces.Face(face).bold);
}

TEST(FontFacesTest, AMissingFamilyGetsTheBoldCondensedStandIn) {
  FontFaces faces;
  // fontconfig answers every request with some face; that must not be taken for the family.
  const FaceId face = faces.LabelFace("No Such Family Orvanta");
  EXPECT_EQ(faces.Face(face).family, FontFaces::kStandInFamily);
  EXPECT_TRUE(faces.Face(face).bold);
}

TEST(FontFacesTest, ImpactIsItselfOrTheStandIn) {
  FontFaces faces;
  const FontFace& face = faces.Face(faces.LabelFace("Impact"));
  if (face.family == "Impact") {
    EXPECT_FALSE(face.bold);
  } else {
    EXPECT_EQ(face.family, FontFaces::kStandInFamily);
    EXPECT_TRUE(face.bold);
  }
}

TEST(FontFacesTest, CharactersTheFaceLacksGoToAFaceThatHasThem) {
  FontFaces faces;
  const FaceId label = faces.LabelFace("Impact");
  const struct {
    char32_t c;
    bool own_face;
  } cases[] = {
      {U'5', true}, {U':', true}, {U'F', true}, {U'年', false}, {U'日', false}, {U'ア', false},
  };
  for (const auto& c : cases) {
    const FaceId face = faces.FaceFor(label, c.c);
    EXPECT_EQ(face == label, c.own_face) << "U+" << std::hex << static_cast<unsigned>(c.c);
    EXPECT_TRUE(faces.Covers(face, c.c)) << "U+" << std::hex << static_cast<unsigned>(c.c);
    // A fallback keeps the weight of the label's face.
    EXPECT_EQ(faces.Face(face).bold, faces.Face(label).bold);
  }
}

TEST(FontFacesTest, ACharacterNoFaceHasStaysInTheLabelsFace) {
  FontFaces faces;
  const FaceId label = faces.LabelFace("Impact");
  EXPECT_EQ(faces.FaceFor(label, 0x10FFFD), label);
}

}  // namespace
}  // namespace platform::desktop
