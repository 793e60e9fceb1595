// The control framework on the headless window system: layout, tab
// navigation, mouse routing and clicks, enter/leave, font inheritance, the
// error box text and the form's close gate.
#include <gtest/gtest.h>

#include <memory>

#include "platform/component/application.h"
#include "platform/component/properties.h"
#include "platform/window/headless.h"
#include "platform/window/keys.h"
#include "platform/window/menu.h"
#include "platform/window/paint.h"
#include "platform/window/queue.h"
#include "platform/window/system.h"
#include "tests/platform/controls/controls_fixture.h"

namespace qv {
namespace {

class TBox : public TCustomControl {
 public:
  explicit TBox(TComponent* owner, bool tab_stop = true) : TCustomControl(owner) {
    SetTabStop(tab_stop);
  }
  int paints = 0;

 protected:
  void Paint() override {
    ++paints;
    Canvas()->FillRect(ClientRect(), clRed);
  }
};

class TDot : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  std::vector<std::string> events;

 protected:
  void Paint() override { Canvas()->FillRect(ClientRect(), clBlue); }
  void CMMouseEnter(TMessage& m) override {
    events.push_back("enter");
    TGraphicControl::CMMouseEnter(m);
  }
  void CMMouseLeave(TMessage& m) override {
    events.push_back("leave");
    TGraphicControl::CMMouseLeave(m);
  }
};

class ControlTest : public test::FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    form_->SetBorderStyle(TFormBorderStyle::bsSingle);
    form_->SetClientSize(300, 200);
    form_->Position = TPosition::poScreenCenter;
  }
  TPoint ScreenOf(TControl* c, TPoint p) { return c->ClientToScreen(p); }
};

TEST_F(ControlTest, ClientSizeSurvivesTheFrameAndFormIsCentred) {
  form_->HandleNeeded();  // a window made before showing is sized around its client too
  form_->Show();
  ASSERT_TRUE(form_->HandleAllocated());
  TRect cr;
  GetClientRect(form_->WindowHandle(), cr);
  EXPECT_EQ(cr.Width(), 300);
  EXPECT_EQ(cr.Height(), 200);
  TRect wr;
  GetWindowRect(form_->WindowHandle(), wr);
  EXPECT_GT(wr.Width(), 300);  // a frame around it
  EXPECT_EQ(wr.Left, (1280 - wr.Width()) / 2);
  EXPECT_EQ(wr.Top, (1024 - wr.Height()) / 2);
  const auto style = static_cast<std::uint32_t>(GetWindowLongPtr(form_->WindowHandle(), GWL_STYLE));
  EXPECT_EQ(style & WS_THICKFRAME, 0u);  // a single border cannot be resized
}

TEST_F(ControlTest, BottomDockWithMarginsAndAnchorsFollowTheParent) {
  auto* page = new TBox(form_.get(), false);
  page->SetParent(form_.get());
  page->SetBounds(0, 0, 300, 200);
  page->SetAnchors((1u << akLeft) | (1u << akTop) | (1u << akRight) | (1u << akBottom));
  auto* hint = new TDot(form_.get());
  hint->SetParent(page);
  hint->SetHeight(50);
  hint->SetMargins({12, 12, 12, 12});
  hint->SetAlignWithMargins(true);
  hint->SetAlign(TAlign::alBottom);
  EXPECT_EQ(hint->BoundsRect(), Bounds(12, 200 - 12 - 50, 300 - 24, 50));
  auto* button = Place<TBox>(220, 170, 75, 25);
  button->SetAnchors((1u << akRight) | (1u << akBottom));
  form_->SetClientSize(400, 260);
  form_->Show();
  EXPECT_EQ(page->BoundsRect(), Bounds(0, 0, 400, 260));
  EXPECT_EQ(hint->BoundsRect(), Bounds(12, 260 - 12 - 50, 400 - 24, 50));
  EXPECT_EQ(button->BoundsRect(), Bounds(320, 230, 75, 25));
}

