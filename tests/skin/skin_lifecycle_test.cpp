// The skin manager's lifecycle: changing skins and recovering from skins that
// fail, skins of the user's directory over stored ones, colour settings,
// densities, scale, update brackets, fonts, the version warning, the live
// preview record and the properties read from a window description.
#include <gtest/gtest.h>

#include "platform/component/reader.h"
#include "platform/text/text.h"
#include "skin/sys_colors.h"
#include "tests/skin/skin_fixture.h"

namespace qv {
namespace {

using namespace qv::test;

std::string OptionsOf(std::string_view author, std::string_view extra = {}) {
  // Of a repeated key the first counts: the extra keys come first.
  return "[GLOBALINFO]\r\n" + std::string(extra) +
         "VERSION=14.01\r\nAUTHOR=" + std::string(author) + "\r\nMASTERBITMAP=M.PNG\r\n" +
         "[PANEL]\r\nCOLOR=0x0000FF\r\nBORDERSMASK=^0000^0000^0012^0006^0002^0002^0002^0002^2^0^1^1"
         "\r\n";
}

TSyntheticSkin Good(std::string_view author, std::string_view extra = {}) {
  TSyntheticSkin s{OptionsOf(author, extra), {}};
  s.Add("M.PNG", EncodePng(Solid(16, 16, kRedPixel)));
  return s;
}

// An element field that is not a number stops the load.
TSyntheticSkin Broken() {
  return {
      "[GLOBALINFO]\r\nVERSION=14\r\n[X]\r\nBORDERSMASK=^00A0^0000^0000^0000^0000^0000^0000^"
      "0000^1^0^1\r\n",
      {}};
}

class SkinLifecycleTest : public SkinEnvTest {
 protected:
  void SetUp() override {
    SkinEnvTest::SetUp();
    m_ = std::make_unique<TsSkinManager>(nullptr);
    m_->OnSkinLoading = [this](TObject*) { ++loads_; };
    m_->OnAfterChange = [this](TObject*) { ++after_; };
  }
  void TearDown() override {
    m_.reset();
    SkinEnvTest::TearDown();
  }
  ustring Author() const { return m_->SkinCommonInfo.Author; }
  int Sections() const {
    return m_->SkinDataArray[0] ? static_cast<int>(m_->SkinDataArray[0]->gd.size()) : 0;
  }

