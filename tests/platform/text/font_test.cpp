// Text engine fonts: face resolution, metrics with the platform's size
// convention, Cyrillic coverage and fallback, fonts registered from memory,
// rendering modes and the glyph cache.
#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <iterator>

#include "platform/text/font_cache.h"
#include "platform/text/font_registry.h"
#include "platform/text/text.h"

namespace qv {
namespace {

TFont Tahoma(int height = -11, TFontStyles style = 0) {
  TFont f;
  f.Name = u"Tahoma";
  f.Height = height;
  f.Style = style;
  f.Charset = RUSSIAN_CHARSET;
  return f;
}

std::vector<std::uint8_t> ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(TextFont, TahomaResolvesToTheWindowsCompatibleFaces) {
  const auto regular = text::ResolveFace(u"Tahoma", false, false, RUSSIAN_CHARSET);
  EXPECT_EQ(regular.Path, std::string(text::kWindowsFontDir) + "/tahoma.ttf");
  EXPECT_FALSE(regular.SynthBold || regular.SynthItalic);
  // Names compare without regard to case; bold has a face of its own.
  const auto bold = text::ResolveFace(u"TAHOMA", true, false, DEFAULT_CHARSET);
  EXPECT_EQ(bold.Path, std::string(text::kWindowsFontDir) + "/tahomabd.ttf");
  EXPECT_FALSE(bold.SynthBold);
  // There is no italic Tahoma: the regular face is slanted.
  const auto italic = text::ResolveFace(u"tahoma", false, true, DEFAULT_CHARSET);
  EXPECT_EQ(italic.Path, regular.Path);
  EXPECT_TRUE(italic.SynthItalic);
  EXPECT_FALSE(italic.SynthBold);
}

TEST(TextFont, SymbolFacesAnswerTheirCodesFromLatinOne) {
  // Marlett's caption-button shapes sit at 0xF030.. in its symbol map: "0"
  // minimise, "r" close.
  TFont f = Tahoma();
  f.Name = u"Marlett";
  auto sized = text::AcquireFont(f);
  ASSERT_TRUE(sized);
  EXPECT_EQ(sized->FamilyName(), u"Marlett");
  EXPECT_TRUE(sized->HasChar(U'0'));
  EXPECT_TRUE(sized->HasChar(U'r'));
  EXPECT_GT(sized->Glyph(U'r').Width, 0);
}

TEST(TextFont, BoldTextIsHeavierThanRegular) {
  // The Windows-compatible Tahoma Bold carries regular-weight outlines; its
  // text must still come out bold.
  for (const char16_t* name : {u"Tahoma", u"DejaVu Sans"}) {
    TFont f = Tahoma();
    f.Name = name;
    auto regular = text::AcquireFont(f);
    f.Style = fsBold;
    auto bold = text::AcquireFont(f);
    long ink_regular = 0, ink_bold = 0;
    for (char32_t c : std::u32string(U"lШн")) {
      for (auto v : regular->Glyph(c).Coverage) ink_regular += v;
      for (auto v : bold->Glyph(c).Coverage) ink_bold += v;
    }
    EXPECT_GT(ink_bold * 10, ink_regular * 14) << Utf16ToUtf8(name);
  }
  EXPECT_TRUE(text::ResolveFace(u"Tahoma", true, false, DEFAULT_CHARSET).ThinBold);
  EXPECT_FALSE(text::ResolveFace(u"DejaVu Sans", true, false, DEFAULT_CHARSET).ThinBold);
}

TEST(TextFont, MetricsFollowThePlatformSizeConvention) {
  TFont eight = Tahoma();
  eight.SetSize(8);
  ASSERT_EQ(eight.Height, -11);
  const TTextMetrics m = GetTextMetrics(eight);
  EXPECT_EQ(m.FaceName, u"Tahoma");
  EXPECT_EQ(m.Ascent, 11);
  EXPECT_EQ(m.Descent, 2);
  EXPECT_EQ(m.Height, 13);
  EXPECT_EQ(m.Height - m.InternalLeading, 11);  // the character height
  EXPECT_EQ(m.ExternalLeading, 0);
  EXPECT_GT(m.AveCharWidth, 0);
  // A positive height is the cell height.
  const TTextMetrics cell = GetTextMetrics(Tahoma(13));
  EXPECT_EQ(cell.Height, 13);
  EXPECT_EQ(cell.InternalLeading, 2);
  const TTextMetrics big = GetTextMetrics(Tahoma(30));
  EXPECT_EQ(big.Height, 30);
  EXPECT_EQ(big.Ascent + big.Descent, 30);
  // Height 0 is the default of 8 points.
  EXPECT_EQ(GetTextMetrics(Tahoma(0)).Height, 13);
  const TTextMetrics title = GetTextMetrics(Tahoma(-16, fsBold));
  EXPECT_EQ(title.Height, 19);
  EXPECT_FALSE(title.SyntheticBold);
}

TEST(TextFont, AbsurdSizesAreCapped) {
  for (int height : {-100000, 100000, INT_MIN + 1, INT_MAX}) {
    const TTextMetrics m = GetTextMetrics(Tahoma(height));
    EXPECT_GT(m.Height, 0) << height;
    EXPECT_LE(m.Height, 1400) << height;
  }
  TBitmap32 bmp(50, 50);
  TTextDevice device(bmp);
  TextOutTo(device, Tahoma(-100000), 0, 0, u"Ж");
}

TEST(TextFont, UnknownFamiliesFallBackToAFaceWithCyrillic) {
  TFont f = Tahoma();
  f.Name = u"No Such Family Anywhere";
  const TTextMetrics m = GetTextMetrics(f);
  EXPECT_EQ(m.FaceName, u"DejaVu Sans");
  auto sized = text::AcquireFont(f);
  ASSERT_TRUE(sized);
  EXPECT_TRUE(sized->HasChar(U'Ж'));
  f.Name.clear();
  EXPECT_EQ(GetTextMetrics(f).FaceName, u"DejaVu Sans");
}

TEST(TextFont, TahomaHasTheRussianAlphabet) {
  auto sized = text::AcquireFont(Tahoma());
  ASSERT_TRUE(sized);
  const std::u32string alphabet =
      U"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя№«»—";
  for (char32_t c : alphabet) {
    EXPECT_TRUE(sized->HasChar(c)) << static_cast<unsigned>(c);
    const text::TGlyph& g = sized->Glyph(c);
    EXPECT_GT(g.Advance, 0) << static_cast<unsigned>(c);
    EXPECT_GT(g.Width * g.Height, 0) << static_cast<unsigned>(c);
  }
}

TEST(TextFont, CharactersTheFaceLacksComeFromTheFallback) {
  auto sized = text::AcquireFont(Tahoma());
  ASSERT_TRUE(sized);
  const char32_t snowman = 0x2603;
  ASSERT_FALSE(sized->HasChar(snowman));
  const text::TGlyph& g = sized->Glyph(snowman);
  EXPECT_GT(g.Width * g.Height, 0);
  EXPECT_GT(g.Advance, 0);
}

TEST(TextFont, UnmappedControlCharactersTakeNoRoom) {
  const TFont f = Tahoma();
  EXPECT_EQ(TextExtentOf(f, u"Да\r\n\tнет\x01").cx, TextExtentOf(f, u"Данет").cx);
  // A missing printable character still shows the face's missing-glyph box.
  EXPECT_GT(TextExtentOf(f, u"\uE000").cx, 0);
}

TEST(TextFont, ExtentsOfKnownCaptionsAreStable) {
  const TFont f = Tahoma();
  EXPECT_EQ(TextExtentOf(f, u"Тактика:"), (TSize{43, 13}));
  EXPECT_EQ(TextExtentOf(f, u"Схема:"), (TSize{35, 13}));
  EXPECT_EQ(TextExtentOf(f, u"Пасы:"), (TSize{30, 13}));
  EXPECT_EQ(TextExtentOf(f, u"Прессинг:"), (TSize{50, 13}));
  EXPECT_EQ(TextExtentOf(Tahoma(-11, fsBold), u"<неизвестно>"), (TSize{85, 13}));
  // Empty text still has the cell height.
  EXPECT_EQ(TextExtentOf(f, u""), (TSize{0, 13}));
  // Underline, strikeout and slant do not change widths.
  EXPECT_EQ(TextExtentOf(Tahoma(-11, fsItalic | fsUnderline | fsStrikeOut), u"Тактика:").cx, 43);
  // Neither does the rendering quality.
  TFont mono = f;
  mono.Quality = TFontQuality::fqNonAntialiased;
  EXPECT_EQ(TextExtentOf(mono, u"Тактика:").cx, 43);
  // Widths add up: no kerning, no shaping.
  EXPECT_EQ(TextExtentOf(f, u"Тактика:Схема:").cx, 43 + 35);
}

TEST(TextFont, MemoryFontsRegisterUnderTheirFamilyAndAnAlias) {
  auto bytes = ReadFile("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf");
  ASSERT_FALSE(bytes.empty());
  const int handle = AddFontMemResource(std::move(bytes), u"Skin Font 0");
  ASSERT_NE(handle, 0);
  EXPECT_EQ(FontMemResourceFamily(handle), u"DejaVu Sans Mono");
  TFont f = Tahoma();
  f.Name = u"skin font 0";
  EXPECT_EQ(GetTextMetrics(f).FaceName, u"DejaVu Sans Mono");
  EXPECT_EQ(TextExtentOf(f, u"iiii"), TextExtentOf(f, u"WWWW"));  // monospaced
  // The face has no bold: it is synthesised, one pixel wider per character.
  TFont bold = f;
  bold.Style = fsBold;
  EXPECT_TRUE(GetTextMetrics(bold).SyntheticBold);
  EXPECT_EQ(TextExtentOf(bold, u"iiii").cx, TextExtentOf(f, u"iiii").cx + 4);

  EXPECT_TRUE(RemoveFontMemResource(handle));
  EXPECT_FALSE(RemoveFontMemResource(handle));
  EXPECT_EQ(FontMemResourceFamily(handle), u"");
  EXPECT_EQ(GetTextMetrics(f).FaceName, u"DejaVu Sans");
  EXPECT_NE(TextExtentOf(f, u"iiii"), TextExtentOf(f, u"WWWW"));
}

TEST(TextFont, BytesThatAreNoFontAreRefused) {
  EXPECT_EQ(AddFontMemResource({}), 0);
  EXPECT_EQ(AddFontMemResource({'n', 'o', 't', ' ', 'a', ' ', 'f', 'o', 'n', 't'}), 0);
  auto bytes = ReadFile("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf");
  bytes.resize(64);
  EXPECT_EQ(AddFontMemResource(std::move(bytes)), 0);
}

TEST(TextFont, SizedFacesAndGlyphsAreCached) {
  const TFont f = Tahoma();
  auto a = text::AcquireFont(f);
  auto b = text::AcquireFont(f);
  EXPECT_EQ(a.get(), b.get());
  const text::TGlyph* first = &a->Glyph(U'Ж');
  const std::size_t count = a->CachedGlyphs();
  EXPECT_EQ(&a->Glyph(U'Ж'), first);
  EXPECT_EQ(a->CachedGlyphs(), count);
  // Size, style and quality each make a face of their own.
  TFont other = f;
  other.Height = -12;
  EXPECT_NE(text::AcquireFont(other).get(), a.get());
  other = f;
  other.Quality = TFontQuality::fqNonAntialiased;
  EXPECT_NE(text::AcquireFont(other).get(), a.get());
  other = f;
  other.Style = fsItalic;
  EXPECT_NE(text::AcquireFont(other).get(), a.get());
  // Underline and colour are drawn by the painter: same face.
  other = f;
  other.Style = fsUnderline;
  other.Color = clRed;
  EXPECT_EQ(text::AcquireFont(other).get(), a.get());
}

TEST(TextFont, QualityChoosesGreyOrMonoCoverage) {
  TFont f = Tahoma();
  auto grey = text::AcquireFont(f);
  f.Quality = TFontQuality::fqNonAntialiased;
  auto mono = text::AcquireFont(f);
  bool grey_has_partial = false;
  for (char32_t c : std::u32string(U"Эффект")) {
    for (auto v : grey->Glyph(c).Coverage) grey_has_partial |= v != 0 && v != 255;
    for (auto v : mono->Glyph(c).Coverage) EXPECT_TRUE(v == 0 || v == 255);
    EXPECT_EQ(grey->Glyph(c).Advance, mono->Glyph(c).Advance);
  }
  EXPECT_TRUE(grey_has_partial);
}

}  // namespace
}  // namespace qv
