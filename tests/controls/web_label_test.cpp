// The web label: its hover font and hot colour under the mouse, the refit
// that keeps a centred label in place, and the click that opens its URL
// through the platform's http/https opener.
#include "controls/web_label.h"

#include "skinned_test_control.h"

namespace qv::test {
namespace {

constexpr TColor kWebText = 0x00A00000;
constexpr TColor kWebTextHot = 0x000000A0;

class WebLabelTest : public SkinnedControlTest {
 protected:
  void SetUp() override {
    SkinnedControlTest::SetUp();
    skin->AddSection(u"GROUPBOX", 0x00FFFFFF, 1, ssGroupBox);
    skin->Manager().Palette[pcWebText] = kWebText;
    skin->Manager().Palette[pcWebTextHot] = kWebTextHot;
    panel = Make<TsTestPanel>(form.get(), Bounds(0, 0, 300, 200));
    web = Make<TsWebLabel>(panel, Bounds(100, 50, 60, 13));
    web->SetAlignment(TAlignment::taCenter);
    web->SetCaption(u"example.org");
    web->ChangeFont([](TFont& f) { f.Color = clWindowText; });
    web->ChangeHoverFont([](TFont& f) {
      f.Height = -15;
      f.Style = fsUnderline;
      f.Color = 0x00008000;
    });
    web->OnClick = [this](TObject*) { ++clicks; };
    Show();
  }
  bool Shows(TColor color) {
    PumpPendingMessages();
    for (int y = 0; y < web->Height(); ++y)
      for (int x = 0; x < web->Width(); ++x)
        if (ColorOf(Painted(web, {x, y})) == color) return true;
    return false;
  }
  void ClickIt() {
    headless->AdvanceTime(1000);
    headless->Click(At(web, {web->Width() / 2, web->Height() / 2}));
    PumpPendingMessages();
  }
  const std::vector<std::string>& Opened() { return headless->OpenedUrls(); }

  TsTestPanel* panel = nullptr;
  TsWebLabel* web = nullptr;
  int clicks = 0;
};

TEST_F(WebLabelTest, HoverSwitchesToTheHoverFontAndTheHotColour) {
  Activate();
  EXPECT_EQ(web->DrawingColor(), kWebText);
  EXPECT_TRUE(Shows(kWebText));
  MoveTo(web, {3, 3});
  EXPECT_TRUE(web->MouseAbove());
  EXPECT_EQ(web->DrawingFont().Style, static_cast<unsigned>(fsUnderline));
  EXPECT_EQ(web->DrawingColor(), kWebTextHot);
  EXPECT_TRUE(Shows(kWebTextHot));
  EXPECT_FALSE(Shows(kWebText));
  MoveAway();
  EXPECT_FALSE(web->MouseAbove());
  EXPECT_EQ(web->DrawingFont(), web->Font());
  EXPECT_TRUE(Shows(kWebText));

  // Without the skin's colours: the fonts' own.
  web->SetUseSkinColor(false);
  EXPECT_EQ(web->DrawingColor(), clWindowText);
  MoveTo(web, {3, 3});
  EXPECT_EQ(web->DrawingColor(), 0x00008000);
}

TEST_F(WebLabelTest, ACentredLabelKeepsItsCentreThroughHovers) {
  const TRect before = web->BoundsRect();
  const int centre2 = before.Left + before.Right;
  for (int i = 0; i < 3; ++i) {
    MoveTo(web, {2, 2});
    EXPECT_GT(web->Height(), before.Height()) << "fitted to the larger hover font";
    EXPECT_LE(std::abs(web->Left() + web->BoundsRect().Right - centre2), 1);
    MoveAway();
  }
  EXPECT_EQ(web->BoundsRect(), before);
}

TEST_F(WebLabelTest, ClickOpensOnlyAWebAddress) {
  ClickIt();
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(Opened().empty()) << "an empty URL only raises the click";

  web->URL = u"https://developer.example/products/quorvane/";
  ClickIt();
  EXPECT_EQ(clicks, 2);
  ASSERT_EQ(Opened().size(), 1u);
  EXPECT_EQ(Opened().back(), "https://developer.example/products/quorvane/");

  // A label's text never starts a program.
  for (const char16_t* url : {u"/usr/bin/xterm", u"file:///etc/passwd", u"javascript:alert(1)"}) {
    web->URL = url;
    ClickIt();
  }
  EXPECT_EQ(clicks, 5);
  EXPECT_EQ(Opened().size(), 1u);
}

TEST_F(WebLabelTest, DisabledLabelShowsNoHoverAndMixesWithTheMainColour) {
  Activate();
  web->SetEnabled(false);
  MoveTo(web, {3, 3});
  EXPECT_FALSE(web->MouseAbove());
  EXPECT_EQ(web->TextColor(web->DrawingColor()),
            MixColors(kWebText, TTestSkinManager::kGlobalColor, 100) & 0xFFFFFF);
}

TEST_F(WebLabelTest, ParentFontKeepsTheNormalColourAndScalingScalesBothFonts) {
  web->ChangeFont([](TFont& f) { f.Color = 0x00112233; });
  web->SetParentFont(true);
  panel->ChangeFont([](TFont& f) {
    f.Name = u"DejaVu Sans";
    f.Height = -12;
    f.Color = clRed;
  });
  EXPECT_EQ(web->DrawingFont().Name, u"DejaVu Sans");
  EXPECT_EQ(web->DrawingFont().Color, 0x00112233);
  EXPECT_EQ(web->HoverFont().Name, u"DejaVu Sans");
  EXPECT_EQ(web->HoverFont().Height, -12);
  // Rescaled with its parent's font: once, not twice.
  form->ScaleForPPI(144);
  EXPECT_EQ(web->DrawingFont().Height, -18);
  EXPECT_EQ(web->HoverFont().Height, -18);
  form->ScaleForPPI(96);

  web->SetParentFont(false);
  web->ChangeHoverFont([](TFont& f) { f.Height = -16; });
  form->ScaleForPPI(144);
  EXPECT_EQ(web->HoverFont().Height, -24);
  EXPECT_EQ(web->DrawingFont().Height, -18);
}

}  // namespace
}  // namespace qv::test