  std::unique_ptr<TsSkinManager> m_;
  int loads_ = 0;
  int after_ = 0;
};

TEST_F(SkinLifecycleTest, WithoutASkinTheManagerSaysSo) {
  EXPECT_EQ(m_->SkinInfo(), u"N/A");
  EXPECT_FALSE(m_->IsActive());
  EXPECT_EQ(m_->LengthOfGD(), 0);
  EXPECT_TRUE(m_->GetSkinSections().empty());
  EXPECT_EQ(TsSkinManager::Version(), u"14.16");
  // A placeholder at the asked density, and nothing loaded for it.
  EXPECT_EQ(m_->CommonSkinData(144).PPI, 144);
  EXPECT_TRUE(m_->CommonSkinData(144).gd.empty());
  // No skin at all: skinning ends.
  m_->SetSkinName(u"Nothing");
  EXPECT_FALSE(m_->Active());
  EXPECT_EQ(after_, 1);
}

TEST_F(SkinLifecycleTest, ScaleIntFollowsTheScaleMode) {
  const int expected[] = {10, 12, 15, 20};
  for (int s = 0; s < 4; ++s) EXPECT_EQ(m_->ScaleInt(10, s), expected[s]);
  EXPECT_EQ(m_->GetScale(), 0);  // each window at its own density
  EXPECT_EQ(m_->ScaleInt(10), 10);
  m_->Options.ScaleMode = sm150;
  EXPECT_EQ(m_->GetScale(), 2);
  EXPECT_EQ(m_->ScaleInt(10), 15);
  m_->Options.ScaleMode = smOldMode;
  EXPECT_EQ(m_->ScaleInt(10, 3), 10);
  m_->Options.ScaleMode = smCustomPPI;
  m_->Options.PixelsPerInch = 144;
  EXPECT_EQ(m_->ScaleInt(10, 0), 15);
}

TEST_F(SkinLifecycleTest, DefaultManagerIsTheFirstUntilAnotherAsks) {
  EXPECT_TRUE(m_->IsDefault());
  {
    TsSkinManager second(nullptr);
    EXPECT_FALSE(second.IsDefault());
    second.SetIsDefault(false);
    EXPECT_EQ(TsSkinManager::DefaultManager(), m_.get());
    second.SetIsDefault(true);
    EXPECT_EQ(TsSkinManager::DefaultManager(), &second);
  }
  EXPECT_EQ(TsSkinManager::DefaultManager(), nullptr);
}

TEST_F(SkinLifecycleTest, ChangesLoadAndReportTheSkin) {
  Store(*m_, u"A", Good("a").Package());
  int activations = 0;
  m_->OnActivate = [&](TObject*) { ++activations; };
  m_->SetSkinName(u"A.asz");
  EXPECT_EQ(m_->SkinName(), u"A");
  ASSERT_TRUE(m_->IsActive());
  EXPECT_EQ(Author(), u"a");
  EXPECT_EQ(m_->SkinInfo(), u"14.01");
  EXPECT_EQ(m_->ManagerState, 0u);
  EXPECT_EQ(loads_, 1);
  EXPECT_EQ(activations, 1);
  EXPECT_EQ(after_, 1);
  // System colours and named codes through the default manager's skin.
  EXPECT_EQ(SkinColorToRGB(clBtnFace), m_->Palette[pcMainColor]);
  EXPECT_EQ(SkinColorToRGB(static_cast<TColor>(0xFF004C4Cu), m_.get()),
            m_->Palette[pcEditText_Warning]);
  // Turning skinning off drops the skin; on again loads it again.
  int deactivations = 0;
  m_->OnDeactivate = [&](TObject*) { ++deactivations; };
  m_->SetActive(false);
  EXPECT_FALSE(m_->IsActive());
  EXPECT_FALSE(m_->MasterBitmap);
  EXPECT_EQ(deactivations, 1);
  EXPECT_EQ(SkinColorToRGB(clBtnFace), DefaultSysColor(COLOR_BTNFACE));
  EXPECT_EQ(SkinColorToRGB(static_cast<TColor>(0xFF004C4Cu)), 0x004C4C);
  m_->SetActive(true);
  EXPECT_TRUE(m_->IsActive());
  EXPECT_EQ(loads_, 2);
}

TEST_F(SkinLifecycleTest, ALoadErrorBringsThePreviousSkinBack) {
  Store(*m_, u"A", Good("a").Package());
  Store(*m_, u"Bad", Broken().Package());
  m_->SetSkinName(u"A");
  ASSERT_TRUE(m_->IsActive());
  m_->SetSkinName(u"Bad");
  ASSERT_EQ(texts_.size(), 1u);
  EXPECT_EQ(kinds_[0], TacMessageKind::mkError);
  EXPECT_NE(texts_[0].find(u"left edge"), ustring::npos) << Utf16ToUtf8(texts_[0]);
  // Not the half-built skin under the old name: the old skin itself.
  EXPECT_EQ(m_->SkinName(), u"A");
  EXPECT_TRUE(m_->IsActive());
  EXPECT_EQ(Author(), u"a");
  EXPECT_EQ(m_->CommonSkinData(96).gd[1].ClassName, u"PANEL");
  EXPECT_EQ(m_->ManagerState, 0u);
}

TEST_F(SkinLifecycleTest, ALoadErrorWithoutAPreviousSkinLeavesNone) {
  Store(*m_, u"Bad", Broken().Package());
  m_->SetSkinName(u"Bad");
  EXPECT_EQ(texts_.size(), 1u);
  EXPECT_EQ(m_->SkinName(), u"");
  EXPECT_FALSE(m_->IsActive());
  EXPECT_EQ(Sections(), 0);
  EXPECT_TRUE(m_->Active());  // still wanted: the next skin loads
  Store(*m_, u"A", Good("a").Package());
  m_->SetSkinName(u"A");
  EXPECT_TRUE(m_->IsActive());
}

TEST_F(SkinLifecycleTest, TheUserDirectoryOverridesAStoredSkin) {
  Store(*m_, u"S", Good("stored").Package());
  Good("folder").WriteFolder(UserSkins() / "S");
  m_->SetSkinName(u"S");
  EXPECT_EQ(Author(), u"folder");
  fs::remove_all(UserSkins() / "S");
  WriteFile(UserSkins() / "S.asz", Good("package").Package());
  m_->SetSkinName(u"S");
  EXPECT_EQ(Author(), u"package");
  EXPECT_TRUE(texts_.empty());
}

TEST_F(SkinLifecycleTest, ABadSkinInTheUserDirectoryGivesWayToTheStoredOne) {
  Store(*m_, u"S", Good("stored").Package());
  Broken().WriteFolder(UserSkins() / "S");
  m_->SetSkinName(u"S");
  ASSERT_EQ(texts_.size(), 1u);
  const ustring file = Utf8ToUtf16((UserSkins() / "S" / "Options.dat").string());
  EXPECT_NE(texts_[0].find(file), ustring::npos) << Utf16ToUtf8(texts_[0]);
  EXPECT_NE(texts_[0].find(u"left edge"), ustring::npos);
  EXPECT_TRUE(m_->IsActive());
  EXPECT_EQ(Author(), u"stored");
  // A package that is none, or that holds no options, does the same.
  fs::remove_all(UserSkins() / "S");
  for (const TBytes& bad : {Bytes("not a package"), WritePackage({}, nullptr)}) {
    texts_.clear();
    WriteFile(UserSkins() / "S.asz", bad);
    m_->SetSkinName(u"S");
    ASSERT_EQ(texts_.size(), 1u);
    EXPECT_NE(texts_[0].find(u"S.asz"), ustring::npos) << Utf16ToUtf8(texts_[0]);
    EXPECT_EQ(Author(), u"stored");
    EXPECT_EQ(m_->SkinName(), u"S");
  }
}

TEST_F(SkinLifecycleTest, ASkinThatCannotBeReadLeavesThePreviousOne) {
  Store(*m_, u"A", Good("a").Package());
  m_->SetSkinName(u"A");
  WriteFile(UserSkins() / "Junk.asz", Bytes("junk"));
  m_->SetSkinName(u"Junk");
  EXPECT_FALSE(texts_.empty());
  EXPECT_EQ(m_->SkinName(), u"A");
  EXPECT_TRUE(m_->IsActive());
}

TEST_F(SkinLifecycleTest, ColourSettingsReloadOnlyWhenTheyChange) {
  Store(*m_, u"A", Good("a").Package());
  m_->SetSkinName(u"A");
  ASSERT_EQ(loads_, 1);
  m_->SetHueOffset(0);
  EXPECT_EQ(loads_, 1);
  m_->SetHueOffset(120);
  EXPECT_EQ(loads_, 2);
  EXPECT_EQ(m_->CommonSkinData(96).gd[1].Props[0].Color, 0x00FF00);  // red turned green
  m_->SetBrightness(250);
  EXPECT_EQ(m_->Brightness(), 100);
  m_->SetByIndex(7, 5);  // not a setting
  EXPECT_EQ(loads_, 3);
}

TEST_F(SkinLifecycleTest, EachDensityIsTransformedOnceFromThePixelsAsRead) {
  Store(*m_, u"A", Good("a").Package());
  m_->SetHueOffset(120);
  m_->SetSkinName(u"A");
  const TacSkinData& big = m_->CommonSkinData(144);
  ASSERT_FALSE(big.gd.empty());
  EXPECT_EQ(big.gd[1].Props[0].Color, 0x00FF00);
  EXPECT_EQ(m_->CommonSkinData(96).gd[1].Props[0].Color, 0x00FF00);
  // The palette and the master bitmap were turned once; the 144 PPI border
  // was cut from the pixels as read and turned once too.
  EXPECT_EQ(m_->MasterBitmap->Pixel(8, 8), kGreenPixel);
  const int border = GetMaskIndex(big, u"PANEL", u"BORDERSMASK");
  ASSERT_TRUE(big.IsValidImgIndex(border));
  ASSERT_TRUE(big.ma[static_cast<std::size_t>(border)].Bmp);
  const TBGRA px = big.ma[static_cast<std::size_t>(border)].Bmp->Pixel(4, 4);
  EXPECT_EQ(px.G, 255);
  EXPECT_EQ(px.R, 0);
}

TEST_F(SkinLifecycleTest, ADensityThatCannotBeReadStaysUnskinned) {
  // Only the 125 % variant of the element is broken.
  Store(*m_, u"A",
        Good("a", "X=@0000@0000@0004@0004@1@0\r\nX*125=@00Z0@0000@0004@0004@1@0\r\n").Package());
  m_->SetSkinName(u"A");
  ASSERT_TRUE(m_->IsActive());
  EXPECT_TRUE(texts_.empty());
  EXPECT_TRUE(m_->CommonSkinData(120).gd.empty());
  ASSERT_EQ(texts_.size(), 1u);
  EXPECT_TRUE(m_->CommonSkinData(120).gd.empty());
  EXPECT_EQ(texts_.size(), 1u);  // said once
  EXPECT_TRUE(m_->IsActive());
  EXPECT_FALSE(m_->CommonSkinData(96).gd.empty());
}

TEST_F(SkinLifecycleTest, UpdateBracketsHoldBroadcastsAndAfterChange) {
  Store(*m_, u"A", Good("a").Package());
  m_->BeginUpdate();
  m_->SetSkinName(u"A");
  EXPECT_TRUE(m_->IsActive());
  EXPECT_EQ(after_, 0);
  m_->EndUpdate(true, true);
  EXPECT_FALSE(m_->NoAutoUpdate);
  EXPECT_EQ(after_, 1);
}

TEST_F(SkinLifecycleTest, SkinFontsAreRegisteredAndGoWithTheSkin) {
  const auto font = ReadWholeFile("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf");
  ASSERT_TRUE(font);
  TSyntheticSkin packed =
      Good("p", "FontCount=3\r\nFontFile0=FACE.TTF\r\nFontName0=QvSkinFace\r\n");
  packed.Add("FACE.TTF", *font);
  Store(*m_, u"P", packed.Package());
  m_->SetSkinName(u"P");
  ASSERT_EQ(m_->EmbeddedFonts.Items().size(), 1u);
  const int handle = m_->EmbeddedFonts.Items()[0].Handle;
  EXPECT_NE(handle, 0);
  EXPECT_EQ(m_->EmbeddedFonts.Items()[0].FamilyName, u"QvSkinFace");
  // A folder skin names its font relative to its folder; a count beyond the
  // keys present means the keys present.
  TSyntheticSkin folder =
      Good("f", "FontCount=99999\r\nFontFile0=fonts/face.ttf\r\nFontName0=F\r\n");
  folder.Add("fonts/face.ttf", *font);
  folder.WriteFolder(UserSkins() / "F");
  m_->SetSkinName(u"F");
  EXPECT_FALSE(RemoveFontMemResource(handle));  // the previous skin's font is gone
  ASSERT_EQ(m_->EmbeddedFonts.Items().size(), 1u);
  EXPECT_NE(m_->EmbeddedFonts.Items()[0].Handle, 0);
  m_->SetActive(false);
  EXPECT_TRUE(m_->EmbeddedFonts.Items().empty());
}

TEST_F(SkinLifecycleTest, NewerSkinsWarnUnlessPreviewing) {
  Store(*m_, u"New", Good("n", "VERSION=15.5\r\n").Package());
  m_->Options.ChangeSysColors = true;
  m_->SetSkinName(u"New");
  ASSERT_EQ(texts_.size(), 1u);
  EXPECT_EQ(kinds_[0], TacMessageKind::mkWarning);
  EXPECT_EQ(texts_[0], kNewerSkinText);
  EXPECT_TRUE(m_->IsActive());  // used all the same
  EXPECT_TRUE(m_->Options.ChangeSysColors);
  SetFirstProgramArgumentForTest(ustring(u"/acpreview"));
  m_->SetSkinName(u"New");
  EXPECT_EQ(texts_.size(), 1u);
}

TEST(SkinEditorData, OnlyWholeRecordsWithTheMagicNumber) {
  TacSkinEditorData d{kSkinEditorMagic, u"Metro", u"/skins", u"[GLOBALINFO]\r\nAUTHOR=x\r\n"};
  TBytes bytes = SkinEditorDataBytes(d);
  ASSERT_EQ(bytes.size(), 30645u);
  const auto back = ParseSkinEditorData(bytes);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->SkinName, u"Metro");
  EXPECT_EQ(back->SkinDir, u"/skins");
  EXPECT_EQ(back->Data, d.Data);
  // A record that merely begins like one is not one.
  TBytes longer = bytes;
  longer.push_back(0);
  EXPECT_FALSE(ParseSkinEditorData(longer));
  EXPECT_FALSE(ParseSkinEditorData(TByteView(bytes).first(4)));
  TBytes other = bytes;
  other[1] = 0xA5;
  EXPECT_FALSE(ParseSkinEditorData(other));
  // A name filling its whole field ends at the field.
  std::fill(bytes.begin() + 4, bytes.begin() + 4 + 128, 'N');
  EXPECT_EQ(ParseSkinEditorData(bytes)->SkinName, ustring(128, u'N'));
  EXPECT_EQ(ParseSkinEditorData(bytes)->SkinDir, u"/skins");
}

TEST_F(SkinLifecycleTest, APreviewShowsTheOptionsItCarries) {
  Store(*m_, u"A", Good("a").Package());
  m_->SetSkinName(u"A");
  const ustring dir = Utf8ToUtf16((root_ / "preview").string());
  const TacSkinEditorData d{
      kSkinEditorMagic, u"Edited", dir,
      u"[GLOBALINFO]\r\nVERSION=14.5\r\nAUTHOR=editor\r\n[PANEL]\r\nCOLOR=1\r\n"};
  EXPECT_FALSE(m_->ReceivePreview(TByteView(SkinEditorDataBytes(d)).first(100)));
  ASSERT_TRUE(m_->ReceivePreview(SkinEditorDataBytes(d)));
  EXPECT_EQ(Author(), u"editor");
  EXPECT_EQ(m_->SkinName(), u"Edited");
  EXPECT_EQ(m_->SkinDirectory(), dir);
  EXPECT_EQ(m_->SkinInfo(), u"14.5");
  EXPECT_FALSE(m_->PreviewOptions);
}

class TRootForm : public TComponent {
 public:
  using TComponent::TComponent;
};

TEST_F(SkinLifecycleTest, PublishedPropertiesComeFromTheDescription) {
  RegisterSkinManagerClasses();
  RegisterPersistentClass("TRootForm", "TComponent");
  const char* text = R"(object Form1: TRootForm
  object sSkinManager1: TsSkinManager
    Effects.AllowGlowing = False
    AnimEffects.DialogShow.Active = False
    AnimEffects.Minimizing.Active = False
    AnimEffects.SkinChanging.Time = 250
    AnimEffects.BlendOnMoving.BlendValue = 100
    AnimEffects.Buttons.Events = [beMouseEnter]
    ButtonsOptions.ShowFocusRect = False
    ButtonsOptions.ModalButtonsColoring = [bcGlyph, bcBackground]
    LabelsOptions.TransparentAlways = False
    ScrollsOptions.ScrollSize = 12
    MenuSupport.IcoLineSkin = 'X'
    MenuSupport.ExtraLineFont.Name = 'MS Sans Serif'
    MenuSupport.ExtraLineFont.Height = -11
    MenuSupport.ExtraLineFont.Style = [fsBold]
    Options.OptimizingPriority = opMemory
    Options.ArrowsStyle = arsLines2
    Fonts.MainMode = fmCustom
    Fonts.MainFont = 'Tahoma'
    ThirdParty.ThirdEdits = 'TMyEdit'
    CommonSections.Strings = ('[PANEL]' 'COLOR=0x00FF00')
    SkinsFilter = [sfiInternal]
    SkinningRules = [srStdForms]
    ExtendedBorders = True
    SkinnedPopups = False
    SkinInfo = '9.99'
    HueOffset = 1000
    Brightness = 500
    SkinDirectory = 'D:\Design\Skins'
    SkinName = 'Missing'
  end
end
)";
  TRootForm form(nullptr);
  TReader reader("form.qvd");
  reader.ReadRoot(ParseDescription(text, "form.qvd"), form);
  auto* m = dynamic_cast<TsSkinManager*>(form.FindComponent("sSkinManager1"));
  ASSERT_TRUE(m);
  EXPECT_FALSE(m->Effects.AllowGlowing);
  EXPECT_TRUE(m->Effects.AllowAnimation);
  EXPECT_FALSE(m->AnimEffects.DialogShow.Active);
  EXPECT_FALSE(m->AnimEffects.Minimizing.Active);
  EXPECT_EQ(m->AnimEffects.Minimizing.Time, 80);
  EXPECT_EQ(m->AnimEffects.SkinChanging.Time, 250);
  EXPECT_EQ(m->AnimEffects.SkinChanging.Mode, atFading);
  EXPECT_EQ(m->AnimEffects.BlendOnMoving.BlendValue, 100);
  EXPECT_EQ(m->AnimEffects.Buttons.Events, 1u << beMouseEnter);
  EXPECT_FALSE(m->ButtonsOptions.ShowFocusRect);
  EXPECT_EQ(m->ButtonsOptions.ModalButtonsColoring, 3u);
  EXPECT_FALSE(m->LabelsOptions.TransparentAlways);
  EXPECT_EQ(m->ScrollsOptions.ScrollSize, 12);
  EXPECT_EQ(m->ScrollsOptions.ButtonsSize, -1);
  EXPECT_EQ(m->MenuSupport.IcoLineSkin, u"X");
  EXPECT_EQ(m->MenuSupport.ExtraLineFont.Name, u"MS Sans Serif");
  EXPECT_EQ(m->MenuSupport.ExtraLineFont.Style, static_cast<unsigned>(fsBold));
  EXPECT_EQ(m->Options.OptimizingPriority, opMemory);
  EXPECT_EQ(m->Options.ArrowsStyle, arsLines2);
  EXPECT_EQ(m->Options.ScaleMode, smVCL);
  EXPECT_EQ(m->FontsMainMode(), fmCustom);
  EXPECT_EQ(m->FontsMainFont(), u"Tahoma");
  EXPECT_EQ(m->ThirdParty.Lists[0], u"TMyEdit");
  EXPECT_EQ(m->ThirdParty.Lists[1], u"TButton");
  EXPECT_EQ(m->ThirdParty.Lists[2], u" ");
  EXPECT_EQ(m->ThirdLists[0], (std::vector<ustring>{u"TMyEdit"}));
  EXPECT_EQ(m->CommonSections, (std::vector<ustring>{u"[PANEL]", u"COLOR=0x00FF00"}));
  EXPECT_EQ(m->SkinsFilter, Bit(sfiInternal));
  EXPECT_EQ(m->SkinningRules, Bit(srStdForms));
  EXPECT_TRUE(m->ExtendedBorders);
  EXPECT_FALSE(m->SkinnedPopups);
  EXPECT_EQ(m->SkinInfo(), u"N/A");  // a stored value means nothing
  EXPECT_EQ(m->HueOffset(), 1000);
  EXPECT_EQ(m->Brightness(), 100);
  EXPECT_FALSE(m->Active());  // nothing of that name, no stored skins
}

