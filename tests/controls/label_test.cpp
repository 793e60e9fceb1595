// The skinned label: its text colour from the section behind it, the
// disabled mix, a section of its own behind the text, the ellipsis, the
// refit after a change, mouse transparency, the skin commands it answers,
// and the labels' classes read from a description.
#include "controls/label.h"

#include "controls/html_label.h"
#include "controls/label_class.h"
#include "controls/web_label.h"
#include "platform/component/properties.h"
#include "platform/component/reader.h"
#include "platform/stream/description.h"
#include "skinned_test_control.h"

namespace qv::test {
namespace {

constexpr TColor kGroupText = 0x000000C8;  // the group box section's font colour (red)
constexpr TColor kDialogColor = 0x00336699;

class LabelTest : public SkinnedControlTest {
 protected:
  void SetUp() override {
    SkinnedControlTest::SetUp();
    group = skin->AddSection(u"GROUPBOX", 0x00F0F0F0, 1, ssGroupBox);
    skin->State(group, 0).FontColor.Color = kGroupText;
    dialog = skin->AddSection(u"DIALOG", kDialogColor, 1);
    skin->State(dialog, 0).FontColor.Color = 0x00FFFFFF;
    panel = Make<TsTestPanel>(form.get(), Bounds(10, 10, 280, 180));
    label = Make<TsLabel>(panel, Bounds(10, 10, 100, 13));
    label->SetCaption(u"Тактика:");
    label->ChangeFont([](TFont& f) { f.Color = clGray; });
  }

  // Every pixel the control covers, as painted on the form.
  std::vector<TColor> Pixels(TControl* c) {
    PumpPendingMessages();
    std::vector<TColor> out;
    for (int y = 0; y < c->Height(); ++y)
      for (int x = 0; x < c->Width(); ++x) out.push_back(ColorOf(Painted(c, {x, y})));
    return out;
  }
  bool Shows(TControl* c, TColor color) {
    const auto px = Pixels(c);
    return std::find(px.begin(), px.end(), color) != px.end();
  }
  void RemoveSkin() {
    skin->Manager().SkinCommonInfo.Active = false;
    SendToFormAndControls(*form, scRemoveSkin, reinterpret_cast<LPARAM>(&skin->Manager()));
    PumpPendingMessages();
  }

