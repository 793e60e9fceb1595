// The skin command message on a headless window system: its delivery to
// forms and controls in order, what the manager sends when skins come and go,
// hot tracking, the system colours under a skin, the live-preview channel of
// the main window and rescaling a form.
#include <gtest/gtest.h>

#include <type_traits>

#include "paint/compositing.h"
#include "platform/component/application.h"
#include "platform/window/headless.h"
#include "platform/window/input.h"
#include "platform/window/queue.h"
#include "platform/window/system.h"
#include "platform/window/window.h"
#include "skin/hot_tracking.h"
#include "skin/skin_commands.h"
#include "tests/skin/skin_fixture.h"

namespace qv {
namespace {

using namespace qv::test;

// What the test controls heard: "name:command".
std::vector<std::string> g_heard;
std::vector<LPARAM> g_params;

// Records every skin command except the is-skinned question, which it
// answers as told.
template <class Base>
class TRecording : public Base {
 public:
  TRecording(TComponent* owner, std::string name, bool skinned = false)
      : Base(owner), name_(std::move(name)), skinned_(skinned) {}
  void WndProc(TMessage& m) override {
    if (m.Msg == SKIN_COMMAND_MSG) {
      const int command = SkinCommandOf(m.WParam);
      if (command == scIsSkinned) {
        m.Result = skinned_ ? 1 : 0;
        return;
      }
      g_heard.push_back(name_ + ":" + std::to_string(command));
      g_params.push_back(m.LParam);
      if (command == scGetPPI) m.Result = 96;
      return;
    }
    Base::WndProc(m);
  }

 private:
  std::string name_;
  bool skinned_;
};
using TRecForm = TRecording<TForm>;
using TRecPanel = TRecording<TCustomControl>;
using TRecGraphic = TRecording<TGraphicControl>;

class SkinBroadcastTest : public SkinEnvTest {
 protected:
  void SetUp() override {
    SkinEnvTest::SetUp();
    auto backend = std::make_unique<THeadlessBackend>();
    headless_ = backend.get();
    InitWindowSystem(std::move(backend));
    g_heard.clear();
    g_params.clear();
  }
  void TearDown() override {
    manager_.reset();
    for (auto it = owned_.rbegin(); it != owned_.rend(); ++it) delete *it;
    Application().SetMainForm(nullptr);
    ShutdownWindowSystem();
    SkinEnvTest::TearDown();
  }
  // A form of the application (or of nobody) with a window.
  TRecForm* Form(const std::string& name, bool of_app = true, bool window = true,
                 bool skinned = false) {
    auto* f = new TRecForm(of_app ? &Application() : nullptr, name, skinned);
    owned_.push_back(f);
    f->SetBounds(100, 100, 300, 200);
    if (window) f->HandleNeeded();
    return f;
  }
  template <class C>
  C* Child(TWinControl* parent, const std::string& name, bool skinned = false) {
    auto* c = new C(parent, name, skinned);
    c->SetParent(parent);
    c->SetBounds(10, 10, 50, 30);
    if constexpr (std::is_base_of_v<TWinControl, C>) c->HandleNeeded();
    return c;
  }
  TsSkinManager& Manager() {
    if (!manager_) manager_ = std::make_unique<TsSkinManager>(nullptr);
    return *manager_;
  }
  void LoadSkin(std::string options =
                    "[GLOBALINFO]\r\nVERSION=14\r\nCOLOR=0x102030\r\n"
                    "[EDIT]\r\nCOLOR=0x0A0B0C\r\nFONTCOLOR=0x010203\r\n") {
    Store(Manager(), u"A", TSyntheticSkin{std::move(options), {}}.Package());
    Manager().SetSkinName(u"A");
  }