TEST_F(SkinLifecycleTest, CommonSectionsChangeAndAddSections) {
  m_->CommonSections = {u"; a comment",   u"[PANEL]",       u"COLOR=0x00FF00",
                        u"BORDERSMASK=)", u"[NEWONE]",      u"PARENTCLASS=panel",
                        u"STATES=1",      u"BORDERSMASK=-", u"PIC=pic.bmp"};
  TSyntheticSkin skin = Good("a");
  skin.Add("PIC.BMP", BmpBytes(Solid(3, 2, kRedPixel)));
  Store(*m_, u"A", skin.Package());
  m_->SetSkinName(u"A");
  const TacSkinData& sd = m_->CommonSkinData(96);
  const int panel = GetSkinIndex(sd, u"PANEL");
  const int added = GetSkinIndex(sd, u"NEWONE");
  ASSERT_GE(panel, 0);
  ASSERT_GE(added, 0);
  EXPECT_EQ(sd.gd[static_cast<std::size_t>(panel)].Props[0].Color, 0x00FF00);
  EXPECT_GE(sd.gd[static_cast<std::size_t>(panel)].BorderIndex, 0);  // ")" keeps it
  const TsGeneralData& n = sd.gd[static_cast<std::size_t>(added)];
  EXPECT_EQ(n.States, 1);
  EXPECT_EQ(n.Props[0].Color, 0x00FF00);  // from its parent, as changed
  EXPECT_TRUE(n.BorderRemoved);
  EXPECT_EQ(n.BorderIndex, -1);
  const int pic = GetMaskIndex(sd, u"NEWONE", u"PIC");
  ASSERT_GE(pic, 0);
  EXPECT_EQ(sd.ma[static_cast<std::size_t>(pic)].Width, 3);
  EXPECT_EQ(added, panel + 1);  // before the default sections
}

}  // namespace
}  // namespace qv