TEST_F(ControlTest, TabWalksNestedParentsSkippingHiddenAndDisabled) {
  auto* a = new TBox(form_.get());
  a->SetParent(form_.get());
  auto* group = new TBox(form_.get(), false);
  group->SetParent(form_.get());
  auto* b = new TBox(form_.get());
  b->SetParent(group);
  auto* c = new TBox(form_.get());
  c->SetParent(group);
  auto* hidden_page = new TBox(form_.get(), false);
  hidden_page->SetParent(form_.get());
  hidden_page->SetVisible(false);
  auto* on_hidden = new TBox(form_.get());
  on_hidden->SetParent(hidden_page);
  auto* d = new TBox(form_.get());
  d->SetParent(form_.get());
  d->SetEnabled(false);
  auto* e = new TBox(form_.get());
  e->SetParent(form_.get());
  for (auto* x : {a, group, b, c, hidden_page, on_hidden, d, e}) x->SetBounds(0, 0, 10, 10);
  form_->Show();
  a->SetFocus();
  ASSERT_TRUE(a->Focused());
  std::vector<TWinControl*> seen;
  for (int i = 0; i < 5; ++i) {
    headless_->PressKey(VK_TAB);
    seen.push_back(form_->ActiveControl());
  }
  EXPECT_EQ(seen, (std::vector<TWinControl*>{b, c, e, a, b}));
  headless_->KeyDown(VK_SHIFT);
  headless_->PressKey(VK_TAB);
  headless_->KeyUp(VK_SHIFT);
  EXPECT_EQ(form_->ActiveControl(), a);
  EXPECT_TRUE(a->Focused());
}

TEST_F(ControlTest, AShownFormHasItsKeyboardOnTheFirstTabStop) {
  // In tab order: a disabled box, a group that is no tab stop holding a
  // hidden box and then b, and last a.
  auto* disabled = Place<TBox>(0, 0, 10, 10);
  disabled->SetEnabled(false);
  auto* group = Place<TBox>(0, 20, 100, 50);
  group->SetTabStop(false);
  auto* hidden = new TBox(form_.get());
  hidden->SetParent(group);
  hidden->SetVisible(false);
  auto* b = new TBox(form_.get());
  b->SetParent(group);
  b->SetBounds(0, 0, 10, 10);
  auto* a = Place<TBox>(0, 80, 10, 10);
  form_->Show();
  EXPECT_EQ(form_->FirstTabStop(), b);
  EXPECT_TRUE(b->Focused());
  EXPECT_EQ(form_->ActiveControl(), b);
  // The keyboard acts at once: the first Tab goes on from there.
  headless_->PressKey(VK_TAB);
  EXPECT_TRUE(a->Focused());
}

TEST_F(ControlTest, TheActiveControlWinsAndComesBackOnReactivation) {
  auto* a = Place<TBox>(0, 0, 10, 10);
  auto* b = Place<TBox>(0, 20, 10, 10);
  form_->SetActiveControl(b);
  form_->Show();
  EXPECT_TRUE(b->Focused());
  EXPECT_FALSE(a->Focused());
  TForm other(nullptr);
  other.SetClientSize(50, 50);
  other.Show();
  EXPECT_FALSE(b->Focused());
  form_->Show();
  EXPECT_TRUE(b->Focused()) << "the control the keyboard left, not the first one";
  // A focused control that went away while the form was inactive: the first
  // tab stop takes the keyboard on the way back.
  other.Show();
  b->SetVisible(false);
  form_->Show();
  EXPECT_TRUE(a->Focused());
}

TEST_F(ControlTest, AFormWithoutTabStopsKeepsTheKeyboardItself) {
  Place<TBox>(0, 0, 10, 10)->SetTabStop(false);
  std::vector<std::uint16_t> keys;
  form_->OnKeyDown = [&](TObject*, std::uint16_t& key, TShiftState) { keys.push_back(key); };
  form_->Show();
  EXPECT_EQ(form_->FirstTabStop(), nullptr);
  EXPECT_EQ(GetFocus(), form_->WindowHandle());
  headless_->PressKey('A');
  EXPECT_EQ(keys, (std::vector<std::uint16_t>{'A'}));
}

