// Test support for skinned controls: a skin built in code and installed in
// a live, active skin manager; two minimal skinned controls (a button-like
// one that shows hover and press, and a container that never becomes hot);
// and a fixture with a headless window system, a form and synthetic input.
// The control tests of later controls reuse all three.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "controls/background.h"
#include "controls/cache_paint.h"
#include "controls/glow.h"
#include "controls/skin_classes.h"
#include "controls/skin_text.h"
#include "controls/skinned_control.h"
#include "controls/state_effects.h"
#include "platform/component/form.h"
#include "platform/window/headless.h"
#include "platform/window/paint.h"
#include "platform/window/queue.h"
#include "platform/window/system.h"
#include "skin/skin_commands.h"
#include "skin/skin_manager.h"

namespace qv::test {

// A skin made in code: sections and elements added one by one to the 96-PPI
// data set of a manager that is active and the default one.
class TTestSkinManager {
 public:
  TTestSkinManager() : manager_(std::make_unique<TsSkinManager>(nullptr)) {
    auto& slot = manager_->SkinDataArray[0];
    slot = std::make_unique<TacSkinData>(manager_.get(), 96);
    manager_->MasterBitmap = std::make_unique<TBitmap32>(64, 64);
    manager_->MasterBitmap->Fill({0x40, 0x40, 0x40, 255});
    manager_->Palette.fill(0x00F3F3F3);
    manager_->Palette[pcMainColor] = kGlobalColor;
    manager_->Options.NoMouseHover = false;
  }

  static constexpr TColor kGlobalColor = 0x00E0D0C0;

  TsSkinManager& Manager() { return *manager_; }
  TacSkinData& Data() { return *manager_->SkinDataArray[0]; }
  // Makes the skin count as loaded (a section must exist).
  void Activate() { manager_->SkinCommonInfo.Active = true; }

  // A section of opaque states in colour c (state i: c + i in the red byte,
  // so that states can be told apart); font colours black.
  int AddSection(ustring_view name, TColor c = 0x00806040, int states = 3, int standard = -1) {
    TsGeneralData g;
    g.ClassName = ustring(name);
    g.States = states;
    for (int i = 0; i < 3; ++i) {
      TsGenState& s = g.Props[static_cast<std::size_t>(i)];
      s.Color = c + static_cast<TColor>(i * 0x20);
      s.FontColor.Color = 0;
    }
    Data().gd.push_back(g);
    const int index = static_cast<int>(Data().gd.size()) - 1;
    if (standard >= 0)
      manager_->SkinCommonInfo.Sections[static_cast<std::size_t>(standard)] = index;
    return index;
  }
  TsGeneralData& Section(int i) { return Data().gd[static_cast<std::size_t>(i)]; }
  TsGenState& State(int i, int s) { return Section(i).Props[static_cast<std::size_t>(s)]; }

  // An element of section/property cut from the master bitmap at r, or with
  // its own picture, margins m on every side.
  int AddElement(ustring_view section, ustring_view property, TRect r, int margin = 0,
                 int draw_mode = 0, std::shared_ptr<TBitmap32> own = nullptr,
                 TacImgType kind = itisaBorder) {
    TsMaskData e;
    e.ClassName = ustring(section);
    e.PropertyName = ustring(property);
    e.Bmp = std::move(own);
    e.R = r;
    e.DrawMode = static_cast<std::int16_t>(draw_mode);
    e.ImgType = kind;
    e.Manager = manager_.get();
    e.WL = e.WT = e.WR = e.WB = static_cast<std::int16_t>(margin);
    e.Width = r.Width();
    e.Height = r.Height();
    Data().ma.push_back(e);
    return static_cast<int>(Data().ma.size()) - 1;
  }

  // The new skin to a form and all its controls, as the manager sends it.
  void Announce(TCustomForm& form) {
    SendToFormAndControls(form, scSetNewSkin, reinterpret_cast<LPARAM>(manager_.get()));
  }

 private:
  std::unique_ptr<TsSkinManager> manager_;
};

// A minimal skinned control: a button-like control of class code 94 in the
// standard "BUTTON" section (or any section), hot under the mouse, pressed
// (state 2) while Pressed is set, with its caption drawn by DrawSkinText.
class TsTestControl : public TacSkinnedControl<TCustomControl, TsCtrlSkinData> {
 public:
  explicit TsTestControl(TComponent* owner, int coc = kCocBitBtn, int standard = ssButton)
      : TacSkinnedControl(owner, coc, true), standard_(standard) {
    SetTabStop(true);
  }

  bool Pressed = false;
  bool FastFades = false;
  int Prepared = 0;  // content paints, one per cache preparation
  TsDisabledKind DisabledKind = kDefaultDisabledKind;
  TacAnimatEvents AnimatEvents = kDefaultAnimatEvents;

  TPaintState PaintState() const override {
    TPaintState s = TacSkinnedControl::PaintState();
    s.Pressed = Pressed;
    return s;
  }
  int DefaultSkinSection() const override { return standard_; }
  TsDisabledKind SkinDisabledKind() const override { return DisabledKind; }
  TacAnimatEvents SkinAnimatEvents() const override { return AnimatEvents; }
  bool SkinFastFade(int) const override { return FastFades; }

