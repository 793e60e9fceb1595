// The skinned labels' classes and published properties, and the bound
// label's properties on the controls that have one.
#include "controls/label_class.h"

#include "controls/html_label.h"
#include "controls/label.h"
#include "controls/web_label.h"
#include "platform/component/properties.h"
#include "platform/component/reader.h"
#include "platform/controls/standard_controls.h"
#include "skin/skin_manager.h"

namespace qv {

namespace {

using V = const TDescValue&;
using R = TReader&;

const TEnumNames<TsWindowShowMode> kShowModeNames = {{"soHide", soHide},
                                                     {"soNormal", soNormal},
                                                     {"soShowMinimized", soShowMinimized},
                                                     {"soMaximize", soMaximize},
                                                     {"soShowNoActivate", soShowNoActivate},
                                                     {"soShow", soShow},
                                                     {"soMinimize", soMinimize},
                                                     {"soShowMinNoActive", soShowMinNoActive},
                                                     {"soShowNA", soShowNA},
                                                     {"soRestore", soRestore},
                                                     {"soDefault", soDefault}};

const TEnumNames<TsCaptionLayout> kCaptionLayoutNames = {{"sclLeft", sclLeft},
                                                         {"sclTopLeft", sclTopLeft},
                                                         {"sclTopCenter", sclTopCenter},
                                                         {"sclTopRight", sclTopRight},
                                                         {"sclLeftTop", sclLeftTop},
                                                         {"sclBottomLeft", sclBottomLeft},
                                                         {"sclBottomCenter", sclBottomCenter},
                                                         {"sclBottomRight", sclBottomRight},
                                                         {"sclRight", sclRight},
                                                         {"sclRightTop", sclRightTop},
                                                         {"sclLeftLeft", sclLeftLeft},
                                                         {"sclRightRight", sclRightRight}};

template <class C, class F>
TPropertySetter Set(F f) {
  return Setter<C>(f);
}

}  // namespace

void RegisterLabelClasses() {
  static const bool done = [] {
    RegisterStandardControls();
    RegisterComponentClass<TsCustomLabel>("TsCustomLabel", "TCustomLabel")
        .Property("SkinSection", Set<TsCustomLabel>([](TsCustomLabel& x, V v, R r) {
                    x.SetSkinSection(r.String(v));
                  }))
        .Property("TransparentForMouse", Set<TsCustomLabel>([](TsCustomLabel& x, V v, R r) {
                    x.SetTransparentForMouse(r.Boolean(v));
                  }))
        .Property("SkinManager", Set<TsCustomLabel>([](TsCustomLabel& x, V v, R r) {
                    r.Reference(v, [&x](TComponent* c) {
                      auto* manager = dynamic_cast<TsSkinManager*>(c);
                      if (manager == nullptr) return false;
                      x.SetSkinManager(manager);
                      return true;
                    });
                  }));
    RegisterComponentClass<TsLabel>("TsLabel", "TsCustomLabel")
        .Property("UseSkinColor",
                  Set<TsLabel>([](TsLabel& x, V v, R r) { x.SetUseSkinColor(r.Boolean(v)); }));
    auto& web =
        RegisterComponentClass<TsWebLabel>("TsWebLabel", "TsLabel")
            .Property("URL", Set<TsWebLabel>([](TsWebLabel& x, V v, R r) { x.URL = r.String(v); }))
            .Property("ShowMode", Set<TsWebLabel>([](TsWebLabel& x, V v, R r) {
                        x.ShowMode = r.Enum(v, kShowModeNames);
                      }));
    RegisterFontProperties(web, "HoverFont",
                           [](TPersistent& p, const std::function<void(TFont&)>& edit) {
                             dynamic_cast<TsWebLabel&>(p).ChangeHoverFont(edit);
                           });
    RegisterComponentClass<TsHTMLLabel>("TsHTMLLabel", "TsLabel")
        .Property("UseHTML",
                  Set<TsHTMLLabel>([](TsHTMLLabel& x, V v, R r) { x.SetUseHTML(r.Boolean(v)); }))
        .Property("FitToWidth",
                  Set<TsHTMLLabel>([](TsHTMLLabel& x, V v, R r) { x.SetFitToWidth(r.Boolean(v)); }))
        .Property("ShowMode", Set<TsHTMLLabel>([](TsHTMLLabel& x, V v, R r) {
                    x.ShowMode = r.Enum(v, kShowModeNames);
                  }));
    return true;
  }();
  (void)done;
}

void RegisterBoundLabelProperties(TClassInfo& info,
                                  std::function<TsBoundLabel&(TPersistent&)> bound) {
  auto property = [&](const char* name, std::function<void(TsBoundLabel&, V, R)> set) {
    info.Property(std::string("BoundLabel.") + name,
                  [bound, set](TPersistent& x, V v, R r) { set(bound(x), v, r); });
  };
  property("Active", [](TsBoundLabel& b, V v, R r) { b.SetActive(r.Boolean(v)); });
  property("Caption", [](TsBoundLabel& b, V v, R r) { b.SetCaption(r.String(v)); });
  property("Layout",
           [](TsBoundLabel& b, V v, R r) { b.SetLayout(r.Enum(v, kCaptionLayoutNames)); });
  property("Offset", [](TsBoundLabel& b, V v, R r) { b.SetOffset(r.Int(v)); });
  property("Indent", [](TsBoundLabel& b, V v, R r) { b.SetIndent(r.Int(v)); });
  property("MaxWidth", [](TsBoundLabel& b, V v, R r) { b.SetMaxWidth(r.Int(v)); });
  property("UseHTML", [](TsBoundLabel& b, V v, R r) { b.SetUseHTML(r.Boolean(v)); });
  property("ParentFont", [](TsBoundLabel& b, V v, R r) { b.SetParentFont(r.Boolean(v)); });
  property("AllowClick", [](TsBoundLabel& b, V v, R r) { b.SetAllowClick(r.Boolean(v)); });
  property("EnabledAlways", [](TsBoundLabel& b, V v, R r) { b.SetEnabledAlways(r.Boolean(v)); });
  property("UseSkinColor", [](TsBoundLabel& b, V v, R r) { b.SetUseSkinColor(r.Boolean(v)); });
  RegisterFontProperties(info, "BoundLabel.Font",
                         [bound](TPersistent& p, const std::function<void(TFont&)>& edit) {
                           bound(p).ChangeFont(edit);
                         });
}

}  // namespace qv
