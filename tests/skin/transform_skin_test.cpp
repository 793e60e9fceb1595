// The settings applied to a freshly loaded skin: what each step reaches, the
// glyphs exempt from the hue, mask halves and single application.
#include <gtest/gtest.h>

#include <memory>

#include "skin/color_transforms.h"
#include "skin/skin_transforms.h"

namespace qv {
namespace {

constexpr TBGRA kRed{0, 0, 255, 255};
constexpr TBGRA kWhite{255, 255, 255, 255};

struct Loaded {
  TBitmap32 master{40, 20};
  TacSkinData sd{nullptr, 96};
  TacSkinCommonInfo ci;
  TacPaletteArray palette{};

  Loaded() {
    master.Fill(kRed);
    master.Pixel(0, 0) = kKeyPixel;
    palette.fill(0x0000FF);
    ci.Shadow1Color = 0x0000FF;
    TsGeneralData g;
    g.Props[0].Color = 0x0000FF;
    g.Props[1].Color = -1;
    g.Props[2].FontColor.Left = 0x0000FF;
    sd.gd.push_back(g);
  }
  void AddElement(const char16_t* section, const char16_t* name, TRect r, int mask_type,
                  std::shared_ptr<TBitmap32> bmp = nullptr) {
    TsMaskData m;
    m.ClassName = section;
    m.PropertyName = name;
    m.R = r;
    m.MaskType = static_cast<std::int16_t>(mask_type);
    m.Bmp = bmp;
    sd.ma.push_back(m);
  }
  TSkinTransformTarget All() { return {&master, &sd, &ci, &palette}; }
};

TEST(TransformSkin, HueReachesEveryPartOnce) {
  Loaded s;
  auto cached = std::make_shared<TBitmap32>(4, 4);
  cached->Fill(kRed);
  s.sd.BmpArray.push_back({96, 96, 0, u"", u"A.BMP", cached, {}, {}});
  ApplySkinTransforms({120, 0, 0}, s.All());
  const TBGRA green{0, 255, 0, 255};
  EXPECT_EQ(s.master.Pixel(0, 0), kKeyPixel);
  EXPECT_EQ(s.master.Pixel(5, 5), green);
  EXPECT_EQ(cached->Pixel(3, 3), green);
  EXPECT_EQ(s.sd.gd[0].Props[0].Color, 0x00FF00);
  EXPECT_EQ(s.sd.gd[0].Props[1].Color, -1);
  EXPECT_EQ(s.sd.gd[0].Props[2].FontColor.Left, 0x00FF00);
  EXPECT_EQ(s.sd.gd[0].Props[2].FontColor.Top, -1);
  EXPECT_EQ(s.ci.Shadow1Color, 0x00FF00);
  EXPECT_EQ(s.palette[pcMainColor], 0x00FF00);
  EXPECT_EQ(s.palette[pcHintText], 0x00FF00);
  // Not every palette entry follows the skin's hue.
  EXPECT_EQ(s.palette[pcWebTextHot], 0x0000FF);
  EXPECT_EQ(s.palette[pcBtnToneRed], 0x0000FF);
}

TEST(TransformSkin, GradientStopsKeepAlphaAndTakeTheHueOnlyWhenMixed) {
  const TsGradArray red = {{0, 0, {255, 0, 0, 255}, 0}, {1, 0x10, {255, 0, 0, 0x80}, 100}};
  auto loaded = [&] {
    auto s = std::make_unique<Loaded>();
    s->sd.gd[0].Props[0].GradientPercent = 40;
    s->sd.gd[0].Props[0].GradientArray = red;
    s->sd.gd[0].Props[1].GradientArray = red;  // GradientPercent 0
    return s;
  };
  auto s = loaded();
  ApplySkinTransforms({120, 0, 0}, s->All());
  const TsGradArray& mixed = s->sd.gd[0].Props[0].GradientArray;
  EXPECT_EQ(mixed[0].Color, (TsColor{0, 255, 0, 255}));
  EXPECT_EQ(mixed[1].Color, (TsColor{0, 255, 0, 0x80}));
  EXPECT_EQ(mixed[1].Percent, 100);
  EXPECT_EQ(s->sd.gd[0].Props[1].GradientArray[0].Color, red[0].Color);
  // Saturation and brightness reach every gradient.
  s = loaded();
  ApplySkinTransforms({0, -100, 0}, s->All());
  const TColor grey = SaturationColor(0xFF0000FF, SaturationAmount(-100));
  EXPECT_EQ(s->sd.gd[0].Props[1].GradientArray[0].Color.Value(), static_cast<std::uint32_t>(grey));
  EXPECT_EQ(s->sd.gd[0].Props[1].GradientArray[1].Color.A, 0x80);
  s = loaded();
  ApplySkinTransforms({0, 0, -50}, s->All());
  EXPECT_EQ(s->sd.gd[0].Props[1].GradientArray[0].Color,
            (TsColor{206, 0, 0, 255}));  // 255 - 50 * 255 div 256
}

TEST(TransformSkin, ButtonColoursOfThePaletteCarryAlpha) {
  Loaded s;
  s.palette[pcBtnColor1Active] = static_cast<TColor>(0xFF0000FFu);
  s.palette[pcBtnColor2Pressed] = static_cast<TColor>(0x800000FFu);
  s.palette[pcSelectionBG] = -1;
  ApplySkinTransforms({120, 0, 0}, s.All());
  EXPECT_EQ(static_cast<std::uint32_t>(s.palette[pcBtnColor1Active]), 0xFF00FF00u);
  EXPECT_EQ(static_cast<std::uint32_t>(s.palette[pcBtnColor2Pressed]), 0x8000FF00u);
  EXPECT_EQ(s.palette[pcSelectionBG], -1);  // unset stays unset
}

TEST(TransformSkin, StepsRunHueThenSaturationThenBrightness) {
  Loaded s;
  s.master.Pixel(3, 3) = {50, 100, 200, 255};
  ApplySkinTransforms({1000, 40, -30}, s.All());
  const TBGRA want = BrightnessPixel(
      SaturationPixel(HuePixel({50, 100, 200, 255}, 1000), SaturationAmount(40)), -30);
  EXPECT_EQ(s.master.Pixel(3, 3), want);
  // Brightness leaves the palette and the shadow colour alone.
  Loaded b;
  ApplySkinTransforms({0, 0, -50}, b.All());
  EXPECT_EQ(b.palette[pcMainColor], 0x0000FF);
  EXPECT_EQ(b.ci.Shadow1Color, 0x0000FF);
  EXPECT_EQ(b.sd.gd[0].Props[0].Color, BrightnessColor(0x0000FF, -50));
}

TEST(TransformSkin, TitleGlyphsKeepTheirHue) {
  for (int keep : {0, 1, 2}) {
    Loaded s;
    s.ci.BIKeepHUE = keep;
    s.AddElement(u"GLOBALINFO", u"BICONCLOSE", Bounds(0, 10, 5, 5), 0);
    s.AddElement(u"GLOBALINFO", u"BICONMAX", Bounds(10, 10, 5, 5), 0);
    auto own = std::make_shared<TBitmap32>(2, 2);
    auto glow = std::make_shared<TBitmap32>(2, 2);
    own->Fill(kRed);
    glow->Fill(kRed);
    s.AddElement(u"GLOBALINFO", u"SICONCLOSE", {}, 0, own);
    s.AddElement(u"GLOBALINFO", u"SICONCLOSEGLOW0", {}, 0, glow);
    s.sd.BmpArray.push_back({96, 96, 0, u"", u"", own, {}, {}});
    s.sd.BmpArray.push_back({96, 96, 0, u"", u"", glow, {}, {}});
    ApplySkinTransforms({240, 0, 0}, s.All());
    const TBGRA blue{255, 0, 0, 255};
    EXPECT_EQ(s.master.Pixel(2, 12), keep > 0 ? kRed : blue) << keep;
    EXPECT_EQ(s.master.Pixel(12, 12), keep == 1 ? kRed : blue) << keep;
    EXPECT_EQ(s.master.Pixel(30, 2), blue) << keep;
    EXPECT_EQ(own->Pixel(1, 1), keep > 0 ? kRed : blue) << keep;
    EXPECT_EQ(glow->Pixel(1, 1), keep > 0 ? kRed : blue) << keep;
  }
}

// A density loaded after the first finds the master already transformed
// around the first density's glyphs: its own kept glyphs cut from the master
// take copies of the pixels as read, and the others stay where they are.
TEST(TransformSkin, AFurtherDensityKeepsItsTitleGlyphsFromTheMasterAsRead) {
  Loaded first;
  first.ci.BIKeepHUE = 2;
  first.AddElement(u"GLOBALINFO", u"BICONCLOSE", Bounds(0, 10, 5, 5), 0);
  const TBitmap32 as_read = first.master;
  ApplySkinTransforms({240, 0, 0}, first.All());
  const TBGRA blue{255, 0, 0, 255};
  ASSERT_EQ(first.master.Pixel(2, 12), kRed);
  ASSERT_EQ(first.master.Pixel(22, 12), blue);

  TacSkinData second(nullptr, 192);
  for (const auto& [name, r] : {std::pair{u"BICONCLOSE", Bounds(20, 10, 10, 10)},
                                std::pair{u"BICONMIN", Bounds(30, 10, 10, 10)}}) {
    TsMaskData m;
    m.ClassName = u"GLOBALINFO";
    m.PropertyName = name;
    m.R = r;
    second.ma.push_back(m);
  }
  ApplySkinTransforms({240, 0, 0}, {nullptr, &second, &first.ci, nullptr, &as_read});
  const TsMaskData& close = second.ma[0];
  ASSERT_TRUE(close.Bmp);
  EXPECT_EQ(close.R, Rect(0, 0, 10, 10));
  EXPECT_EQ(close.Bmp->Pixel(5, 5), kRed);
  EXPECT_FALSE(second.ma[1].Bmp);  // not kept: the transformed master serves
  EXPECT_EQ(second.ma[1].R, Bounds(30, 10, 10, 10));
  EXPECT_EQ(first.master.Pixel(22, 12), blue);  // the master is not touched again
}

TEST(TransformSkin, MaskHalvesStayAsLoaded) {
  for (TSkinTransformSettings set :
       {TSkinTransformSettings{0, 100, 0}, TSkinTransformSettings{0, -100, 0},
        TSkinTransformSettings{0, 0, -100}, TSkinTransformSettings{500, 60, 40}}) {
    Loaded s;
    // An element in the master: image rows 0..4, a white mask in rows 5..9.
    for (int y = 5; y < 10; ++y)
      for (int x = 20; x < 30; ++x) s.master.Pixel(x, y) = kWhite;
    s.AddElement(u"BUTTON", u"BORDERS", Bounds(20, 0, 10, 10), 1);
    // A cached piece of the master at another place, and an own masked image.
    for (int y = 15; y < 20; ++y) s.master.Pixel(35, y) = kWhite;
    s.sd.BmpArray.push_back({96, 96, 1, u"", u"", nullptr, Bounds(35, 10, 1, 10), {}});
    auto own = std::make_shared<TBitmap32>(3, 4);
    own->Fill(kWhite);
    s.sd.BmpArray.push_back({96, 96, 1, u"", u"", own, {}, {}});
    ApplySkinTransforms(set, s.All());
    EXPECT_EQ(s.master.Pixel(25, 7), kWhite) << set.Saturation << ' ' << set.Brightness;
    EXPECT_EQ(s.master.Pixel(35, 17), kWhite) << set.Saturation << ' ' << set.Brightness;
    EXPECT_EQ(own->Pixel(2, 3), kWhite) << set.Saturation << ' ' << set.Brightness;
  }
}

TEST(TransformSkin, PngImagesArePremultipliedWhenBrightened) {
  Loaded s;
  auto png = std::make_shared<TBitmap32>(2, 1);
  png->Pixel(0, 0) = {100, 100, 100, 128};
  png->Pixel(1, 0) = {255, 255, 255, 0};
  auto bmp = std::make_shared<TBitmap32>(*png);
  s.sd.BmpArray.push_back({96, 96, 0, u"", u"GLYPH.PNG", png, {}, {}});
  s.sd.BmpArray.push_back({96, 96, 0, u"", u"GLYPH.BMP", bmp, {}, {}});
  ApplySkinTransforms({0, 0, 50}, s.All());
  // 100 -> 119, then 119 * 128 div 256.
  EXPECT_EQ(png->Pixel(0, 0), (TBGRA{59, 59, 59, 128}));
  EXPECT_EQ(png->Pixel(1, 0), (TBGRA{}));
  EXPECT_EQ(bmp->Pixel(0, 0), (TBGRA{119, 119, 119, 128}));
}

TEST(TransformSkin, AFurtherLoadTransformsOnlyItsOwnData) {
  Loaded first;
  ApplySkinTransforms({120, 0, 0}, first.All());
  // The second density's data arrives alone: the palette and the first
  // density's sections are not passed, so they stay transformed once.
  TacSkinData second(nullptr, 144);
  TsGeneralData g;
  g.Props[0].Color = 0x0000FF;
  second.gd.push_back(g);
  ApplySkinTransforms({120, 0, 0}, {nullptr, &second, &first.ci, nullptr});
  EXPECT_EQ(second.gd[0].Props[0].Color, 0x00FF00);
  EXPECT_EQ(first.sd.gd[0].Props[0].Color, 0x00FF00);
  EXPECT_EQ(first.palette[pcMainColor], 0x00FF00);
  EXPECT_EQ(first.ci.Shadow1Color, 0x00FF00);
  // Data passed again is not transformed again, while a freshly read master
  // still keeps the mask halves its elements describe.
  TBitmap32 master(10, 10);
  master.Fill(kRed);
  for (int x = 0; x < 10; ++x) master.Pixel(x, 7) = kWhite;
  first.AddElement(u"BUTTON", u"BORDERSMASK", Bounds(0, 4, 10, 6), 1);
  ApplySkinTransforms({120, 50, 20}, {&master, &first.sd, &first.ci, nullptr});
  EXPECT_EQ(first.sd.gd[0].Props[0].Color, 0x00FF00);
  EXPECT_EQ(master.Pixel(3, 7), kWhite);
  EXPECT_NE(master.Pixel(3, 3), kRed);
  // Once reset, the next load is transformed again.
  first.sd.Reset();
  first.sd.gd.push_back(g);
  ApplySkinTransforms({120, 0, 0}, {nullptr, &first.sd, &first.ci, nullptr});
  EXPECT_EQ(first.sd.gd[0].Props[0].Color, 0x00FF00);
  // Nothing at all with every setting 0.
  Loaded none;
  ApplySkinTransforms({}, none.All());
  EXPECT_EQ(none.master.Pixel(5, 5), kRed);
  EXPECT_EQ(none.palette[pcMainColor], 0x0000FF);
}

}  // namespace
}  // namespace qv