  // A press and release as a button makes them: a change of the paint state.
  void Press(bool fast = false) {
    FastFades = fast;
    Pressed = true;
    StateChanged();
  }
  void Release(bool fast = true) {
    FastFades = fast;
    Pressed = false;
    StateChanged();
  }

 protected:
  void PaintContent(TCanvas& canvas, const TPaintState& s) override {
    ++Prepared;
    DrawSkinText(canvas, GetText(), ClientRect(), DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                 SkinData()->CacheState, SkinData(), s.Enabled, true);
  }

 private:
  int standard_;
};

// A skinned container of class code 74 (the group box's): never hot, holds
// children, in the standard "GROUPBOX" section unless named.
class TsTestPanel : public TacSkinnedControl<TCustomControl> {
 public:
  explicit TsTestPanel(TComponent* owner) : TacSkinnedControl(owner, kCocGroupBox) {
    ControlStyle |= csAcceptsControls;
  }
  int DefaultSkinSection() const override { return ssGroupBox; }
};

// A headless window system, a form on screen at a known place, a skin in an
// active default manager, and input aimed at controls.
class SkinnedControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto b = std::make_unique<THeadlessBackend>();
    headless = b.get();
    InitWindowSystem(std::move(b));
    skin = std::make_unique<TTestSkinManager>();
    form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(TFormBorderStyle::bsSingle);
    form->SetClientSize(300, 200);
    form->SetBounds(100, 100, form->Width(), form->Height());
    // A shown form focuses its first tab stop; this one, first and out of
    // sight, holds the focus so that the controls under test start unfocused.
    focus_holder = new TCustomControl(form.get());
    focus_holder->SetParent(form.get());
    focus_holder->SetBounds(-1, -1, 1, 1);
    focus_holder->SetTabStop(true);
  }
  void TearDown() override {
    RemoveAllGlows();
    form.reset();
    skin.reset();
    ShutdownWindowSystem();
  }

  template <class C, class... A>
  C* Make(TWinControl* parent, TRect bounds, A... args) {
    auto* c = new C(form.get(), args...);
    c->SetParent(parent);
    c->SetBoundsRect(bounds);
    return c;
  }
  void Show() {
    form->Show();
    PumpPendingMessages();
  }
  // The skin becomes active and the form and its controls bind to it.
  void Activate() {
    skin->Activate();
    skin->Announce(*form);
    PumpPendingMessages();
  }

  TPoint At(TControl* c, TPoint p) { return c->ClientToScreen(p); }
  void MoveTo(TControl* c, TPoint p = {5, 5}) { headless->MoveMouse(At(c, p)); }
  void MoveAway() { headless->MoveMouse({5, 5}); }

  // What the form shows at a control's client point (as presented).
  TBGRA Shown(TControl* c, TPoint p) {
    PumpPendingMessages();
    const auto* native = headless->Native(form->WindowHandle());
    TRect wr;
    GetWindowRect(form->WindowHandle(), wr);
    const TPoint s = At(c, p);
    return native ? native->screen.Pixel(s.X - wr.Left, s.Y - wr.Top) : TBGRA{};
  }
  // What was painted into the form's pixels at a control's client point.
  TBGRA Painted(TControl* c, TPoint p) {
    const TBitmap32* px = GetWindowPixels(form->WindowHandle());
    TRect wr;
    GetWindowRect(form->WindowHandle(), wr);
    const TPoint s = At(c, p);
    return px ? px->Pixel(s.X - wr.Left, s.Y - wr.Top) : TBGRA{};
  }

  THeadlessBackend* headless = nullptr;
  std::unique_ptr<TTestSkinManager> skin;
  std::unique_ptr<TForm> form;
  TCustomControl* focus_holder = nullptr;
};

// A button-like control in a group box on the form, bound to the test
// skin's "BUTTON" and "GROUPBOX" sections (opaque, three states).
class SkinnedPairTest : public SkinnedControlTest {
 protected:
  void SetUp() override {
    SkinnedControlTest::SetUp();
    button = skin->AddSection(u"BUTTON", 0x00406080, 3, ssButton);
    group = skin->AddSection(u"GROUPBOX", 0x00204060, 3, ssGroupBox);
    panel = Make<TsTestPanel>(form.get(), Bounds(20, 30, 200, 150));
    c = Make<TsTestControl>(panel, Bounds(15, 25, 120, 30));
    Show();
    Activate();
  }
  int button = -1, group = -1;
  TsTestPanel* panel = nullptr;
  TsTestControl* c = nullptr;
};

// Colour bytes of a pixel as a colour value (alpha dropped).
inline TColor ColorOf(TBGRA p) { return RGB(p.R, p.G, p.B); }

// Two pictures of one size show the same colours (alpha aside).
inline bool SameColours(const TBitmap32& a, const TBitmap32& b) {
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (ColorOf(a.Pixel(x, y)) != ColorOf(b.Pixel(x, y))) return false;
  return true;
}

}  // namespace qv::test