TEST_F(ControlTest, StoredTabOrderAppliesAfterLoading) {
  auto* a = new TBox(form_.get());
  auto* b = new TBox(form_.get());
  auto* c = new TBox(form_.get());
  for (auto* x : {a, b, c}) {
    x->BeginLoading();
    x->SetParent(form_.get());
  }
  a->SetTabOrder(2);
  b->SetTabOrder(0);
  c->SetTabOrder(1);
  for (auto* x : {a, b, c}) x->FinishLoading();
  form_->FinishLoading();
  EXPECT_EQ(b->TabOrder(), 0);
  EXPECT_EQ(c->TabOrder(), 1);
  EXPECT_EQ(a->TabOrder(), 2);
}

TEST_F(ControlTest, ClickNeedsPressAndReleaseOverTheControl) {
  auto* dot = Place<TDot>(10, 10, 40, 20);
  int clicks = 0;
  dot->OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, dot);
    ++clicks;
  };
  form_->Show();
  headless_->Click(ScreenOf(dot, {5, 5}));
  EXPECT_EQ(clicks, 1);
  // Pressed on it, released outside: capture keeps the release for it, no click.
  headless_->MouseDown(ScreenOf(dot, {5, 5}));
  headless_->MoveMouse(ScreenOf(dot, {100, 100}));
  headless_->MouseUp(ScreenOf(dot, {100, 100}));
  EXPECT_EQ(clicks, 1);
  // Pressed outside, released on it: no click either.
  headless_->MouseDown(ScreenOf(form_.get(), {200, 150}));
  headless_->MouseUp(ScreenOf(dot, {5, 5}));
  EXPECT_EQ(clicks, 1);
  dot->SetEnabled(false);
  headless_->Click(ScreenOf(dot, {5, 5}));
  EXPECT_EQ(clicks, 1);
}

TEST_F(ControlTest, EnterAndLeaveFollowThePointer) {
  auto* dot = Place<TDot>(10, 10, 40, 20);
  form_->Show();
  headless_->MoveMouse(ScreenOf(form_.get(), {200, 150}));
  headless_->MoveMouse(ScreenOf(dot, {5, 5}));
  headless_->MoveMouse(ScreenOf(dot, {6, 5}));
  EXPECT_EQ(dot->events, (std::vector<std::string>{"enter"}));
  EXPECT_EQ(MouseControl(), dot);
  headless_->MoveMouse(ScreenOf(form_.get(), {200, 150}));
  EXPECT_EQ(dot->events, (std::vector<std::string>{"enter", "leave"}));
  headless_->MoveMouse(ScreenOf(dot, {5, 5}));
  headless_->PointerLeaves();
  EXPECT_EQ(dot->events, (std::vector<std::string>{"enter", "leave", "enter", "leave"}));
}

TEST_F(ControlTest, WindowlessChildrenPaintInTheParentsCycle) {
  auto* box = Place<TBox>(0, 0, 100, 100);
  auto* dot = new TDot(form_.get());
  dot->SetParent(box);
  dot->SetBounds(10, 20, 5, 5);
  form_->Show();
  UpdateWindow(form_->WindowHandle());
  PresentPending();
  UpdateWindow(box->WindowHandle());
  PresentPending();
  EXPECT_GE(box->paints, 1);
  const TBitmap32* pixels = GetWindowPixels(form_->WindowHandle());
  ASSERT_TRUE(pixels);
  const TPoint origin = form_->ScreenToClient(box->ClientToScreen({0, 0}));
  TRect wr;
  GetWindowRect(form_->WindowHandle(), wr);
  const TPoint client = form_->ClientToScreen({0, 0});
  const int ox = client.X - wr.Left + origin.X, oy = client.Y - wr.Top + origin.Y;
  EXPECT_EQ(PixelToColor(pixels->Pixel(ox + 12, oy + 22)), clBlue);  // the dot
  EXPECT_EQ(PixelToColor(pixels->Pixel(ox + 50, oy + 50)), clRed);   // the box
}

