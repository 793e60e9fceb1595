// The standard controls built from a stored window description: published
// properties, references to the image list and the active page resolved
// after the tree exists, and a stored Checked that fires nothing.
#include "platform/component/reader.h"
#include "platform/controls/button.h"
#include "platform/controls/checkbox.h"
#include "platform/controls/pagecontrol.h"
#include "platform/controls/progressbar.h"
#include "platform/controls/standard_controls.h"
#include "platform/controls/trackbar.h"
#include "platform/stream/description.h"
#include "tests/platform/controls/controls_fixture.h"

namespace qv {
namespace {

using test::ControlsTest;

constexpr const char* kForm = R"(object Form1: TForm
  ClientWidth = 400
  ClientHeight = 300
  object Pages: TPageControl
    Left = 4
    Top = 4
    Width = 300
    Height = 200
    ActivePage = Second
    Images = Icons
    object First: TTabSheet
      Caption = 'Тактика'
      ImageIndex = 0
    end
    object Second: TTabSheet
      Caption = 'О программе'
      ImageIndex = -1
      object Press: TCheckBox
        Left = 8
        Top = 8
        Width = 120
        Height = 17
        Caption = 'Прессинг'
        Checked = True
      end
      object Slider: TTrackBar
        Left = 8
        Top = 40
        Width = 150
        Height = 33
        Max = 100
        Position = 70
        TickStyle = tsNone
      end
    end
  end
  object Go: TBitBtn
    Left = 310
    Top = 270
    Caption = 'Поиск'
    Images = Icons
    ImageIndex = 0
    Default = True
    Layout = blGlyphRight
  end
  object Weights: TProgressBar
    Left = 4
    Top = 270
    Width = 145
    Max = 25
    Position = 30
    Smooth = True
  end
  object Icons: TImageList
  end
end
)";

TEST_F(ControlsTest, DescriptionBuildsTheControlsWithTheirProperties) {
  RegisterStandardControls();
  TReader reader("form.qvd");
  reader.ReadRoot(ParseDescription(kForm, "form.qvd"), *form);
  auto* pages = dynamic_cast<TPageControl*>(form->FindComponent("Pages"));
  auto* second = dynamic_cast<TTabSheet*>(form->FindComponent("Second"));
  auto* press = dynamic_cast<TCheckBox*>(form->FindComponent("Press"));
  auto* slider = dynamic_cast<TTrackBar*>(form->FindComponent("Slider"));
  auto* go = dynamic_cast<TBitBtn*>(form->FindComponent("Go"));
  auto* weights = dynamic_cast<TProgressBar*>(form->FindComponent("Weights"));
  auto* icons = dynamic_cast<TImageList*>(form->FindComponent("Icons"));
  ASSERT_TRUE(pages && second && press && slider && go && weights && icons);
  EXPECT_EQ(pages->PageCount(), 2);
  EXPECT_EQ(pages->ActivePage(), second);
  EXPECT_EQ(pages->Images(), icons);
  EXPECT_EQ(second->Caption(), u"О программе");
  EXPECT_TRUE(press->Checked());
  EXPECT_EQ(slider->Position(), 70);
  EXPECT_EQ(slider->TickCount(), 0);
  EXPECT_EQ(go->Images(), icons);
  EXPECT_TRUE(go->Default());
  EXPECT_EQ(go->Layout(), TButtonLayout::blGlyphRight);
  EXPECT_EQ(weights->Position(), 25);  // clamped to the range read before it
}

TEST_F(ControlsTest, StoredCheckedFiresNoClick) {
  RegisterStandardControls();
  const char* text = R"(object Form1: TForm
  object Press: TCheckBox
    Checked = True
    OnClick = PressClick
  end
end
)";
  // A form whose handler records the clicks.
  class TClickForm : public TForm {
   public:
    using TForm::TForm;
    int clicks = 0;
    TNotifyEvent FindMethod(std::string_view name) override {
      if (name == "PressClick") return [this](TObject*) { ++clicks; };
      return nullptr;
    }
  };
  auto f = std::make_unique<TClickForm>(nullptr);
  TReader reader("form.qvd");
  reader.ReadRoot(ParseDescription(text, "form.qvd"), *f);
  auto* press = dynamic_cast<TCheckBox*>(f->FindComponent("Press"));
  ASSERT_TRUE(press);
  EXPECT_TRUE(press->Checked());
  EXPECT_EQ(f->clicks, 0);
  press->SetChecked(false);
  EXPECT_EQ(f->clicks, 1);
}

TEST_F(ControlsTest, ImageListItemsAreReadFromEmbeddedPngFiles) {
  RegisterStandardControls();
  const char* text = R"(object Form1: TForm
  object Icons: TImageList
    Items = <
      item
        ImageFormat = ifPNG
        ImgData = {test/person.png}
      end
      item
        ImgData = {test/person.png}
      end>
  end
end
)";
  TReader reader("form.qvd");
  reader.ReadRoot(ParseDescription(text, "form.qvd"), *form);
  auto* icons = dynamic_cast<TImageList*>(form->FindComponent("Icons"));
  ASSERT_TRUE(icons);
  ASSERT_EQ(icons->Count(), 2);
  EXPECT_EQ(icons->Image(0)->Width(), 16);
  int opaque = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) opaque += icons->Image(1)->Pixel(x, y).A == 255;
  EXPECT_GT(opaque, 16);
}

TEST_F(ControlsTest, ImageListItemsRefuseOtherFormatsAndBrokenData) {
  RegisterStandardControls();
  auto read = [&](const char* item) {
    const std::string text = std::string("object Form1: TForm\n  object Icons: TImageList\n") +
                             "    Items = <\n      item\n" + item + "\n      end>\n  end\nend\n";
    TForm target(nullptr);
    TReader reader("form.qvd");
    try {
      reader.ReadRoot(ParseDescription(text, "form.qvd"), target);
    } catch (const TDescriptionError& e) {
      return std::string(e.what());
    }
    return std::string("read");
  };
  EXPECT_NE(read("        ImageFormat = ifBMP32").find("only PNG"), std::string::npos);
  EXPECT_NE(read("        ImgData = {test/sample.bin}").find("form.qvd:5:"), std::string::npos);
  EXPECT_NE(read("        Name = 'x'").find("unknown property Name"), std::string::npos);
  EXPECT_NE(read("        ImgData = {test/missing.png}").find("no embedded resource"),
            std::string::npos);
}

}  // namespace
}  // namespace qv
