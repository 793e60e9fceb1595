// The standard controls' classes and published properties.
#include "platform/controls/standard_controls.h"

#include <exception>

#include "platform/component/properties.h"
#include "platform/component/reader.h"
#include "platform/controls/button.h"
#include "platform/controls/checkbox.h"
#include "platform/controls/groupbox.h"
#include "platform/controls/imagelist.h"
#include "platform/controls/label.h"
#include "platform/controls/pagecontrol.h"
#include "platform/controls/progressbar.h"
#include "platform/controls/trackbar.h"

namespace qv {

namespace {

using V = const TDescValue&;
using R = TReader&;

const TEnumNames<TAlignment> kAlignmentNames = {{"taLeftJustify", TAlignment::taLeftJustify},
                                                {"taRightJustify", TAlignment::taRightJustify},
                                                {"taCenter", TAlignment::taCenter}};
const TEnumNames<TTextLayout> kLayoutNames = {{"tlTop", TTextLayout::tlTop},
                                              {"tlCenter", TTextLayout::tlCenter},
                                              {"tlBottom", TTextLayout::tlBottom}};
const TEnumNames<TEllipsisPosition> kEllipsisNames = {
    {"epNone", TEllipsisPosition::epNone},
    {"epPathEllipsis", TEllipsisPosition::epPathEllipsis},
    {"epEndEllipsis", TEllipsisPosition::epEndEllipsis},
    {"epWordEllipsis", TEllipsisPosition::epWordEllipsis}};
const TEnumNames<TButtonLayout> kButtonLayoutNames = {
    {"blGlyphLeft", TButtonLayout::blGlyphLeft},
    {"blGlyphRight", TButtonLayout::blGlyphRight},
    {"blGlyphTop", TButtonLayout::blGlyphTop},
    {"blGlyphBottom", TButtonLayout::blGlyphBottom}};
const TEnumNames<TModalResult> kModalNames = {
    {"mrNone", TModalResult::mrNone},     {"mrOk", TModalResult::mrOk},
    {"mrCancel", TModalResult::mrCancel}, {"mrAbort", TModalResult::mrAbort},
    {"mrRetry", TModalResult::mrRetry},   {"mrIgnore", TModalResult::mrIgnore},
    {"mrYes", TModalResult::mrYes},       {"mrNo", TModalResult::mrNo}};
const TEnumNames<TCheckBoxState> kCheckStateNames = {{"cbUnchecked", TCheckBoxState::cbUnchecked},
                                                     {"cbChecked", TCheckBoxState::cbChecked},
                                                     {"cbGrayed", TCheckBoxState::cbGrayed}};
const TEnumNames<TTrackBarOrientation> kTrackOrientationNames = {
    {"trHorizontal", TTrackBarOrientation::trHorizontal},
    {"trVertical", TTrackBarOrientation::trVertical}};
const TEnumNames<TTickStyle> kTickStyleNames = {{"tsNone", TTickStyle::tsNone},
                                                {"tsAuto", TTickStyle::tsAuto},
                                                {"tsManual", TTickStyle::tsManual}};
const TEnumNames<TTickMark> kTickMarkNames = {{"tmBottomRight", TTickMark::tmBottomRight},
                                              {"tmTopLeft", TTickMark::tmTopLeft},
                                              {"tmBoth", TTickMark::tmBoth}};
const TEnumNames<TProgressBarOrientation> kProgressOrientationNames = {
    {"pbHorizontal", TProgressBarOrientation::pbHorizontal},
    {"pbVertical", TProgressBarOrientation::pbVertical}};

template <class C, class F>
TPropertySetter Set(F f) {
  return Setter<C>(f);
}

// The image list's Items collection, in the stored form of the alpha image
// list: each item an ImageFormat (only ifPNG here) and its ImgData, the whole
// PNG file as embedded data. Images are added in stored order.
void ReadImageItems(TImageList& list, V v, R r) {
  if (v.kind != TDescValue::Kind::Collection) r.Fail(v.line, "collection expected");
  for (const auto& item : v.items) {
    for (const TDescProperty& p : item) {
      if (p.name == "ImageFormat") {
        if (r.Identifier(p.value) != "ifPNG") r.Fail(p.line, "only PNG image items are supported");
      } else if (p.name == "ImgData") {
        const TResourceBytes png = r.Binary(p.value);
        try {
          list.AddPng(png);
        } catch (const std::exception& e) {
          r.Fail(p.line, e.what());
        }
      } else {
        r.Fail(p.line, "unknown property " + p.name + " of an image item");
      }
    }
  }
}

// An image list named by the description, assigned once the tree exists.
template <class C>
TPropertySetter ImagesSetter() {
  return Set<C>([](C& x, V v, R r) {
    r.Reference(v, [&x](TComponent* c) {
      auto* list = dynamic_cast<TCustomImageList*>(c);
      if (!list) return false;
      x.SetImages(list);
      return true;
    });
  });
}

void RegisterLabel() {
  RegisterComponentClass<TCustomLabel>("TCustomLabel", "TGraphicControl")
      .Property("AutoSize",
                Set<TCustomLabel>([](TCustomLabel& x, V v, R r) { x.SetAutoSize(r.Boolean(v)); }))
      .Property("Alignment", Set<TCustomLabel>([](TCustomLabel& x, V v, R r) {
                  x.SetAlignment(r.Enum(v, kAlignmentNames));
                }))
      .Property("Layout", Set<TCustomLabel>([](TCustomLabel& x, V v, R r) {
                  x.SetLayout(r.Enum(v, kLayoutNames));
                }))
      .Property("WordWrap",
                Set<TCustomLabel>([](TCustomLabel& x, V v, R r) { x.SetWordWrap(r.Boolean(v)); }))
      .Property("ShowAccelChar", Set<TCustomLabel>([](TCustomLabel& x, V v, R r) {
                  x.SetShowAccelChar(r.Boolean(v));
                }))
      .Property("Transparent", Set<TCustomLabel>([](TCustomLabel& x, V v, R r) {
                  x.SetTransparent(r.Boolean(v));
                }))
      .Property("EllipsisPosition", Set<TCustomLabel>([](TCustomLabel& x, V v, R r) {
                  x.SetEllipsisPosition(r.Enum(v, kEllipsisNames));
                }));
  RegisterComponentClass<TLabel>("TLabel", "TCustomLabel");
}

void RegisterButtons() {
  RegisterComponentClass<TCustomButton>("TCustomButton", "TCustomControl")
      .Property("Default",
                Set<TCustomButton>([](TCustomButton& x, V v, R r) { x.SetDefault(r.Boolean(v)); }))
      .Property("Cancel",
                Set<TCustomButton>([](TCustomButton& x, V v, R r) { x.SetCancel(r.Boolean(v)); }))
      .Property("ModalResult", Set<TCustomButton>([](TCustomButton& x, V v, R r) {
                  x.ModalResult = v.kind == TDescValue::Kind::Integer
                                      ? static_cast<TModalResult>(r.Int(v))
                                      : r.Enum(v, kModalNames);
                }));
  RegisterComponentClass<TButton>("TButton", "TCustomButton");
  RegisterComponentClass<TBitBtn>("TBitBtn", "TButton")
      .Property("Images", ImagesSetter<TBitBtn>())
      .Property("ImageIndex", Set<TBitBtn>([](TBitBtn& x, V v, R r) { x.SetImageIndex(r.Int(v)); }))
      .Property("Layout", Set<TBitBtn>([](TBitBtn& x, V v, R r) {
                  x.SetLayout(r.Enum(v, kButtonLayoutNames));
                }))
      .Property("Margin", Set<TBitBtn>([](TBitBtn& x, V v, R r) { x.SetMargin(r.Int(v)); }))
      .Property("Spacing", Set<TBitBtn>([](TBitBtn& x, V v, R r) { x.SetSpacing(r.Int(v)); }))
      .Property("NumGlyphs", Set<TBitBtn>([](TBitBtn& x, V v, R r) { x.SetNumGlyphs(r.Int(v)); }))
      .Property("WordWrap", Set<TBitBtn>([](TBitBtn& x, V v, R r) { x.SetWordWrap(r.Boolean(v)); }))
      .Property("Alignment", Set<TBitBtn>([](TBitBtn& x, V v, R r) {
                  x.SetAlignment(r.Enum(v, kAlignmentNames));
                }));
}

void RegisterCheckBox() {
  RegisterComponentClass<TCustomCheckBox>("TCustomCheckBox", "TCustomControl")
      .Property("Checked", Set<TCustomCheckBox>(
                               [](TCustomCheckBox& x, V v, R r) { x.SetChecked(r.Boolean(v)); }))
      .Property("State", Set<TCustomCheckBox>([](TCustomCheckBox& x, V v, R r) {
                  x.SetState(r.Enum(v, kCheckStateNames));
                }))
      .Property("AllowGrayed", Set<TCustomCheckBox>([](TCustomCheckBox& x, V v, R r) {
                  x.SetAllowGrayed(r.Boolean(v));
                }))
      .Property("Alignment", Set<TCustomCheckBox>([](TCustomCheckBox& x, V v, R r) {
                  x.SetAlignment(r.Enum(v, kAlignmentNames));
                }))
      .Property("WordWrap", Set<TCustomCheckBox>(
                                [](TCustomCheckBox& x, V v, R r) { x.SetWordWrap(r.Boolean(v)); }))
      .Property("AutoSize", Set<TCustomCheckBox>(
                                [](TCustomCheckBox& x, V v, R r) { x.SetAutoSize(r.Boolean(v)); }));
  RegisterComponentClass<TCheckBox>("TCheckBox", "TCustomCheckBox");
}

void RegisterBars() {
  RegisterComponentClass<TProgressBar>("TProgressBar", "TCustomControl")
      .Property("Min", Set<TProgressBar>([](TProgressBar& x, V v, R r) { x.SetMin(r.Int(v)); }))
      .Property("Max", Set<TProgressBar>([](TProgressBar& x, V v, R r) { x.SetMax(r.Int(v)); }))
      .Property("Position",
                Set<TProgressBar>([](TProgressBar& x, V v, R r) { x.SetPosition(r.Int(v)); }))
      .Property("Step", Set<TProgressBar>([](TProgressBar& x, V v, R r) { x.SetStep(r.Int(v)); }))
      .Property("Smooth",
                Set<TProgressBar>([](TProgressBar& x, V v, R r) { x.SetSmooth(r.Boolean(v)); }))
      .Property("BorderWidth",
                Set<TProgressBar>([](TProgressBar& x, V v, R r) { x.SetBorderWidth(r.Int(v)); }))
      .Property("Orientation", Set<TProgressBar>([](TProgressBar& x, V v, R r) {
                  x.SetOrientation(r.Enum(v, kProgressOrientationNames));
                }));
  RegisterComponentClass<TTrackBar>("TTrackBar", "TCustomControl")
      .Property("Min", Set<TTrackBar>([](TTrackBar& x, V v, R r) { x.SetMin(r.Int(v)); }))
      .Property("Max", Set<TTrackBar>([](TTrackBar& x, V v, R r) { x.SetMax(r.Int(v)); }))
      .Property("Position", Set<TTrackBar>([](TTrackBar& x, V v, R r) { x.SetPosition(r.Int(v)); }))
      .Property("LineSize", Set<TTrackBar>([](TTrackBar& x, V v, R r) { x.SetLineSize(r.Int(v)); }))
      .Property("PageSize", Set<TTrackBar>([](TTrackBar& x, V v, R r) { x.SetPageSize(r.Int(v)); }))
      .Property("Frequency",
                Set<TTrackBar>([](TTrackBar& x, V v, R r) { x.SetFrequency(r.Int(v)); }))
      .Property("ThumbLength",
                Set<TTrackBar>([](TTrackBar& x, V v, R r) { x.SetThumbLength(r.Int(v)); }))
      .Property("SliderVisible",
                Set<TTrackBar>([](TTrackBar& x, V v, R r) { x.SetSliderVisible(r.Boolean(v)); }))
      .Property("TickStyle", Set<TTrackBar>([](TTrackBar& x, V v, R r) {
                  x.SetTickStyle(r.Enum(v, kTickStyleNames));
                }))
      .Property("TickMarks", Set<TTrackBar>([](TTrackBar& x, V v, R r) {
                  x.SetTickMarks(r.Enum(v, kTickMarkNames));
                }))
      .Property("Orientation", Set<TTrackBar>([](TTrackBar& x, V v, R r) {
                  x.SetOrientation(r.Enum(v, kTrackOrientationNames));
                }))
      .Property("OnChange",
                Set<TTrackBar>([](TTrackBar& x, V v, R r) { x.OnChange = r.Event(v); }));
}

void RegisterPages() {
  RegisterComponentClass<TCustomGroupBox>("TCustomGroupBox", "TCustomControl");
  RegisterComponentClass<TGroupBox>("TGroupBox", "TCustomGroupBox");
  RegisterComponentClass<TPageControl>("TPageControl", "TCustomControl")
      .Property("Images", ImagesSetter<TPageControl>())
      .Property("ActivePage", Set<TPageControl>([](TPageControl& x, V v, R r) {
                  r.Reference(v, [&x](TComponent* c) {
                    auto* page = dynamic_cast<TTabSheet*>(c);
                    if (!page) return false;
                    x.SetActivePage(page);
                    return true;
                  });
                }))
      .Property("OnChange",
                Set<TPageControl>([](TPageControl& x, V v, R r) { x.OnChange = r.Event(v); }));
  RegisterComponentClass<TTabSheet>("TTabSheet", "TCustomControl")
      .Property("ImageIndex",
                Set<TTabSheet>([](TTabSheet& x, V v, R r) { x.SetImageIndex(r.Int(v)); }))
      .Property("TabVisible",
                Set<TTabSheet>([](TTabSheet& x, V v, R r) { x.SetTabVisible(r.Boolean(v)); }))
      .Property("PageIndex",
                Set<TTabSheet>([](TTabSheet& x, V v, R r) { x.SetPageIndex(r.Int(v)); }));
  RegisterComponentClass<TImageList>("TImageList", "TComponent")
      .Property("Width", Set<TImageList>([](TImageList& x, V v, R r) { x.SetWidth(r.Int(v)); }))
      .Property("Height", Set<TImageList>([](TImageList& x, V v, R r) { x.SetHeight(r.Int(v)); }))
      .Property("Items", Set<TImageList>(ReadImageItems));
}

}  // namespace

void RegisterStandardControls() {
  static const bool done = [] {
    RegisterFrameworkClasses();
    RegisterLabel();
    RegisterButtons();
    RegisterCheckBox();
    RegisterBars();
    RegisterPages();
    return true;
  }();
  (void)done;
}

}  // namespace qv
