// Scaling in the framework: a form read from a description scales from the
// density it was designed at to the screen's before its create event; a
// shown form scales again when the screen's density changes; each control
// scales what it owns (bounds, margins, anchor rule, own font, a track bar's
// thumb) and fits itself to its scaled font once.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/component/reader.h"
#include "platform/controls/button.h"
#include "platform/controls/label.h"
#include "platform/controls/standard_controls.h"
#include "platform/controls/trackbar.h"
#include "platform/resources.h"
#include "platform/stream/description.h"
#include "tests/platform/controls/controls_fixture.h"

namespace qv {
namespace {

constexpr char kDesigned120[] = R"(object Form1: TForm
  ClientWidth = 300
  ClientHeight = 200
  Font.Height = -11
  PixelsPerInch = 120
  object Go: TButton
    Left = 220
    Top = 170
    Width = 75
    Height = 25
    Anchors = [akRight, akBottom]
  end
  object Slider: TTrackBar
    Left = 10
    Top = 10
    Width = 150
    Height = 30
    ThumbLength = 20
  end
  object Title: TLabel
    Left = 10
    Top = 50
    Font.Height = -15
    Caption = 'Тактика'
  end
end
)";

constexpr char kBadDensity[] = R"(object Form1: TForm
  PixelsPerInch = 20
end
)";

const TResourceRegistration kDesignedForm("test/designed120.qvd",
                                          reinterpret_cast<const std::uint8_t*>(kDesigned120),
                                          std::strlen(kDesigned120));
const TResourceRegistration kBadForm("test/bad_density.qvd",
                                     reinterpret_cast<const std::uint8_t*>(kBadDensity),
                                     std::strlen(kBadDensity));

// A screen of 144 pixels per inch.
class ScaleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto backend = std::make_unique<THeadlessBackend>(TSize{1600, 1200}, 144);
    headless = backend.get();
    InitWindowSystem(std::move(backend));
    RegisterStandardControls();
  }
  void TearDown() override { ShutdownWindowSystem(); }

  THeadlessBackend* headless = nullptr;
};

TEST_F(ScaleTest, ADescriptionIsLaidOutForTheScreenBeforeItsCreateEvent) {
  // A form whose create event sees the scaled layout.
  class TProbeForm : public TForm {
   public:
    explicit TProbeForm(TComponent* owner) : TForm(owner) {
      OnCreate = [this](TObject*) { width_at_create = ClientWidth(); };
      ReadDescription("test/designed120.qvd");
    }
    int width_at_create = 0;
  };
  TProbeForm form(nullptr);
  // 144 / 120: everything grows by a fifth.
  EXPECT_EQ(form.width_at_create, 360);
  EXPECT_EQ(form.PixelsPerInch(), 144);
  EXPECT_EQ(form.Font().Height, -13);
  auto* go = dynamic_cast<TButton*>(form.FindComponent("Go"));
  auto* slider = dynamic_cast<TTrackBar*>(form.FindComponent("Slider"));
  auto* title = dynamic_cast<TLabel*>(form.FindComponent("Title"));
  ASSERT_TRUE(go && slider && title);
  EXPECT_EQ(go->BoundsRect(), Bounds(264, 204, 90, 30));
  EXPECT_EQ(slider->ThumbLength(), 24);
  EXPECT_EQ(title->Font().Height, -18);
  form.Show();
  PumpPendingMessages();
  TRect client;
  GetClientRect(form.WindowHandle(), client);
  EXPECT_EQ(client, Rect(0, 0, 360, 240));
  EXPECT_EQ(go->BoundsRect(), Bounds(264, 204, 90, 30)) << "its anchors keep it in place";
}

TEST_F(ScaleTest, AnImpossibleDesignDensityIsAnErrorNamingTheLine) {
  try {
    TForm form(nullptr);
    form.ReadDescription("test/bad_density.qvd");
    ADD_FAILURE() << "accepted";
  } catch (const TDescriptionError& e) {
    EXPECT_EQ(e.line(), 2);
    EXPECT_NE(std::string(e.what()).find("PixelsPerInch 20"), std::string::npos) << e.what();
  }
}