TEST_F(ControlTest, FontFollowsTheParentUntilSetOwn) {
  auto* box = new TBox(form_.get());
  box->SetParent(form_.get());
  auto* dot = new TDot(form_.get());
  dot->SetParent(box);
  form_->ChangeFont([](TFont& f) { f.Height = -15; });
  EXPECT_EQ(box->Font().Height, -15);
  EXPECT_EQ(dot->Font().Height, -15);
  dot->ChangeFont([](TFont& f) { f.Style = fsBold; });
  EXPECT_FALSE(dot->ParentFont());
  form_->ChangeFont([](TFont& f) { f.Height = -20; });
  EXPECT_EQ(box->Font().Height, -20);
  EXPECT_EQ(dot->Font().Height, -15);
}

TEST_F(ControlTest, ErrorTextGetsAFullStopOnlyAfterACharacterAboveIt) {
  EXPECT_EQ(TApplication::ExceptionText(u"Connect timed out"), u"Connect timed out.");
  EXPECT_EQ(TApplication::ExceptionText(u"Connect timed out."), u"Connect timed out.");
  EXPECT_EQ(TApplication::ExceptionText(u"HTTP/1.1 404 Not Found"), u"HTTP/1.1 404 Not Found.");
  EXPECT_EQ(TApplication::ExceptionText(u"Сбой"), u"Сбой.");
  EXPECT_EQ(TApplication::ExceptionText(u"why?"), u"why?.");  // '?' is above '.'
  EXPECT_EQ(TApplication::ExceptionText(u"a,"), u"a,");       // ',' is below it
  EXPECT_EQ(TApplication::ExceptionText(u""), u"");
}

TEST_F(ControlTest, DefaultHandlerShowsTheBoxAndTheWindowGoesOn) {
  Application().Title = u"Ballora Quorvane";
  auto* dot = Place<TDot>(10, 10, 40, 20);
  dot->OnClick = [](TObject*) { throw std::runtime_error("HTTP/1.1 404 Not Found"); };
  form_->Show();
  // Input dispatched by the application loop reaches its exception handler.
  headless_->MouseDown(ScreenOf(dot, {5, 5}), TRawMouseButton::Left, false);
  headless_->MouseUp(ScreenOf(dot, {5, 5}), TRawMouseButton::Left, false);
  Application().ProcessMessages();
  ASSERT_EQ(headless_->MessageBoxes().size(), 1u);
  EXPECT_EQ(headless_->MessageBoxes()[0].title, u"Ballora Quorvane");
  EXPECT_EQ(headless_->MessageBoxes()[0].text, u"HTTP/1.1 404 Not Found.");
  EXPECT_TRUE(IsWindowVisible(form_->WindowHandle()));
}

TEST_F(ControlTest, ShutdownFreesTheApplicationsFormsWhileThePlatformRuns) {
  bool destroyed = false;
  auto* owned = Application().CreateForm<TForm>();
  owned->OnDestroy = [&](TObject*) { destroyed = IsWindow(owned->WindowHandle()); };
  auto* child = new TDot(owned);
  child->SetParent(owned);
  owned->Show();
  ASSERT_EQ(Application().MainForm(), owned);
  Application().Shutdown();
  EXPECT_TRUE(destroyed);  // freed before the window system went
  EXPECT_EQ(Application().MainForm(), nullptr);
  EXPECT_TRUE(Application().Components().empty());
}

TEST_F(ControlTest, CloseGoesThroughOneGate) {
  int asked = 0;
  bool allow = false;
  form_->OnCloseQuery = [&](TObject*, bool& can) {
    ++asked;
    can = allow;
  };
  form_->Show();
  SendMessage(form_->WindowHandle(), WM_CLOSE);
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(form_->Visible());
  allow = true;
  headless_->CloseFromDesktop(form_->WindowHandle());
  EXPECT_EQ(asked, 2);
  EXPECT_FALSE(form_->Visible());
}

