// Image element notations: canonical text and the fields read from it.
#include "skin/element_notation.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TacElementFields Parse(ustring_view value) {
  return ParseCanonicalElement(CanonicalElementText(value));
}

TEST(ElementNotation, GlyphOfCheckBox) {
  const ustring c = CanonicalElementText(u"@0026@0011@0039@0024@1@0");
  EXPECT_EQ(c, u"&0026001100390024" + ustring(16, u'0') + u"10200000000");
  const TacElementFields f = Parse(u"@0026@0011@0039@0024@1@0");
  EXPECT_EQ(f.R, Rect(26, 11, 39, 24));
  EXPECT_EQ(f.WL + f.WT + f.WR + f.WB, 0);
  EXPECT_EQ(f.ImageCount, 1);
  EXPECT_EQ(f.MaskType, 0);
  EXPECT_EQ(f.ImgType, itisaGlyph);
  EXPECT_EQ(f.DrawMode, 0);
  EXPECT_EQ(f.FileName, u"");
}

TEST(ElementNotation, BorderOfDivider) {
  const TacElementFields f = Parse(u"^0057^0001^0060^0002^0001^0000^0000^0000^1^0^1^1");
  EXPECT_EQ(f.R, Rect(57, 1, 60, 2));
  EXPECT_EQ(f.WL, 1);
  EXPECT_EQ(f.WT, 0);
  EXPECT_EQ(f.WR, 0);
  EXPECT_EQ(f.WB, 0);
  EXPECT_EQ(f.ImageCount, 1);
  EXPECT_EQ(f.MaskType, 0);
  EXPECT_EQ(f.ImgType, itisaBorder);
  EXPECT_EQ(f.DrawMode, 1);
}

TEST(ElementNotation, BorderFromImageFile) {
  const TacElementFields f = Parse(u"!BUTTONHUGE.BMP!3!1!0!0031!0031!0031!0031!5");
  EXPECT_EQ(f.R, TRect{});
  EXPECT_EQ(f.WL, 31);
  EXPECT_EQ(f.WT, 31);
  EXPECT_EQ(f.WR, 31);
  EXPECT_EQ(f.WB, 31);
  EXPECT_EQ(f.ImageCount, 3);
  EXPECT_EQ(f.MaskType, 1);
  EXPECT_EQ(f.ImgType, itisaBorder);
  EXPECT_EQ(f.DrawMode, 5);
  EXPECT_EQ(f.FileName, u"BUTTONHUGE.BMP");
}

TEST(ElementNotation, TextureFromMasterBitmap) {
  const TacElementFields f = Parse(u"~0136~0000~0137~0120~02~0");
  EXPECT_EQ(f.R, Rect(136, 0, 137, 120));
  EXPECT_EQ(f.ImgType, itisaTexture);
  EXPECT_EQ(f.DrawMode, 2);
  EXPECT_EQ(f.MaskType, 0);
  EXPECT_EQ(f.ImageCount, 1);
  EXPECT_EQ(f.FileName, u"");
  // The mask type is the character at position 25; a seventh word names a file.
  const TacElementFields g = Parse(u"~0136~0000~0137~0120~02~1~TILE.BMP");
  EXPECT_EQ(g.MaskType, 1);
  EXPECT_EQ(g.FileName, u"TILE.BMP");
}

TEST(ElementNotation, MarginFallbackOfBorder) {
  // U given: every margin becomes U.
  EXPECT_EQ(Parse(u"^0000^0000^0030^0020^0000^0000^0000^0000^3^1^01^7").WT, 7);
  // U zero: half a frame less one, from the rectangle (30 wide / 3 frames,
  // 20 high / 2 halves).
  const TacElementFields f = Parse(u"^0000^0000^0030^0020^0000^0000^0000^0000^3^1^01^0");
  EXPECT_EQ(f.WL, 4);
  EXPECT_EQ(f.WR, 4);
  EXPECT_EQ(f.WT, 4);
  EXPECT_EQ(f.WB, 4);
  // Only for values longer than 47 characters.
  EXPECT_EQ(Parse(u"^0000^0000^0030^0020^0000^0000^0000^0000^3^1^01").WL, 0);
  // Zero frames would divide by zero; read as one frame.
  const TacElementFields z = Parse(u"^0000^0000^0030^0020^0000^0000^0000^0000^0^0^01^0");
  EXPECT_EQ(z.WL, 14);
  EXPECT_EQ(z.ImageCount, 1);
}