// Records where ChangeScale reached it and what its form said then.
std::vector<std::string>& Trail() {
  static std::vector<std::string> trail;
  return trail;
}

class TBlock : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;

 protected:
  void ChangeScale(int m, int d) override {
    Trail().push_back(Name() + " " + std::to_string(ParentForm()->PixelsPerInch()));
    TCustomControl::ChangeScale(m, d);
  }
};

TEST_F(ScaleTest, AShownFormScalesAgainWhenTheScreensDensityChanges) {
  TForm form(nullptr);
  form.SetBorderStyle(TFormBorderStyle::bsSingle);
  form.SetClientSize(400, 300);
  ASSERT_EQ(form.PixelsPerInch(), 144) << "a form made in code is laid out for the screen";
  auto place = [&form](TControl* c, TWinControl* parent, TRect r) {
    c->SetParent(parent);
    c->SetBoundsRect(r);
  };
  auto* outer = new TBlock(&form);
  outer->SetName("outer");
  place(outer, &form, Bounds(0, 0, 400, 240));
  auto* inner = new TBlock(&form);
  inner->SetName("inner");
  place(inner, outer, Bounds(20, 20, 200, 100));
  auto* docked = new TLabel(&form);
  place(docked, outer, Bounds(0, 0, 100, 40));
  docked->SetAutoSize(false);
  docked->SetAlignWithMargins(true);
  docked->SetMargins({12, 12, 12, 12});
  docked->SetAlign(TAlign::alBottom);
  auto* centred = new TLabel(&form);
  centred->SetAlignment(TAlignment::taCenter);
  centred->SetCaption(u"Помните!");
  place(centred, outer, Bounds(100, 150, 140, 20));
  auto* go = new TButton(&form);
  place(go, &form, Bounds(300, 260, 80, 30));
  go->SetAnchors((1u << akRight) | (1u << akBottom));
  form.Show();
  PumpPendingMessages();

  Trail().clear();
  headless->ChangeDpi(192);
  EXPECT_EQ(form.PixelsPerInch(), 192);
  EXPECT_EQ(Trail(), (std::vector<std::string>{"outer 192", "inner 192"}))
      << "parents before their children, the form's density already new";
  TRect client, wr;
  GetClientRect(form.WindowHandle(), client);
  GetWindowRect(form.WindowHandle(), wr);
  EXPECT_EQ(client, Rect(0, 0, 533, 400));
  EXPECT_EQ(form.BoundsRect(), wr) << "the control knows where its window went";
  EXPECT_EQ(inner->BoundsRect(), Bounds(27, 27, 267, 133));
  EXPECT_EQ(docked->Margins(), (TMargins{16, 16, 16, 16}));
  EXPECT_EQ(docked->BoundsRect(), Bounds(16, 320 - 16 - 53, 533 - 32, 53));
  EXPECT_EQ(go->BoundsRect(), Bounds(400, 347, 107, 40));
  EXPECT_EQ(form.Font().Height, -15);
  // The centred label fits its text once, around its scaled centre.
  TLabel reference(nullptr);
  reference.SetAlignment(TAlignment::taCenter);
  reference.SetFont(centred->Font());
  reference.SetBoundsRect(Bounds(133, 200, 187, 27));
  reference.SetCaption(u"Помните!");
  reference.AdjustBounds();
  EXPECT_EQ(centred->BoundsRect(), reference.BoundsRect());

  // Back at the first density the layout is where it was.
  headless->ChangeDpi(144);
  GetClientRect(form.WindowHandle(), client);
  EXPECT_EQ(client, Rect(0, 0, 400, 300));
  EXPECT_EQ(inner->BoundsRect(), Bounds(20, 20, 200, 100));
  EXPECT_EQ(go->BoundsRect(), Bounds(300, 260, 80, 30));
}

}  // namespace
}  // namespace qv