TEST_F(ControlTest, TheSystemMenuOfAFormReachesItsCloseGate) {
  form_->SetBorderIcons((1u << biSystemMenu) | (1u << biMinimize));
  auto* box = Place<TBox>(10, 10, 50, 50);
  int asked = 0;
  form_->OnCloseQuery = [&](TObject*, bool& can) {
    ++asked;
    can = false;
  };
  form_->Show();
  box->SetFocus();
  const HWND h = form_->WindowHandle();
  EXPECT_NE(GetMenuState(GetSystemMenu(h, false), SC_MAXIMIZE, MF_BYCOMMAND) & MF_GRAYED, 0u);
  headless_->KeyDown(VK_LMENU);
  headless_->PressKey(VK_SPACE);
  headless_->KeyUp(VK_LMENU);
  ASSERT_EQ(GetOpenMenuOwner(), h) << "from the focused control up to its form";
  headless_->PressKey(VK_END);
  headless_->PressKey(VK_RETURN);
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(form_->Visible());
}

}  // namespace
}  // namespace qv

namespace qv {
namespace {

class TDescBox : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
};

class TDescForm : public TForm {
 public:
  using TForm::TForm;
  int created = 0;
  TNotifyEvent FindMethod(std::string_view name) override {
    if (name == "FormCreate") return [this](TObject*) { ++created; };
    return nullptr;
  }
};

TEST_F(ControlTest, FormIsBuiltFromItsDescription) {
  RegisterFrameworkClasses();
  RegisterComponentClass<TDescBox>("TDescBox", "TCustomControl");
  RegisterComponentClass<TDescForm>("TDescForm", "TForm");
  constexpr std::string_view text = R"(object Form1: TDescForm
  BorderStyle = bsSingle
  BorderIcons = [biSystemMenu, biMinimize]
  ClientWidth = 516
  ClientHeight = 412
  Caption = 'Ballora Quorvane [Версия 1.2]'
  Font.Name = 'Tahoma'
  Font.Height = -11
  Font.Charset = RUSSIAN_CHARSET
  OnCreate = FormCreate
  ActiveControl = Hint
  object Page: TDescBox
    Left = 8
    Top = 8
    Width = 503
    Height = 362
    TabOrder = 1
    object Hint: TDescBox
      Height = 50
      Align = alBottom
      AlignWithMargins = True
      Margins.Left = 12
      Margins.Top = 12
      Margins.Right = 12
      Margins.Bottom = 12
      Font.Height = -15
      Font.Style = [fsBold]
    end
  end
  object Quit: TDescBox
    Left = 428
    Top = 380
    Width = 75
    Height = 25
    Anchors = [akRight, akBottom]
    TabOrder = 0
  end
end
)";
  TDescForm form(nullptr);
  TReader reader("Form1.qvd");
  reader.ReadRoot(ParseDescription(text, "Form1.qvd"), form);
  EXPECT_EQ(form.Caption(), u"Ballora Quorvane [Версия 1.2]");
  EXPECT_EQ(form.ClientWidth(), 516);
  auto* page = dynamic_cast<TDescBox*>(form.FindComponent("Page"));
  auto* hint = dynamic_cast<TDescBox*>(form.FindComponent("Hint"));
  auto* quit = dynamic_cast<TDescBox*>(form.FindComponent("Quit"));
  ASSERT_TRUE(page && hint && quit);
  EXPECT_EQ(hint->Parent(), page);
  EXPECT_EQ(hint->BoundsRect(), Bounds(12, 362 - 12 - 50, 503 - 24, 50));
  EXPECT_EQ(page->Font().Charset, RUSSIAN_CHARSET);  // followed the form
  EXPECT_EQ(hint->Font().Height, -15);
  EXPECT_EQ(hint->Font().Style, static_cast<unsigned>(fsBold));
  EXPECT_EQ(hint->Font().Name, u"Tahoma");
  EXPECT_EQ(quit->TabOrder(), 0);
  EXPECT_EQ(page->TabOrder(), 1);
  form.Show();
  TRect cr;
  GetClientRect(form.WindowHandle(), cr);
  EXPECT_EQ(cr, Rect(0, 0, 516, 412));
  EXPECT_EQ(quit->BoundsRect(), Bounds(428, 380, 75, 25));
  EXPECT_TRUE(hint->Focused()) << "the stored active control, though no tab stop";
}