TEST(ElementNotation, FileKindsAndOddWords) {
  // Glyph with a rectangle, and without one.
  const TacElementFields g = Parse(u"!GL.PNG!2!0!4!0001!0002!0003!0004!3");
  EXPECT_EQ(g.R, Rect(1, 2, 3, 4));
  EXPECT_EQ(g.ImgType, itisaPngGlyph);
  EXPECT_EQ(g.ImageCount, 2);
  EXPECT_EQ(g.DrawMode, 3);
  EXPECT_EQ(Parse(u"!GL.PNG!2!0!2").R, TRect{});
  // A kind above 4 counts as 4; a kind that is no number as a border.
  EXPECT_EQ(Parse(u"!GL.PNG!1!0!9").ImgType, itisaPngGlyph);
  EXPECT_EQ(Parse(u"!B.BMP!1!0!X!0001!0001!0001!0001!1").ImgType, itisaBorder);
  // A glow with fewer than five words: one frame, no mask.
  const TacElementFields glow = Parse(u"!GLOW.PNG!4!1!3");
  EXPECT_EQ(glow.ImgType, itisaGlow);
  EXPECT_EQ(glow.ImageCount, 1);
  EXPECT_EQ(glow.MaskType, 0);
  const TacElementFields tex = Parse(u"!T.JPG!1!0!1!!!!!4");
  EXPECT_EQ(tex.ImgType, itisaTexture);
  EXPECT_EQ(tex.FileName, u"T.JPG");
  // Runs of separators count as one.
  EXPECT_EQ(Parse(u"@@0026@0011@@0039@0024@1@0").R, Rect(26, 11, 39, 24));
}

TEST(ElementNotation, BareFileNamesAndShortValues) {
  const TacElementFields f = Parse(u"BACK.JPG");
  EXPECT_EQ(f.ImgType, itisaTexture);
  EXPECT_EQ(f.ImageCount, 1);
  EXPECT_EQ(f.FileName, u"BACK.JPG");
  EXPECT_TRUE(IsElementValue(u"DIR\\BACK.BMP"));
  EXPECT_FALSE(IsElementValue(u"0xFF00"));
  EXPECT_FALSE(IsElementValue(u""));
  // Under four characters: three frames, draw mode 1, the kind of the prefix.
  const TacElementFields s = Parse(u"!AB");
  EXPECT_EQ(s.ImageCount, 3);
  EXPECT_EQ(s.DrawMode, 1);
  EXPECT_EQ(s.ImgType, itisaBorder);
  EXPECT_EQ(s.FileName, u"AB");
  EXPECT_EQ(Parse(u"@1").ImgType, itisaGlyph);
  EXPECT_EQ(Parse(u"~").ImgType, itisaTexture);
}

TEST(ElementNotation, BadFieldsRaiseConversionErrors) {
  EXPECT_THROW(Parse(u"^00A7^0001^0060^0002^0001^0000^0000^0000^1^0^1^1"), ESkinConvertError);
  // Words that are not four digits shift the fixed positions.
  EXPECT_THROW(Parse(u"@26@11@39@24@1@0"), ESkinConvertError);
  EXPECT_THROW(Parse(u"&0001"), ESkinConvertError);
  // A zero image count reads as one frame.
  EXPECT_EQ(Parse(u"@0000@0000@0010@0010@0@0").ImageCount, 1);
}

}  // namespace
}  // namespace qv