  int group = -1, dialog = -1;
  TsTestPanel* panel = nullptr;
  TsLabel* label = nullptr;
};

TEST_F(LabelTest, TextTakesTheColourOfTheSectionBehindItUnlessItKeepsItsOwn) {
  Show();
  Activate();
  EXPECT_EQ(label->DrawingColor(), kGroupText);
  EXPECT_TRUE(Shows(label, kGroupText));
  EXPECT_FALSE(Shows(label, ColorToRGB(clGray)));

  // As "Актуально на …": its own grey.
  label->SetUseSkinColor(false);
  EXPECT_EQ(label->DrawingColor(), clGray);
  EXPECT_TRUE(Shows(label, ColorToRGB(clGray)));

  // Without a skin it is the font's colour.
  label->SetUseSkinColor(true);
  RemoveSkin();
  EXPECT_EQ(label->DrawingColor(), label->Font().Color);
}

TEST_F(LabelTest, ColourFallsBackToTheParentsFontOrTheSkinsLabelColour) {
  // Over an unskinned parent: the parent's font colour.
  auto* plain = Make<TCustomControl>(form.get(), Bounds(0, 0, 10, 10));
  plain->ChangeFont([](TFont& f) { f.Color = 0x00123456; });
  label->SetParent(plain);
  Show();
  Activate();
  EXPECT_EQ(label->DrawingColor(), 0x00123456);
  // A mostly opaque section of its own gives its colour.
  label->SetSkinSection(u"dialog");
  EXPECT_EQ(label->SkinSection(), u"DIALOG");
  EXPECT_EQ(label->DrawingColor(), 0x00FFFFFF);
  // A see-through own section over nothing: its font colour.
  skin->State(dialog, 0).Transparency = 100;
  label->SetParent(nullptr);
  EXPECT_EQ(label->DrawingColor(), clGray);
  // The plain skinned label always takes the skin's label colour.
  skin->Manager().Palette[pcLabelText] = 0x00010203;
  TsCustomLabel custom(nullptr);
  EXPECT_EQ(custom.DrawingColor(), 0x00010203);
}

TEST_F(LabelTest, SectionWithoutStatesGivesItsFirstStatesColour) {
  const int bare = skin->AddSection(u"BARE", 0x00808080, 0);
  skin->State(bare, 0).FontColor.Color = 0x00445566;
  label->SetSkinSection(u"BARE");
  Show();
  Activate();
  EXPECT_EQ(label->DrawingColor(), 0x00445566);
}

TEST_F(LabelTest, DisabledBlackTextOnWhiteIsMixedTo154) {
  // As the control's own colour test: an unskinned white parent.
  auto* white = Make<TCustomControl>(form.get(), Bounds(0, 0, 200, 60));
  white->SetColor(clWhite);
  auto* l = Make<TsLabel>(white, Bounds(5, 5, 100, 13));
  l->ChangeFont([](TFont& f) {
    f.Color = clBlack;
    f.Height = -20;
    f.Style = fsBold;
  });
  l->SetCaption(u"ШШШ");
  l->SetEnabled(false);
  Show();
  EXPECT_EQ(l->TextColor(clBlack), RGB(154, 154, 154));
  EXPECT_TRUE(Shows(l, RGB(154, 154, 154)));
  EXPECT_FALSE(Shows(l, RGB(0, 0, 0)));
  // Over a skinned parent the section's colour is mixed with what it shows.
  Activate();
  label->SetEnabled(false);
  EXPECT_EQ(label->TextColor(label->DrawingColor()),
            MixColors(kGroupText, ParentBackgroundColor(*label), 100) & 0xFFFFFF);
}

TEST_F(LabelTest, OwnSectionShowsBehindTheTextOnlyWhileSkinned) {
  // As the hint under the tactics page: DIALOG behind the text.
  label->SetSkinSection(u"DIALOG");
  label->SetBounds(10, 10, 120, 40);
  label->SetAutoSize(false);
  Show();
  Activate();
  EXPECT_EQ(ColorOf(Painted(label, {1, 1})), kDialogColor);
  EXPECT_EQ(ColorOf(Painted(label, {119, 39})), kDialogColor);
  RemoveSkin();
  EXPECT_NE(ColorOf(Painted(label, {1, 1})), kDialogColor);
  EXPECT_EQ(Painted(label, {1, 1}), Painted(panel, {5, 5}));
}

TEST_F(LabelTest, EmptyCaptionKeepsOneLineAndAWrappedTextEndsInAnEllipsis) {
  label->SetCaption(u"");
  EXPECT_EQ(label->Height(), 13);
  label->SetCaption(u"&");
  EXPECT_EQ(label->Height(), 13);

  // Three lines' worth in two lines' height: shortened word by word.
  TBitmap32 bmp(100, 40);
  TCanvas c(bmp);
  c.Font = label->Font();
  const ustring text = u"Помните! Данная помощь не гарантирует Вам успех";
  const TRect r{0, 0, 90, 27};
  const unsigned flags = DT_WORDBREAK | DT_END_ELLIPSIS;
  auto height = [&](ustring_view s) {
    TRect m = r;
    c.DrawText(s, m, DT_WORDBREAK | DT_CALCRECT);
    return m.Height();
  };
  ASSERT_GT(height(text), 27);
  const ustring shorter = WordEllipsis(c, text, r, flags, 27);
  EXPECT_LE(height(shorter), 27);
  ASSERT_GT(shorter.size(), 3u);
  EXPECT_EQ(shorter.substr(shorter.size() - 3), u"...");
  const ustring kept = shorter.substr(0, shorter.size() - 3);
  EXPECT_EQ(text.substr(0, kept.size()), kept);
  EXPECT_EQ(text[kept.size()], u' ') << "cut at a word's end";
  // One word more would not fit.
  const std::size_t next = text.find(u' ', kept.size() + 1);
  EXPECT_GT(height(text.substr(0, next) + u"..."), 27);
  // A text that fits stays as it is; a single word too long stays whole.
  EXPECT_EQ(WordEllipsis(c, u"Нет", r, flags, 27), u"Нет");
  EXPECT_EQ(WordEllipsis(c, u"Суперзащитная", r, flags, 5), u"Суперзащитная...");
}

TEST_F(LabelTest, TextAndFontChangesRefitKeepingTheAlignedEdge) {
  label->SetAlignment(TAlignment::taRightJustify);
  const int right = label->BoundsRect().Right;
  label->SetCaption(u"Стратегия:");
  EXPECT_EQ(label->BoundsRect().Right, right);
  label->ChangeFont([](TFont& f) { f.Height = -20; });
  EXPECT_EQ(label->BoundsRect().Right, right);
  EXPECT_GT(label->Height(), 13);

  label->SetAlignment(TAlignment::taCenter);
  const int centre2 = label->Left() * 2 + label->Width();
  label->SetCaption(u"Нет");
  EXPECT_LE(std::abs(label->Left() * 2 + label->Width() - centre2), 1);

  // A wrapped auto-sizing label may grow by half its width first.
  label->SetAlignment(TAlignment::taLeftJustify);
  label->SetWordWrap(true);
  label->SetBounds(10, 10, 60, 13);
  label->SetCaption(u"Суперзащитная игра");
  EXPECT_GT(label->Width(), 60);
  EXPECT_EQ(label->Left(), 10);
}

TEST_F(LabelTest, TransparentForMouseLetsClicksThrough) {
  auto* under = Make<TsLabel>(panel, Bounds(10, 10, 100, 13));
  under->SendToBack();
  Show();
  EXPECT_EQ(panel->ControlAtPos({15, 15}, false), label);
  label->SetTransparentForMouse(true);
  EXPECT_EQ(panel->ControlAtPos({15, 15}, false), under);
}

TEST_F(LabelTest, SkinCommandsItAnswers) {
  Show();
  Activate();
  // Forwarded to the parent, which answers with its own section.
  TacSectionInfo info{0, -1};
  EXPECT_EQ(SendSkinCommand(label, scGetVisibleSection, reinterpret_cast<LPARAM>(&info)), 1);
  EXPECT_EQ(info.SkinIndex, group);
  EXPECT_EQ(SendSkinCommand(label, scPaintsWholeRect), 1);
  // A refreshed skin looks the label's section up again.
  label->SetSkinSection(u"DIALOG");
  EXPECT_EQ(label->DrawingColor(), 0x00FFFFFF);
  skin->State(dialog, 0).FontColor.Color = 0x00ABCDEF;
  SendSkinCommand(label, scRefreshSkin, reinterpret_cast<LPARAM>(&skin->Manager()));
  EXPECT_EQ(label->DrawingColor(), 0x00ABCDEF);
  RemoveSkin();
  EXPECT_EQ(SendSkinCommand(label, scGetVisibleSection, reinterpret_cast<LPARAM>(&info)), 0);
  label->SetTransparent(false);
  EXPECT_EQ(SendSkinCommand(label, scPaintsWholeRect), 0);
}

TEST_F(LabelTest, DescriptionReadsTheLabelsProperties) {
  RegisterFrameworkClasses();
  RegisterLabelClasses();
  const std::string text = R"(object Form2: TForm
  ClientWidth = 300
  ClientHeight = 200
  object sLabel9: TsLabel
    Left = 12
    Top = 100
    Caption = 'Помните!'
    SkinSection = 'DIALOG'
    TransparentForMouse = True
    SkinManager = Manager
  end
  object sLabel53: TsLabel
    Caption = 'Актуально на 03.12.2012'
    Font.Color = clGray
    UseSkinColor = False
  end
  object sWebLabel1: TsWebLabel
    Caption = 'example.org'
    Font.Color = clWindowText
    HoverFont.Height = -11
    HoverFont.Style = [fsUnderline]
    HoverFont.Color = clWindowText
    URL = 'https://example.org/products/quorvane/'
    ShowMode = soNormal
  end
  object sHTMLLabel6: TsHTMLLabel
    Alignment = taCenter
    Caption = 'a<br>b'
    UseHTML = True
    FitToWidth = True
    ShowMode = soMaximize
    UseSkinColor = False
  end
  object Manager: TsSkinManager
  end
end
)";
  RegisterSkinManagerClasses();
  TForm other(nullptr);
  TReader reader("form.qvd");
  reader.ReadRoot(ParseDescription(text, "form.qvd"), other);
  auto* l9 = dynamic_cast<TsLabel*>(other.FindComponent("sLabel9"));
  auto* l53 = dynamic_cast<TsLabel*>(other.FindComponent("sLabel53"));
  auto* web = dynamic_cast<TsWebLabel*>(other.FindComponent("sWebLabel1"));
  auto* html = dynamic_cast<TsHTMLLabel*>(other.FindComponent("sHTMLLabel6"));
  ASSERT_TRUE(l9 && l53 && web && html);
  EXPECT_EQ(l9->SkinSection(), u"DIALOG");
  EXPECT_TRUE(l9->TransparentForMouse());
  EXPECT_EQ(l9->SkinManager(), other.FindComponent("Manager"));
  EXPECT_FALSE(l53->UseSkinColor());
  EXPECT_EQ(l53->Font().Color, clGray);
  EXPECT_EQ(web->URL, u"https://example.org/products/quorvane/");
  EXPECT_EQ(web->ShowMode, soNormal);
  EXPECT_EQ(web->HoverFont().Style, static_cast<unsigned>(fsUnderline));
  EXPECT_EQ(web->HoverFont().Color, clWindowText);
  EXPECT_TRUE(html->UseHTML());
  EXPECT_TRUE(html->FitToWidth());
  EXPECT_EQ(html->ShowMode, soMaximize);
  EXPECT_EQ(html->PlainCaption(), u"ab");
  EXPECT_EQ(html->Alignment(), TAlignment::taCenter);
}

}  // namespace
}  // namespace qv::test