TEST_F(ControlTest, AStoredActiveControlMustBeAControlOfTheForm) {
  RegisterFrameworkClasses();
  RegisterComponentClass<TDescBox>("TDescBox", "TCustomControl");
  RegisterComponentClass<TDescForm>("TDescForm", "TForm");
  for (const std::string_view target : {"Form1", "Nowhere"}) {
    const std::string text = "object Form1: TDescForm\n  ActiveControl = " + std::string(target) +
                             "\n  object Box: TDescBox\n  end\nend\n";
    TDescForm form(nullptr);
    TReader reader("Form1.qvd");
    try {
      reader.ReadRoot(ParseDescription(text, "Form1.qvd"), form);
      ADD_FAILURE() << target << " was taken";
    } catch (const std::exception& e) {
      EXPECT_NE(std::string(e.what()).find("Form1.qvd:2"), std::string::npos) << e.what();
    }
    EXPECT_EQ(form.ActiveControl(), nullptr);
  }
}

}  // namespace
}  // namespace qv

namespace qv {
namespace {

TEST_F(ControlTest, ScreenListsFormsInCreationOrder) {
  const int before = Screen().FormCount();
  auto second = std::make_unique<TForm>(nullptr);
  ASSERT_EQ(Screen().FormCount(), before + 1);
  EXPECT_EQ(Screen().Forms()[static_cast<std::size_t>(before) - 1], form_.get());
  EXPECT_EQ(Screen().Forms().back(), second.get());
  second.reset();
  EXPECT_EQ(Screen().FormCount(), before);
  EXPECT_EQ(Screen().PixelsPerInch(), 96);
}

}  // namespace
}  // namespace qv

namespace qv {
namespace {

class TRude : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;

 protected:
  void Paint() override {
    Canvas()->ResetClip();  // tries to paint the whole window
    Canvas()->FillRect(Rect(-1000, -1000, 1000, 1000), 0x00FF00);
  }
};

TEST_F(ControlTest, APainterCannotEscapeItsWindow) {
  auto* rude = Place<TRude>(10, 10, 20, 20);
  form_->Show();
  UpdateWindow(form_->WindowHandle());
  UpdateWindow(rude->WindowHandle());
  PresentPending();
  const TBitmap32* pixels = GetWindowPixels(form_->WindowHandle());
  ASSERT_TRUE(pixels);
  TRect wr;
  GetWindowRect(form_->WindowHandle(), wr);
  const TPoint inside = rude->ClientToScreen({5, 5});
  const TPoint outside = form_->ClientToScreen({100, 100});
  EXPECT_EQ(PixelToColor(pixels->Pixel(inside.X - wr.Left, inside.Y - wr.Top)), 0x00FF00);
  EXPECT_NE(PixelToColor(pixels->Pixel(outside.X - wr.Left, outside.Y - wr.Top)), 0x00FF00);
}

}  // namespace
}  // namespace qv

namespace qv {
namespace {

TEST_F(ControlTest, CursorFollowsTheControlUnderThePointer) {
  auto* dot = Place<TDot>(10, 10, 40, 20);
  dot->Cursor = IDC_HAND;
  form_->Show();
  headless_->MoveMouse(ScreenOf(dot, {5, 5}));
  EXPECT_EQ(headless_->Cursor(), IDC_HAND);
  headless_->MoveMouse(ScreenOf(form_.get(), {200, 150}));
  EXPECT_EQ(headless_->Cursor(), IDC_ARROW);
  Screen().Cursor = IDC_WAIT;  // a screen cursor wins everywhere
  headless_->MoveMouse(ScreenOf(dot, {6, 5}));
  EXPECT_EQ(headless_->Cursor(), IDC_WAIT);
  Screen().Cursor = 0;
}

}  // namespace
}  // namespace qv
