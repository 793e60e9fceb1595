// The skin manager and its stored skins as the description reader sees them:
// every published property, dotted names of the option objects included.
#include <string>

#include "platform/acPNG.h"
#include "platform/component/reader.h"
#include "platform/component/registry.h"
#include "platform/image_bmp.h"
#include "skin/skin_manager.h"

namespace qv {

namespace {

using V = const TDescValue&;
using R = TReader&;
using M = TsSkinManager;

TBitmap32 DecodeImage(TResourceBytes bytes) {
  return IsPngData(bytes) ? LoadPngImage(bytes) : DecodeBmp(bytes);
}

void ReadStoredSkins(TsSkinManager& m, const TDescValue& v, TReader& r) {
  if (v.kind != TDescValue::Kind::Collection) r.Fail(v.line, "collection expected");
  const TClassInfo* item_class = FindClass("TsStoredSkin");
  for (const auto& props : v.items) {
    TsStoredSkin& item = m.InternalSkins().Add();
    r.ApplyProperties(item, *item_class, props);
  }
}

template <class F>
TPropertySetter ForManager(F f) {
  return Setter<M>(f);
}

// Setters of a boolean, integer or text field reached from the manager.
template <class Field>
TPropertySetter Bool(Field field) {
  return ForManager([field](M& m, V v, R r) { field(m) = r.Boolean(v); });
}
template <class Field>
TPropertySetter Int(Field field) {
  return ForManager([field](M& m, V v, R r) { field(m) = r.Int(v); });
}
template <class Field>
TPropertySetter Text(Field field) {
  return ForManager([field](M& m, V v, R r) { field(m) = r.String(v); });
}
template <class E, class Field>
TPropertySetter Enum(Field field, const TEnumNames<E>& names) {
  return ForManager([field, &names](M& m, V v, R r) { field(m) = r.Enum(v, names); });
}
template <class E, class Field>
TPropertySetter SetOf(Field field, const TEnumNames<E>& names) {
  return ForManager([field, &names](M& m, V v, R r) { field(m) = r.Set(v, names); });
}
template <class Field>
TPropertySetter Event(Field field) {
  return ForManager([field](M& m, V v, R r) { field(m) = r.Event(v); });
}

const TEnumNames<TacAnimType> kAnimTypes = {{"atFading", atFading}, {"atAero", atAero}};
const TEnumNames<TacBtnEvent> kBtnEvents = {{"beMouseEnter", beMouseEnter},
                                            {"beMouseLeave", beMouseLeave},
                                            {"beMouseDown", beMouseDown},
                                            {"beMouseUp", beMouseUp}};
const TEnumNames<TacModalButtonsColoring> kColoring = {{"bcGlyph", bcGlyph},
                                                       {"bcBackground", bcBackground}};
const TEnumNames<TacArrowsStyle> kArrows = {{"arsSolid1", arsSolid1},
                                            {"arsLines1", arsLines1},
                                            {"arsSolid2", arsSolid2},
                                            {"arsLines2", arsLines2},
                                            {"arsDefault", arsDefault}};
const TEnumNames<TacOptimizingPriority> kPriorities = {{"opSpeed", opSpeed},
                                                       {"opMemory", opMemory}};
const TEnumNames<TacScaleMode> kScaleModes = {
    {"sm100", sm100},   {"sm125", sm125},         {"sm150", sm150}, {"sm200", sm200},
    {"smAuto", smAuto}, {"smOldMode", smOldMode}, {"smVCL", smVCL}, {"smCustomPPI", smCustomPPI}};
const TEnumNames<TacFontMode> kFontModes = {
    {"fmDefault", fmDefault}, {"fmFromSkin", fmFromSkin}, {"fmCustom", fmCustom}};
const TEnumNames<TacSkinsFilterItem> kFilters = {{"sfiInternal", sfiInternal},
                                                 {"sfiExternal", sfiExternal}};
const TEnumNames<TacSkinningRule> kRules = {
    {"srStdForms", srStdForms}, {"srStdDialogs", srStdDialogs}, {"srThirdParty", srThirdParty}};
enum TFontStyleBit { fbBold, fbItalic, fbUnderline, fbStrikeOut };
const TEnumNames<TFontStyleBit> kStyles = {{"fsBold", fbBold},
                                           {"fsItalic", fbItalic},
                                           {"fsUnderline", fbUnderline},
                                           {"fsStrikeOut", fbStrikeOut}};
const TEnumNames<int> kCharsets = {{"ANSI_CHARSET", ANSI_CHARSET},
                                   {"DEFAULT_CHARSET", DEFAULT_CHARSET},
                                   {"RUSSIAN_CHARSET", RUSSIAN_CHARSET}};

void RegisterAnimation(TClassInfo& c, const std::string& name,
                       TacAnimEffectData TacAnimEffects::*member) {
  const std::string p = "AnimEffects." + name + ".";
  c.Property(p + "Active", Bool([member](M& m) -> bool& { return (m.AnimEffects.*member).Active; }))
      .Property(p + "Time", Int([member](M& m) -> int& { return (m.AnimEffects.*member).Time; }))
      .Property(p + "Mode",
                Enum([member](M& m) -> TacAnimType& { return (m.AnimEffects.*member).Mode; },
                     kAnimTypes));
}

void RegisterOptionObjects(TClassInfo& c) {
  c.Property("Effects.AllowGlowing", Bool([](M& m) -> bool& { return m.Effects.AllowGlowing; }))
      .Property("Effects.AllowAnimation",
                Bool([](M& m) -> bool& { return m.Effects.AllowAnimation; }))
      .Property("Effects.AllowAeroBluring",
                Bool([](M& m) -> bool& { return m.Effects.AllowAeroBluring; }))
      .Property("Effects.DiscoloredGlyphs",
                Bool([](M& m) -> bool& { return m.Effects.DiscoloredGlyphs; }))
      .Property("Effects.AllowOuterEffects",
                Bool([](M& m) -> bool& { return m.Effects.AllowOuterEffects; }));
  RegisterAnimation(c, "DialogShow", &TacAnimEffects::DialogShow);
  RegisterAnimation(c, "FormShow", &TacAnimEffects::FormShow);
  RegisterAnimation(c, "FormHide", &TacAnimEffects::FormHide);
  RegisterAnimation(c, "DialogHide", &TacAnimEffects::DialogHide);
  RegisterAnimation(c, "PageChange", &TacAnimEffects::PageChange);
  RegisterAnimation(c, "Minimizing", &TacAnimEffects::Minimizing);
  RegisterAnimation(c, "SkinChanging", &TacAnimEffects::SkinChanging);
  c.Property("AnimEffects.BlendOnMoving.Active",
             Bool([](M& m) -> bool& { return m.AnimEffects.BlendOnMoving.Active; }))
      .Property("AnimEffects.BlendOnMoving.BlendValue",
                Int([](M& m) -> int& { return m.AnimEffects.BlendOnMoving.BlendValue; }))
      .Property("AnimEffects.BlendOnMoving.Time",
                Int([](M& m) -> int& { return m.AnimEffects.BlendOnMoving.Time; }))
      .Property("AnimEffects.Buttons.Events",
                SetOf([](M& m) -> unsigned& { return m.AnimEffects.Buttons.Events; }, kBtnEvents));

  c.Property("ButtonsOptions.OldGlyphsMode",
             ForManager([](M& m, V v, R r) { m.SetOldGlyphsMode(r.Boolean(v)); }))
      .Property("ButtonsOptions.ShowFocusRect",
                Bool([](M& m) -> bool& { return m.ButtonsOptions.ShowFocusRect; }))
      .Property("ButtonsOptions.ShiftContentOnClick",
                Bool([](M& m) -> bool& { return m.ButtonsOptions.ShiftContentOnClick; }))
      .Property("ButtonsOptions.ModalButtonsColoring", ForManager([](M& m, V v, R r) {
                  // Written as a set or as one value.
                  m.ButtonsOptions.ModalButtonsColoring = v.kind == TDescValue::Kind::Set
                                                              ? r.Set(v, kColoring)
                                                              : 1u << r.Enum(v, kColoring);
                }))
      .Property("ButtonsOptions.AllowRTLSysButtons",
                Bool([](M& m) -> bool& { return m.ButtonsOptions.AllowRTLSysButtons; }))
      .Property("LabelsOptions.TransparentAlways",
                Bool([](M& m) -> bool& { return m.LabelsOptions.TransparentAlways; }))
      .Property("ScrollsOptions.ScrollSize",
                Int([](M& m) -> int& { return m.ScrollsOptions.ScrollSize; }))
      .Property("ScrollsOptions.ButtonsSize",
                Int([](M& m) -> int& { return m.ScrollsOptions.ButtonsSize; }));

  c.Property("MenuSupport.IcoLineSkin",
             Text([](M& m) -> ustring& { return m.MenuSupport.IcoLineSkin; }))
      .Property("MenuSupport.UseExtraLine",
                Bool([](M& m) -> bool& { return m.MenuSupport.UseExtraLine; }))
      .Property("MenuSupport.ExtraLineWidth",
                Int([](M& m) -> int& { return m.MenuSupport.ExtraLineWidth; }))
      .Property("MenuSupport.AlignToInt",
                Bool([](M& m) -> bool& { return m.MenuSupport.AlignToInt; }))
      .Property("MenuSupport.ExtraLineFont.Name",
                Text([](M& m) -> ustring& { return m.MenuSupport.ExtraLineFont.Name; }))
      .Property("MenuSupport.ExtraLineFont.Height",
                Int([](M& m) -> int& { return m.MenuSupport.ExtraLineFont.Height; }))
      .Property("MenuSupport.ExtraLineFont.Size",
                ForManager([](M& m, V v, R r) { m.MenuSupport.ExtraLineFont.SetSize(r.Int(v)); }))
      .Property("MenuSupport.ExtraLineFont.Color",
                ForManager([](M& m, V v, R r) { m.MenuSupport.ExtraLineFont.Color = r.Color(v); }))
      .Property("MenuSupport.ExtraLineFont.Charset", ForManager([](M& m, V v, R r) {
                  m.MenuSupport.ExtraLineFont.Charset =
                      v.kind == TDescValue::Kind::Integer ? r.Int(v) : r.Enum(v, kCharsets);
                }))
      .Property("MenuSupport.ExtraLineFont.Style", ForManager([](M& m, V v, R r) {
                  m.MenuSupport.ExtraLineFont.Style = r.Set(v, kStyles);
                }));

  c.Property("Options.ChangeSysColors",
             Bool([](M& m) -> bool& { return m.Options.ChangeSysColors; }))
      .Property("Options.CheckEmptyAlpha",
                Bool([](M& m) -> bool& { return m.Options.CheckEmptyAlpha; }))
      .Property("Options.DrawNonClientArea",
                Bool([](M& m) -> bool& { return m.Options.DrawNonClientArea; }))
      .Property("Options.NativeBordersMaximized",
                Bool([](M& m) -> bool& { return m.Options.NativeBordersMaximized; }))
      .Property("Options.NoMouseHover", Bool([](M& m) -> bool& { return m.Options.NoMouseHover; }))
      .Property("Options.StdGlyphsOrder",
                Bool([](M& m) -> bool& { return m.Options.StdGlyphsOrder; }))
      .Property("Options.StdImgTransparency",
                Bool([](M& m) -> bool& { return m.Options.StdImgTransparency; }))
      .Property("Options.ArrowsStyle",
                Enum([](M& m) -> TacArrowsStyle& { return m.Options.ArrowsStyle; }, kArrows))
      .Property("Options.OptimizingPriority",
                Enum([](M& m) -> TacOptimizingPriority& { return m.Options.OptimizingPriority; },
                     kPriorities))
      .Property("Options.ScaleMode",
                ForManager([](M& m, V v, R r) { m.SetScaleMode(r.Enum(v, kScaleModes)); }))
      .Property("Options.PixelsPerInch", Int([](M& m) -> int& { return m.Options.PixelsPerInch; }))
      .Property("Fonts.MainMode",
                ForManager([](M& m, V v, R r) { m.SetFontsMainMode(r.Enum(v, kFontModes)); }))
      .Property("Fonts.MainFont",
                ForManager([](M& m, V v, R r) { m.SetFontsMainFont(r.String(v)); }));

  for (int i = 0; i < kThirdPartyKinds; ++i)
    c.Property(
        std::string("ThirdParty.") + kThirdPartyNames[static_cast<std::size_t>(i)],
        Text([i](M& m) -> ustring& { return m.ThirdParty.Lists[static_cast<std::size_t>(i)]; }));
}

}  // namespace

void RegisterSkinManagerClasses() {
  RegisterPersistentClass("TComponent", "");
  RegisterPersistentClass("TsStoredSkin", "")
      .Property("Name",
                Setter<TsStoredSkin>([](TsStoredSkin& s, V v, R r) { s.SetName(r.String(v)); }))
      .Property("Version",
                Setter<TsStoredSkin>([](TsStoredSkin& s, V v, R r) { s.SetVersion(r.Decimal(v)); }))
      .Property("Author",
                Setter<TsStoredSkin>([](TsStoredSkin& s, V v, R r) { s.SetAuthor(r.String(v)); }))
      .Property("Description", Setter<TsStoredSkin>([](TsStoredSkin& s, V v, R r) {
                  s.SetDescription(r.String(v));
                }))
      .Property("Shadow1Color", Setter<TsStoredSkin>([](TsStoredSkin& s, V v, R r) {
                  s.SetShadow1Color(r.Color(v));
                }))
      .Property("Shadow1Offset", Setter<TsStoredSkin>([](TsStoredSkin& s, V v, R r) {
                  s.SetShadow1Offset(r.Int(v));
                }))
      .Property("Shadow1Blur",
                Setter<TsStoredSkin>([](TsStoredSkin& s, V v, R r) { s.SetShadow1Blur(r.Int(v)); }))
      .Property("Shadow1Transparency", Setter<TsStoredSkin>([](TsStoredSkin& s, V v, R r) {
                  s.SetShadow1Transparency(r.Int(v));
                }))
      .Property("BorderColor", Setter<TsStoredSkin>(
                                   [](TsStoredSkin& s, V v, R r) { s.SetBorderColor(r.Color(v)); }))
      .Property("MasterBitmap", Setter<TsStoredSkin>([](TsStoredSkin& s, V v, R r) {
                  try {
                    s.SetMasterBitmap(DecodeImage(r.Binary(v)));
                  } catch (const EInvalidGraphic& e) {
                    r.Fail(v.line, e.what());
                  }
                }))
      .Property("OriginName",
                Setter<TsStoredSkin>([](TsStoredSkin& s, V v, R r) { s.SetOrigName(r.String(v)); }))
      .Property("Data", Setter<TsStoredSkin>([](TsStoredSkin& s, V v, R r) {
                  const TResourceBytes bytes = r.Binary(v);
                  s.SetPackedData(TBytes(bytes.begin(), bytes.end()));
                }));
  TClassInfo& c = RegisterComponentClass<TsSkinManager>("TsSkinManager", "TComponent");
  c.Property("InternalSkins", ForManager(ReadStoredSkins))
      .Property("SkinDirectory",
                ForManager([](M& m, V v, R r) { m.SetSkinDirectory(r.String(v)); }))
      .Property("SkinName", ForManager([](M& m, V v, R r) { m.SetSkinName(r.String(v)); }))
      .Property("Active", ForManager([](M& m, V v, R r) { m.SetActive(r.Boolean(v)); }))
      // Read-only: what the designer's machine showed means nothing here.
      .Property("SkinInfo", ForManager([](M&, V v, R r) { r.String(v); }))
      .Property("HueOffset", ForManager([](M& m, V v, R r) { m.SetHueOffset(r.Int(v)); }))
      .Property("Saturation", ForManager([](M& m, V v, R r) { m.SetSaturation(r.Int(v)); }))
      .Property("Brightness", ForManager([](M& m, V v, R r) { m.SetBrightness(r.Int(v)); }))
      .Property("IsDefault", ForManager([](M& m, V v, R r) { m.SetIsDefault(r.Boolean(v)); }))
      .Property("CommonSections",
                ForManager([](M& m, V v, R r) { m.CommonSections = r.Strings(v); }))
      .Property("CommonSections.Strings",
                ForManager([](M& m, V v, R r) { m.CommonSections = r.Strings(v); }))
      .Property("SkinsFilter", SetOf([](M& m) -> unsigned& { return m.SkinsFilter; }, kFilters))
      .Property("SkinningRules", SetOf([](M& m) -> unsigned& { return m.SkinningRules; }, kRules))
      .Property("ExtendedBorders", Bool([](M& m) -> bool& { return m.ExtendedBorders; }))
      .Property("SkinnedPopups", Bool([](M& m) -> bool& { return m.SkinnedPopups; }))
      .Property("OnActivate", Event([](M& m) -> TNotifyEvent& { return m.OnActivate; }))
      .Property("OnDeactivate", Event([](M& m) -> TNotifyEvent& { return m.OnDeactivate; }))
      .Property("OnBeforeChange", Event([](M& m) -> TNotifyEvent& { return m.OnBeforeChange; }))
      .Property("OnAfterChange", Event([](M& m) -> TNotifyEvent& { return m.OnAfterChange; }))
      .Property("OnSkinLoading", Event([](M& m) -> TNotifyEvent& { return m.OnSkinLoading; }))
      .Property("OnSkinListChanged",
                Event([](M& m) -> TNotifyEvent& { return m.OnSkinListChanged; }))
      .Property("OnScaleChanged", Event([](M& m) -> TNotifyEvent& { return m.OnScaleChanged; }))
      .Property("OnScaleModeChange",
                Event([](M& m) -> TNotifyEvent& { return m.OnScaleModeChange; }))
      .Property("OnSysDlgInit", Event([](M& m) -> TNotifyEvent& { return m.OnSysDlgInit; }))
      .Property("OnGetMenuExtraLineData",
                Event([](M& m) -> TNotifyEvent& { return m.OnGetMenuExtraLineData; }))
      .Property("OnGetPopupItemData",
                Event([](M& m) -> TNotifyEvent& { return m.OnGetPopupItemData; }))
      .Property("OnFontChanged", ForManager([](M& m, V v, R r) {
                  const TNotifyEvent handler = r.Event(v);
                  if (handler)
                    m.OnFontChanged = [handler](TObject* s, ustring_view, ustring_view) {
                      handler(s);
                    };
                }));
  RegisterOptionObjects(c);
}

}  // namespace qv