  THeadlessBackend* headless_ = nullptr;
  std::vector<TComponent*> owned_;
  std::unique_ptr<TsSkinManager> manager_;
};

TEST_F(SkinBroadcastTest, LastFormFirstEachFormBeforeItsControls) {
  TRecForm* f1 = Form("F1");
  TRecPanel* p1 = Child<TRecPanel>(f1, "P1");
  Child<TRecGraphic>(p1, "G1");
  Child<TRecGraphic>(f1, "G2");
  TRecForm* f2 = Form("F2");
  TRecPanel* p2 = Child<TRecPanel>(f2, "P2", true);  // skinned: its children are its own
  Child<TRecGraphic>(p2, "G3");
  Child<TRecGraphic>(f2, "G4");
  // No window yet: the form hears nothing, its windowless controls do.
  TRecForm* f3 = Form("F3", true, false);
  Child<TRecGraphic>(f3, "G5");
  // A form that is skinned itself is reached through the list of skinned forms.
  Form("F4", true, true, true);
  TRecForm* own = Form("Own", false);
  RegisterSkinnedForm(own);
  TRecForm* tracked = Form("T", false);
  ShowWindow(tracked->Handle(), SW_SHOW);
  TrackSkinnedWindow(tracked->Handle());
  TRecForm* hidden = Form("Hidden", false);
  TrackSkinnedWindow(hidden->Handle());

  BroadcastSkinCommand(scRefreshSkin, 77);
  EXPECT_EQ(g_heard, (std::vector<std::string>{"G5:3", "F2:3", "P2:3", "G4:3", "F1:3", "P1:3",
                                               "G1:3", "G2:3", "Own:3", "T:3"}));
  EXPECT_EQ(g_params.front(), 77);
  UnregisterSkinnedForm(own);
  UntrackSkinnedWindow(tracked->Handle());
  UntrackSkinnedWindow(hidden->Handle());
  g_heard.clear();
  BroadcastSkinCommand(scStopAnimation);
  EXPECT_EQ(g_heard.size(), 8u);
}

TEST_F(SkinBroadcastTest, WhatTheManagerSendsAsSkinsComeAndGo) {
  TRecForm* f = Form("F");
  TRecPanel* list_control = Child<TRecPanel>(f, "L");
  Manager().SkinListController.AddControl(list_control);
  LoadSkin();
  ASSERT_TRUE(Manager().IsActive());
  EXPECT_EQ(g_heard,
            (std::vector<std::string>{"F:1", "L:1", "F:16", "L:16", "F:3", "L:3", "L:74"}));
  EXPECT_EQ(g_params[0], reinterpret_cast<LPARAM>(&Manager()));
  EXPECT_TRUE(Manager().HookInstalled());

  g_heard.clear();
  Manager().BeginUpdate();
  Manager().SetSkinName(u"A");
  EXPECT_EQ(g_heard, (std::vector<std::string>{"L:74"}));
  g_heard.clear();
  Manager().EndUpdate(true, true);
  EXPECT_EQ(g_heard, (std::vector<std::string>{"F:1", "L:1", "F:16", "L:16", "F:3", "L:3"}));

  g_heard.clear();
  g_params.clear();
  Manager().UpdateSkinSection(u"panel");
  ASSERT_EQ(g_heard, (std::vector<std::string>{"F:13", "L:13"}));
  // The name travels upper-cased, valid while the command is handled; the
  // test only looks at the command.
  g_heard.clear();
  Manager().SetActive(false);
  EXPECT_EQ(g_heard, (std::vector<std::string>{"F:2", "L:2", "L:74"}));
  EXPECT_FALSE(Manager().HookInstalled());
}

TEST_F(SkinBroadcastTest, HotTrackingTellsWhatTheMouseEntersAndLeaves) {
  TRecForm* f = Form("F");
  ShowWindow(f->Handle(), SW_SHOW);
  TRecPanel* a = Child<TRecPanel>(f, "A");
  TRecPanel* b = Child<TRecPanel>(f, "B");
  b->SetBounds(100, 10, 80, 80);
  TRecPanel* inner = Child<TRecPanel>(b, "Inner");
  TRecGraphic* g = Child<TRecGraphic>(f, "G");
  TsSkinManager& m = Manager();
  m.SetActiveControl(a->Handle());
  m.SetActiveControl(b->Handle());
  // The inner window keeps its parent hot around it.
  m.SetActiveControl(inner->Handle());
  m.SetActiveGraphControl(g);
  m.SetActiveControl(a->Handle());
  EXPECT_EQ(g_heard, (std::vector<std::string>{"A:29", "A:30", "B:29", "Inner:29", "G:30",
                                               "Inner:30", "A:29"}));
  // The periodic check ends the hot state of a window the mouse has left.
  g_heard.clear();
  TRect r;
  GetWindowRect(a->Handle(), r);
  headless_->MoveMouse({r.Left + 2, r.Top + 2});
  headless_->AdvanceTime(kCheckHotInterval);
  EXPECT_EQ(m.ActiveControl(), a->Handle());
  headless_->MoveMouse({r.Right + 100, r.Top});
  g_heard.clear();
  headless_->AdvanceTime(kCheckHotInterval);
  EXPECT_EQ(std::count(g_heard.begin(), g_heard.end(), "A:30"), 1);
  EXPECT_FALSE(m.ActiveControl());
  // A windowless control that is freed is forgotten, not told.
  m.SetActiveGraphControl(g);
  delete g;
  g_heard.clear();
  m.CheckHot();
  EXPECT_EQ(m.ActiveGraphControl(), nullptr);
  EXPECT_TRUE(g_heard.empty());
}

TEST_F(SkinBroadcastTest, SystemColoursFollowTheSkinOnlyWhenAsked) {
  TRecForm* f = Form("F");
  f->Show();
  PumpPendingMessages();
  LoadSkin();
  ASSERT_TRUE(Manager().HookInstalled());
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), DefaultSysColor(COLOR_WINDOW));
  Manager().Options.ChangeSysColors = true;
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), 0x0A0B0C);
  EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), 0x010203);
  // Pens and brushes of system colours by index, not by colour value.
  EXPECT_EQ(ColorToRGB(clBtnFace), 0x102030);
  EXPECT_EQ(GetSysColor(COLOR_3DLIGHT), MixColors(0x102030, clWhite, 205));
  EXPECT_EQ(GetSysColor(COLOR_INFOBK), DefaultSysColor(COLOR_INFOBK));
  Manager().SetActive(false);
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), DefaultSysColor(COLOR_WINDOW));
}

