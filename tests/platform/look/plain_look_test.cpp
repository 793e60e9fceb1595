// The plain look the window system and the standard controls share: the one
// button face in its flat and raised looks, the window-command glyphs and
// the fonts at other densities.
#include "platform/look/plain_look.h"

#include <gtest/gtest.h>

#include "platform/bitmap.h"

namespace qv {
namespace {

class PlainLook : public ::testing::Test {
 protected:
  TBitmap32 bmp{20, 12};
  TCanvas canvas{bmp};
  TFlatPalette p = FlatPalette();
  TColor At(int x, int y) { return canvas.GetPixel(x, y); }
  void Clear() { canvas.FillRect({0, 0, 20, 12}, clBlack); }
};

TEST_F(PlainLook, RaisedFaceSinksWhenPressedAndFramesTheDefaultButton) {
  const TRect r{2, 2, 18, 10};
  TPaintState s;
  Clear();
  DrawButtonFace(canvas, r, s, TButtonLook::Raised);
  EXPECT_EQ(At(2, 2), p.Highlight);
  EXPECT_EQ(At(17, 5), p.DarkShadow);
  EXPECT_EQ(At(5, 9), p.DarkShadow);
  EXPECT_EQ(At(8, 5), p.Face);
  EXPECT_EQ(At(1, 1), clBlack) << "nothing outside r";

  s.Pressed = true;
  DrawButtonFace(canvas, r, s, TButtonLook::Raised);
  EXPECT_EQ(At(2, 5), p.DarkShadow);
  EXPECT_EQ(At(17, 5), p.Highlight);

  // The default button: a dark frame, the bevel inside it with the shadow.
  s = {};
  s.Default = true;
  DrawButtonFace(canvas, r, s, TButtonLook::Raised);
  EXPECT_EQ(At(2, 2), p.DarkShadow);
  EXPECT_EQ(At(17, 9), p.DarkShadow);
  EXPECT_EQ(At(3, 3), p.Highlight);
  EXPECT_EQ(At(16, 8), p.Border);
  s.Pressed = true;
  DrawButtonFace(canvas, r, s, TButtonLook::Raised);
  EXPECT_EQ(At(3, 3), p.Border);
  EXPECT_EQ(At(16, 8), p.Highlight);
}

TEST_F(PlainLook, FlatFaceShowsStateInFillAndOutline) {
  const TRect r{0, 0, 20, 12};
  TPaintState s;
  s.Default = true;
  DrawButtonFace(canvas, r, s);
  EXPECT_EQ(At(0, 0), p.Accent);
  EXPECT_EQ(At(1, 1), p.Accent) << "the default button's second line";
  EXPECT_EQ(At(5, 5), p.Face);
  s.Enabled = false;
  DrawButtonFace(canvas, r, s);
  EXPECT_EQ(At(0, 0), p.Disabled);
  EXPECT_EQ(At(1, 1), p.Face) << "a disabled default button is not marked";
  s = {};
  s.Hot = true;
  s.Pressed = true;
  DrawButtonFace(canvas, r, s);
  EXPECT_EQ(At(5, 5), p.FacePressed) << "pressed wins over hot";
}

TEST_F(PlainLook, CommandGlyphsFillTheirSquareWithStrokesOfTheGivenThickness) {
  const TRect g{4, 2, 12, 10};  // 8 x 8
  Clear();
  DrawCommandGlyph(canvas, g, TCommandGlyph::Close, clWhite, 1);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(At(4 + i, 2 + i), clWhite) << i;
    EXPECT_EQ(At(11 - i, 2 + i), clWhite) << i;
  }
  EXPECT_EQ(At(4, 5), clBlack);

  Clear();
  DrawCommandGlyph(canvas, g, TCommandGlyph::Minimize, clWhite, 2);
  EXPECT_EQ(At(4, 6), clWhite) << "a bar 2 x 2 pixels high";
  EXPECT_EQ(At(11, 9), clWhite);
  EXPECT_EQ(At(4, 5), clBlack);

  Clear();
  DrawCommandGlyph(canvas, g, TCommandGlyph::Maximize, clWhite, 1);
  EXPECT_EQ(At(8, 3), clWhite) << "the title line is two strokes";
  EXPECT_EQ(At(8, 4), clBlack);
  EXPECT_EQ(At(4, 9), clWhite);

  Clear();
  DrawCommandGlyph(canvas, g, TCommandGlyph::Restore, clWhite, 1);
  EXPECT_EQ(At(11, 2), clWhite) << "the window behind";
  EXPECT_EQ(At(4, 9), clWhite) << "the window in front";
  EXPECT_EQ(At(5, 7), clBlack) << "hollow";

  Clear();
  DrawCommandGlyph(canvas, {4, 2, 4, 10}, TCommandGlyph::Close, clWhite, 1);
  EXPECT_EQ(At(4, 2), clBlack) << "an empty square draws nothing";
}

TEST_F(PlainLook, FontsFollowTheDensityWithTheirOwnRounding) {
  EXPECT_EQ(FlatFont().Height, -11);
  const TFont menu = FlatFont(144);
  EXPECT_EQ(menu.Height, -17);
  EXPECT_EQ(menu.PixelsPerInch, 144);
  EXPECT_EQ(menu.Name, u"Tahoma");
  EXPECT_EQ(FlatFont(144, TScaleRounding::TowardZero).Height, -16) << "the message box's";
  EXPECT_EQ(CaptionFont(96).Height, -13);
  EXPECT_EQ(CaptionFont(144).Height, -19) << "truncated, as the frame it sits in";
  EXPECT_EQ(CaptionFont(120).Height, -16);
}

}  // namespace
}  // namespace qv
