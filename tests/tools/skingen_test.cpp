// The program's skin and its generator: the committed package is what the
// generator draws; it reads through the skin engine's own parsers into the
// layout the program expects; every element lies inside its image and has a
// variant for each density; and after the window's hue offset every text
// colour is readable on what it is drawn on.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "platform/acPNG.h"
#include "platform/image_bmp.h"
#include "skin/color_transforms.h"
#include "skin/element_notation.h"
#include "skin/section_model.h"
#include "skin/skin_scale.h"
#include "tools/skingen/elements.h"
#include "tools/skingen/palette.h"
#include "tools/skingen/sheet.h"
#include "tools/skingen/skin.h"
#include "tools/skingen/view.h"

namespace qv::skingen {
namespace {

namespace fs = std::filesystem;

TBytes ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Slurp(const fs::path& path) {
  const TBytes b = ReadFile(path);
  return {b.begin(), b.end()};
}

int RunTool(const std::string& exe, const std::string& args, const fs::path& out) {
  const std::string cmd = "'" + exe + "' " + args + " >'" + out.string() + "' 2>&1";
  const int status = std::system(cmd.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class TempDir {
 public:
  TempDir() {
    std::string tmpl = (fs::temp_directory_path() / "skingen-XXXXXX").string();
    path_ = mkdtemp(tmpl.data());
  }
  ~TempDir() { fs::remove_all(path_); }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

// Generated once for the whole file: drawing takes a moment.
const TSkinFiles& Generated() {
  static const TSkinFiles files = GenerateSkin();
  return files;
}

TMemIniFile Options() {
  TMemIniFile ini;
  ini.LoadFromBytes(Generated().Options);
  return ini;
}

TEST(Skin, CommittedPackageIsWhatTheGeneratorDraws) {
  const TBytes committed = ReadFile(fs::path(QV_RESOURCES_DIR) / kPackagePath);
  ASSERT_FALSE(committed.empty());
  EXPECT_TRUE(committed == Generated().Package) << "run the `skin` target";
  // And the tool writes the same bytes.
  TempDir out;
  ASSERT_EQ(RunTool(QV_SKINGEN_EXE, "'" + out.Path().string() + "'", out.Path() / "log"), 0)
      << Slurp(out.Path() / "log");
  EXPECT_TRUE(ReadFile(out.Path() / kPackagePath) == committed);
}

TEST(Skin, PackageListsAndExtractsItsThreeFilesAndPreview) {
  TempDir dir;
  const fs::path log = dir.Path() / "log";
  ASSERT_EQ(RunTool(QV_ASZ_EXE,
                    "list '" + (fs::path(QV_RESOURCES_DIR) / kPackagePath).string() + "'", log),
            0);
  const std::string listing = Slurp(log);
  for (const char* name : {kOptionsName, kHugeButtonName, kMasterName, "preview"})
    EXPECT_NE(listing.find(name), std::string::npos) << listing;
  EXPECT_EQ(listing.find("warning"), std::string::npos) << listing;

  const fs::path out = dir.Path() / "x";
  ASSERT_EQ(RunTool(QV_ASZ_EXE,
                    "extract '" + (fs::path(QV_RESOURCES_DIR) / kPackagePath).string() + "' '" +
                        out.string() + "' --preview '" + (dir.Path() / "p.png").string() + "'",
                    log),
            0)
      << Slurp(log);
  EXPECT_TRUE(ReadFile(out / kOptionsName) == Generated().Options);
  EXPECT_TRUE(ReadFile(out / kHugeButtonName) == Generated().HugeButton);
  EXPECT_TRUE(ReadFile(out / kMasterName) == Generated().Master);
  // Read as the skin engine reads it: the options, then the two images in
  // package order, the preview after the third entry.
  TacSkinConvertor conv;
  conv.BorrowPackedData(Generated().Package);
  ASSERT_TRUE(conv.ReadPackage());
  conv.ReleasePackedData();
  ASSERT_TRUE(conv.Options);
  ASSERT_EQ(conv.FileCount, 2);
  EXPECT_EQ(conv.Files[0].Name, u"BUTTONHUGE.BMP");
  EXPECT_EQ(conv.Files[0].FileType, ftBmp);
  EXPECT_EQ(conv.Files[1].Name, u"MASTER COPY.PNG");
  const TBitmap32 preview = LoadPngImage(ReadFile(dir.Path() / "p.png"));
  EXPECT_EQ(preview.Width(), kPreviewWidth);
  EXPECT_EQ(preview.Height(), kPreviewHeight);
}

TEST(Skin, SectionLayoutAndTheKeysTheProgramReads) {
  const TMemIniFile ini = Options();
  const std::vector<ustring> sections = ini.ReadSections();
  ASSERT_EQ(sections.size(), 71u);
  EXPECT_EQ(sections[0], u"GLOBALINFO");
  EXPECT_EQ(sections[1], u"DIVIDER");
  EXPECT_EQ(sections[2], u"EDIT");
  for (const char16_t* absent : {u"TRANSPARENT", u"MAINCOLOR", u"DIALOGTITLE", u"COLHEADERA",
                                 u"COLHEADERL", u"COLHEADERR", u"FORMHEADER"})
    EXPECT_FALSE(ini.SectionExists(absent)) << Utf16ToUtf8(absent);
  // Every other standard section is there, and every parent exists.
  const std::set<ustring> have(sections.begin(), sections.end());
  const std::set<ustring> stand_ins = {u"TRANSPARENT", u"DIALOGTITLE", u"FORMHEADER",
                                       u"COLHEADERA",  u"COLHEADERL",  u"COLHEADERR"};
  for (const char16_t* name : kStandardSectionNames)
    if (!stand_ins.count(name)) {
      EXPECT_TRUE(have.count(name)) << Utf16ToUtf8(name);
    }
  for (const ustring& s : sections) {
    const ustring parent = ini.ReadString(s, u"PARENTCLASS", u"");
    if (!parent.empty()) {
      EXPECT_TRUE(have.count(parent)) << Utf16ToUtf8(s);
    }
    for (const char16_t* glow : {u"GSIZE", u"HGSIZE", u"GSIZE2"})
      EXPECT_FALSE(ini.ValueExists(s, glow)) << Utf16ToUtf8(s);
  }
  for (const char16_t* key :
       {u"FADINGENABLED", u"FADINGITERATIONS", u"PREVIEW", u"BICONCLOSE", u"BICONMIN", u"BICONMAX",
        u"BICONNORM", u"BOXCHECKED", u"BOXUNCHECKED", u"BOXGRAYED", u"COMBOMARGIN", u"SLIDERMARGIN",
        u"BIRIGHT", u"BILEFT", u"TITLEHEIGHT", u"BORDERWIDTH", u"BIKEEPHUE",
        u"COLORTONEBLUETEXTActive", u"COLORTONEYELLOWTEXTActive"})
    EXPECT_TRUE(ini.ValueExists(u"GLOBALINFO", key)) << Utf16ToUtf8(key);
  EXPECT_EQ(ini.ReadString(u"GLOBALINFO", u"MainFont", u""), u"Tahoma");
  EXPECT_EQ(ini.ReadDecimal(u"GLOBALINFO", u"VERSION", 0), 14.01);
  EXPECT_TRUE(ini.ValueExists(u"COMBOBOX", u"GLYPHMASK"));
  EXPECT_TRUE(ini.ValueExists(u"TRACKBAR", u"SLIDERMASK"));
  EXPECT_TRUE(ini.ValueExists(u"TRACKBAR", u"SLIDERCHANNEL"));
  EXPECT_TRUE(ini.ValueExists(u"BUTTON", u"GLOW0"));
  EXPECT_GE(ini.ReadInteger(u"BUTTON", u"GLOW", 0), 1);
  EXPECT_EQ(ini.ReadInteger(u"FORM", u"STATES", 0), 2);

  // The lines of the program's skin stay as quoted.
  EXPECT_EQ(ini.ReadString(u"GLOBALINFO", u"BOXCHECKED", u""), u"@0026@0011@0039@0024@1@0");
  const ustring big = ini.ReadString(u"GLOBALINFO", u"BOXCHECKED*200", u"");
  EXPECT_EQ(CanonicalElementText(big), big);  // already canonical
  EXPECT_EQ(ini.ReadString(u"DIVIDER", u"BORDERSMASK", u""),
            u"^0057^0001^0060^0002^0001^0000^0000^0000^1^0^1^1");
  EXPECT_EQ(ini.ReadString(u"BUTTON_HUGE", u"BORDERSMASK", u""),
            u"!BUTTONHUGE.BMP!3!1!0!0031!0031!0031!0031!5");
  EXPECT_EQ(ini.ReadString(u"DIALOG", u"PATTERN", u""), u"~0136~0000~0137~0120~02~0");
  EXPECT_EQ(ini.ReadString(u"BUTTON", u"GRADIENTDATA", u""),
            u"16777215;15461355;97;0;0;15461355;15461355;0;0;0");

  // Read into the section model: "TRANSPARENT" and "MAINCOLOR" follow the
  // file's sections, then the stand-ins for missing standard sections.
  TacSkinData sd(nullptr, 96);
  TacSkinCommonInfo info;
  BuildSectionModel(ini, sd, info);
  ASSERT_EQ(sd.gd.size(), 77u);
  EXPECT_EQ(sd.gd[71].ClassName, u"TRANSPARENT");
  EXPECT_EQ(sd.gd[72].ClassName, u"MAINCOLOR");
  EXPECT_EQ(sd.gd[73].ClassName, u"DIALOGTITLE");
  EXPECT_EQ(sd.gd[74].ClassName, u"COLHEADERA");
  EXPECT_EQ(sd.gd[76].ClassName, u"COLHEADERR");
  EXPECT_EQ(info.Sections[ssFormHeader], -1);
  EXPECT_EQ(info.Sections[ssFormTitle], 4);
  for (const TsGeneralData& g : sd.gd)
    for (const TsGenState& st : g.Props) EXPECT_LE(st.GlowSize, 0) << Utf16ToUtf8(g.ClassName);
  const TsMaskData& divider =
      sd.ma[static_cast<std::size_t>(GetMaskIndex(sd, u"DIVIDER", u"BORDERSMASK"))];
  EXPECT_EQ(divider.R, Rect(57, 1, 60, 2));
  EXPECT_EQ(divider.DrawMode, 1);
  const TsMaskData& box =
      sd.ma[static_cast<std::size_t>(GetMaskIndex(sd, u"GLOBALINFO", u"BOXCHECKED"))];
  EXPECT_EQ(box.R, Rect(26, 11, 39, 24));
  EXPECT_EQ(box.ImgType, itisaGlyph);
}

TEST(Skin, EveryElementLiesInsideItsImageAtEveryDensity) {
  const TSkinFiles& f = Generated();
  const TBitmap32 master = LoadPngImage(f.Master);
  const TBitmap32 huge = DecodeBmp(f.HugeButton);
  // No two elements share pixels of the master bitmap.
  for (std::size_t i = 0; i < f.Placed.size(); ++i)
    for (std::size_t j = i + 1; j < f.Placed.size(); ++j) {
      const TRect& a = f.Placed[i].R;
      const TRect& b = f.Placed[j].R;
      if (f.Placed[i].File.empty() && f.Placed[j].File.empty()) {
        EXPECT_FALSE(a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom)
            << Utf16ToUtf8(f.Placed[i].Key) << " and " << Utf16ToUtf8(f.Placed[j].Key);
      }
    }
  for (int ppi : {96, 100, 120, 144, 168, 192, 240}) {
    SCOPED_TRACE(ppi);
    const TSkinView view(f.Package, ppi);
    const TacSkinData& sd = view.Data();
    ASSERT_GE(sd.ma.size(), 50u);
    for (const TsMaskData& m : sd.ma) {
      SCOPED_TRACE(Utf16ToUtf8(m.ClassName + u"/" + m.PropertyName));
      const TBitmap32& image = m.Bmp ? *m.Bmp : master;
      EXPECT_TRUE(m.R.Left >= 0 && m.R.Top >= 0 && m.R.Right <= image.Width() &&
                  m.R.Bottom <= image.Height() && !m.R.IsEmpty());
      EXPECT_EQ(m.R.Width() % m.ImageCount, 0);
      EXPECT_EQ(m.R.Height() % (m.MaskType + 1), 0);
      // A nine-slice keeps a middle to lay out.
      EXPECT_LT(m.WL + m.WR, m.Width);
      EXPECT_LT(m.WT + m.WB, m.Height);
      EXPECT_EQ(m.DivPPI,
                DesignPPI(ScaleIndexOfPPI(ppi) + (DesignPPI(ScaleIndexOfPPI(ppi)) < ppi)));
    }
  }
  EXPECT_EQ(huge.Width(), 3 * 64);
  EXPECT_EQ(huge.Height(), 2 * 64);
}

TEST(Skin, EveryElementHasAVariantForEachDensityDrawnToItsSize) {
  const TMemIniFile ini = Options();
  int elements = 0;
  for (const ustring& s : ini.ReadSections())
    for (const auto& kv : ini.SectionValues(s)) {
      if (kv.Key.find(u'*') != ustring::npos || !IsElementValue(UpperCase(kv.Value))) continue;
      if (s == u"GLOBALINFO" && kv.Key == u"MASTERBITMAP") continue;
      ++elements;
      SCOPED_TRACE(Utf16ToUtf8(s + u"/" + kv.Key));
      int last_width = 0;
      for (int scale = 0; scale < kScaleCount; ++scale) {
        const auto chosen = ChooseScaleVariant(ini, s, kv.Key, kScalePPI[scale]);
        ASSERT_TRUE(chosen);
        EXPECT_EQ(chosen->DivPPI, kScalePPI[scale]);
        TsMaskData m;
        ReadElementValue(chosen->Value, m, nullptr);
        // Rectangles of file images are the whole file (drawn at 100 %).
        const int width = m.R.IsEmpty() ? 192 : m.R.Width();
        EXPECT_GE(width, last_width);
        last_width = width;
      }
    }
  EXPECT_GE(elements, 50);
}

TEST(Skin, TitleButtonsFitTheTitleBarAtEveryDensity) {
  for (const TDensity& d : kDensities) {
    const TTitleMetrics t = TitleMetrics(d);
    const TSkinView view(Generated().Package, d.PPI());
    const TsMaskData& close =
        view.Data()
            .ma[static_cast<std::size_t>(GetMaskIndex(view.Data(), u"GLOBALINFO", u"BICONCLOSE"))];
    EXPECT_EQ(close.Height, t.ButtonHeight) << d.PPI();
    EXPECT_GE(t.VCenter() - close.Height / 2, 0) << d.PPI();
    EXPECT_LE(t.VCenter() - close.Height / 2 + close.Height, t.Header()) << d.PPI();
    // The close button ends at the window's inner edge.
    EXPECT_EQ(view.ScaledGlobal(u"BIRIGHT", 0) + std::max(4, t.Side), d.Stroke(1)) << d.PPI();
  }
}

const TElementDef& Def(ustring_view section, ustring_view key) {
  for (const TElementDef& d : ElementCatalogue())
    if (d.Section == section && d.Key == key) return d;
  throw std::out_of_range("no such element");
}

TEST(Elements, TabsOfEverySideOpenTowardsTheirPage) {
  // side: where the selected tab's accent line lies; the page is opposite.
  const std::pair<const char16_t*, int> sides[] = {
      {u"TABTOP", 1}, {u"TABBOTTOM", 3}, {u"TABLEFT", 0}, {u"TABRIGHT", 2}};
  for (const TDensity& d : kDensities)
    for (const auto& [name, side] : sides) {
      SCOPED_TRACE(Utf16ToUtf8(name) + " at " + std::to_string(d.PPI()));
      const TElementArt a = Def(name, u"BORDERSMASK").Draw(d);
      ASSERT_EQ(a.Frames, 3);
      const int w = a.FrameWidth(), h = a.FrameHeight(), x0 = 2 * w;  // the selected frame
      const int margins[4] = {a.WL, a.WT, a.WR, a.WB};
      EXPECT_EQ(margins[side], d.Stroke(2));
      // The accent fills the margin on its side; the opposite edge is the page.
      const auto at = [&](int s, int i, int along) {
        switch (s) {
          case 0:
            return a.Image.Pixel(x0 + i, along);
          case 1:
            return a.Image.Pixel(x0 + along, i);
          case 2:
            return a.Image.Pixel(x0 + w - 1 - i, along);
          default:
            return a.Image.Pixel(x0 + along, h - 1 - i);
        }
      };
      const int length = side % 2 == 0 ? h : w;
      for (int along = 0; along < length; ++along) {
        for (int i = 0; i < margins[side]; ++i)
          EXPECT_EQ(PixelToColor(at(side, i, along)), shown::kAccent);
        if (along >= d.Stroke(1) && along < length - d.Stroke(1)) {
          EXPECT_EQ(PixelToColor(at((side + 2) % 4, 0, along)), shown::kSurface);
        }
      }
    }
}

TEST(Elements, HugeButtonFileReadsBackAsDrawn) {
  // An odd width, so rows carry padding.
  TBitmap32 bmp(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      bmp.Pixel(x, y) = {static_cast<std::uint8_t>(x * 50), static_cast<std::uint8_t>(y * 100), 7,
                         255};
  const TBitmap32 back = DecodeBmp(EncodeBmp24(bmp));
  ASSERT_EQ(back.Width(), 5);
  ASSERT_EQ(back.Height(), 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(PixelToColor(back.Pixel(x, y)), PixelToColor(bmp.Pixel(x, y)));
  const TBitmap32 huge = DecodeBmp(Generated().HugeButton);
  const TElementArt drawn = Def(u"BUTTON_HUGE", u"BORDERSMASK").Draw(kDensities[0]);
  for (int y = 0; y < huge.Height(); ++y)
    for (int x = 0; x < huge.Width(); ++x)
      ASSERT_EQ(Shown(PixelToColor(huge.Pixel(x, y))), PixelToColor(drawn.Image.Pixel(x, y)))
          << x << "," << y;
}

TEST(Palette, AuthoredColoursComeOutAsDesignedAfterTheRotation) {
  for (TColor c : {shown::kAccent, shown::kAccentDark, shown::kAccentTint, shown::kAccentTintDeep,
                   shown::kTitleInactive, shown::kText, shown::kWindow}) {
    const TColor back = Shown(Authored(c));
    EXPECT_LE(std::abs(GetRValue(back) - GetRValue(c)) + std::abs(GetGValue(back) - GetGValue(c)) +
                  std::abs(GetBValue(back) - GetBValue(c)),
              3)
        << std::hex << c;
  }
  EXPECT_EQ(Authored(shown::kWindow), shown::kWindow);  // greys do not turn
  // An accent authored blue is shown green.
  const TColor a = Authored(shown::kAccent);
  EXPECT_GT(GetBValue(a), GetGValue(a));
  EXPECT_GT(GetBValue(a), GetRValue(a));
  EXPECT_NEAR(ContrastRatio(RGB(0, 0, 0), RGB(255, 255, 255)), 21.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(Hex(0x777777), Hex(0xFFFFFF)), 4.48, 0.01);
}

// What a section's state shows behind its text: its colour or gradient, or
// the pixels of a texture or of a border that draws its own face.
std::vector<TColor> Faces(const TSkinView& v, int section, int state) {
  const TsGeneralData& g = v.Gd(section);
  const TsGenState& s = v.Look(section, state);
  std::vector<TColor> faces;
  const auto pixels = [&](int element, bool centre_only) {
    const TMaskElement e = v.Mask(element);
    const TBitmap32& src = e.Bmp ? *e.Bmp : v.Master();
    const int f = std::min(state, e.ImageCount - 1);
    const int x0 = e.R.Left + f * e.Width;
    for (int y = 0; y < e.Height; ++y)
      for (int x = 0; x < e.Width; ++x)
        if (!centre_only || (x == e.WL && y == e.WT)) {
          const TBGRA p = src.Pixel(x0 + x, e.R.Top + y);
          if (p.A == 255) faces.push_back(PixelToColor(p));
        }
  };
  if (s.ImagePercent > 0 && s.TextureIndex >= 0) {
    pixels(s.TextureIndex, false);
    if (v.Mask(s.TextureIndex).DrawMode == 2) faces.push_back(s.Color);  // below the row
  } else if (g.BorderIndex >= 0 && (v.Mask(g.BorderIndex).DrawMode & 4)) {
    pixels(g.BorderIndex, true);
  }
  if (!faces.empty()) return faces;
  // A clear centre shows the state's own layers.
  if (s.GradientPercent > 0)
    for (const TsGradPoint& stop : s.GradientArray) faces.push_back(stop.Color.Value() & 0xFFFFFF);
  if (s.GradientPercent < 100) faces.push_back(s.Color);
  return faces;
}

TEST(Skin, TextIsReadableOnWhatItIsDrawnOnAfterTheRotation) {
  const TSkinView v(Generated().Package, 96);
  const auto check = [&](TColor text, const std::vector<TColor>& faces, const std::string& what) {
    for (TColor face : faces)
      EXPECT_GE(ContrastRatio(text, face), 4.5)
          << what << ": text " << std::hex << text << " on " << face;
  };
  int checked = 0;
  for (const ustring& name : v.Options().ReadSections()) {
    const int si = v.Section(name);
    const TsGeneralData& g = v.Gd(si);
    for (int s = 0; s < std::min(g.States, 3); ++s) {
      // Fully transparent states hand their text to what lies below.
      if (v.Look(si, s).Transparency != 0) continue;
      check(v.FontColor(si, s), Faces(v, si, s), Utf16ToUtf8(name) + " state " + std::to_string(s));
      ++checked;
    }
  }
  EXPECT_GE(checked, 80);
  // The caption's colours over the title bar; a combo box's selected item
  // (the selection's hot face with its pressed text colour); links.
  const int caption = v.Section(u"CAPTION"), title = v.Section(u"FORMTITLE");
  for (int s = 0; s < 2; ++s) check(v.FontColor(caption, s), Faces(v, title, s), "caption");
  const int sel = v.Section(u"SELECTION");
  check(v.FontColor(sel, 2), {v.Look(sel, 1).Color}, "selected item");
  const TMemIniFile& ini = v.Options();
  const TColor link = Shown(static_cast<TColor>(ini.ReadInteger(u"GLOBALINFO", u"TCBOTTOM", 0)));
  const TColor link_hot = static_cast<TColor>(ini.ReadInteger(u"GLOBALINFO", u"TCTOP", 0));
  for (TColor face : {v.Look(v.Section(u"TABSHEET"), 0).Color, v.Look(v.Section(u"FORM"), 0).Color})
    check(link, {face}, "link"), check(link_hot, {face}, "hot link");
  // The title bar of the active window is shown green, the close button red.
  const TColor bar = v.Look(title, 1).Color;
  EXPECT_GT(GetGValue(bar), 2 * GetRValue(bar));
  const TMaskElement close = v.Mask(GetMaskIndex(v.Data(), u"GLOBALINFO", u"BICONCLOSE"));
  const TBGRA hot = v.Master().Pixel(close.R.Left + close.Width + 1, close.R.Top + 1);
  EXPECT_EQ(PixelToColor(hot), shown::kCloseHot);
}

TEST(Skin, MagentaIsNeverAColour) {
  const TSkinFiles& f = Generated();
  for (const TBitmap32& image : {LoadPngImage(f.Master), DecodeBmp(f.HugeButton)})
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x < image.Width(); ++x)
        EXPECT_NE(PixelToColor(image.Pixel(x, y)) | (image.Pixel(x, y).A == 0 ? 0x1000000 : 0),
                  clKeyColor)
            << x << "," << y;
  const TSkinView v(f.Package, 96);
  for (const TsGeneralData& g : v.Data().gd)
    for (const TsGenState& s : g.Props) {
      EXPECT_NE(s.Color, clKeyColor);
      EXPECT_NE(s.FontColor.Color, clKeyColor);
    }
}

TEST(Skin, GeneratorReportsBadUseAndWritesItsFiles) {
  TempDir tmp;
  const fs::path log = tmp.Path() / "log";
  EXPECT_EQ(RunTool(QV_SKINGEN_EXE, "", log), 2);
  EXPECT_NE(Slurp(log).find("usage:"), std::string::npos);
  EXPECT_EQ(RunTool(QV_SKINGEN_EXE, "a b", log), 2);
  EXPECT_EQ(RunTool(QV_SKINGEN_EXE, "--bogus", log), 2);
  EXPECT_EQ(RunTool(QV_SKINGEN_EXE, "a --files", log), 2);
  const fs::path blocker = tmp.Path() / "file";
  std::ofstream(blocker) << "x";
  EXPECT_EQ(RunTool(QV_SKINGEN_EXE, "'" + blocker.string() + "'", log), 1);
  EXPECT_NE(Slurp(log).find("quorvane-skingen:"), std::string::npos);

  const fs::path files = tmp.Path() / "files";
  ASSERT_EQ(
      RunTool(QV_SKINGEN_EXE,
              "'" + (tmp.Path() / "res").string() + "' --files '" + files.string() + "'", log),
      0)
      << Slurp(log);
  EXPECT_TRUE(ReadFile(files / kOptionsName) == Generated().Options);
  EXPECT_TRUE(ReadFile(files / "preview.png") == Generated().Preview);
}

}  // namespace
}  // namespace qv::skingen