TEST_F(SkinBroadcastTest, TheMainWindowCarriesTheLivePreview) {
  TRecForm* f = Form("Main");
  Application().SetMainForm(f);
  TsSkinManager& m = Manager();  // hooks the main window at once
  const TacSkinEditorData d{kSkinEditorMagic, u"Live", u"",
                            u"[GLOBALINFO]\r\nVERSION=14.2\r\nAUTHOR=live\r\n"};
  const TBytes record = SkinEditorDataBytes(d);
  COPYDATASTRUCT cds{kSkinEditorCopyData, static_cast<std::uint32_t>(record.size() - 1),
                     record.data()};
  // A record one byte short is not one: the window gets the message.
  EXPECT_EQ(SendMessage(f->Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds)), 0);
  EXPECT_FALSE(m.PreviewBuffer);
  cds.cbData = static_cast<std::uint32_t>(record.size());
  EXPECT_EQ(SendMessage(f->Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds)), 1);
  EXPECT_FALSE(m.IsActive());  // applied from the message loop
  PumpPendingMessages();
  EXPECT_TRUE(m.IsActive());
  EXPECT_EQ(m.SkinCommonInfo.Author, u"live");
  EXPECT_EQ(m.SkinName(), u"Live");
  // The preview command was the manager's, not the form's.
  EXPECT_EQ(std::count(g_heard.begin(), g_heard.end(), "Main:71"), 0);
}

TEST_F(SkinBroadcastTest, RescalingAFormScalesItsControlsAndTellsIt) {
  TRecForm* f = Form("F");
  f->SetClientSize(200, 100);
  TRecPanel* p = Child<TRecPanel>(f, "P");
  TsSkinManager& m = Manager();
  m.UpdateScale(*f, 96, 96);  // the platform scales windows itself: nothing
  EXPECT_TRUE(g_heard.empty());
  m.UpdateScale(*f, 96, 144);
  EXPECT_EQ(f->ClientWidth(), 300);
  EXPECT_EQ(f->ClientHeight(), 150);
  EXPECT_EQ(p->BoundsRect(), Bounds(15, 15, 75, 45));
  ASSERT_EQ(g_heard, (std::vector<std::string>{"F:68"}));
  EXPECT_EQ(g_params[0], 144);
  EXPECT_EQ(m.ManagerState, 0u);
  // A fixed design scale asks the form for its density first.
  g_heard.clear();
  m.Options.ScaleMode = sm125;
  m.UpdateScale(*f, 0);
  EXPECT_EQ(g_heard, (std::vector<std::string>{"F:69", "F:68"}));
  EXPECT_EQ(p->Width(), 94);
}

TEST_F(SkinBroadcastTest, TheApplicationFontReachesControlsThatUseIt) {
  TRecForm* f = Form("F");
  Application().SetMainForm(f);
  TRecPanel* plain = Child<TRecPanel>(f, "Plain");
  plain->SetParentFont(false);
  TRecPanel* own = Child<TRecPanel>(f, "Own");
  own->SetParentFont(false);
  own->ChangeFont([](TFont& font) { font.Name = u"Serif"; });
  LoadSkin();
  std::vector<std::pair<ustring, ustring>> changes;
  // Controls answer the command as the control binding will: through
  // UpdateFontName while the change is under way.
  Manager().OnFontChanged = [&](TObject*, ustring_view o, ustring_view n) {
    changes.emplace_back(o, n);
    Manager().UpdateFontName(plain);
    Manager().UpdateFontName(own);
  };
  g_heard.clear();
  Manager().ChangeAppFont(u"DejaVu Sans");
  EXPECT_EQ(g_heard, (std::vector<std::string>{"F:36", "Plain:36", "Own:36"}));
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].second, u"DejaVu Sans");
  EXPECT_EQ(plain->Font().Name, u"DejaVu Sans");
  EXPECT_EQ(own->Font().Name, u"Serif");
  g_heard.clear();
  Manager().ChangeAppFont(u"DejaVu Sans");  // the same name again: nothing
  EXPECT_TRUE(g_heard.empty());
}

}  // namespace
}  // namespace qv
