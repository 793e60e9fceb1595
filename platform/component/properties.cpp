// The framework's classes and their published properties.
#include "platform/component/properties.h"

#include <stdexcept>

#include "platform/component/form.h"

namespace qv {

const TEnumNames<TAlign> kAlignNames = {
    {"alNone", TAlign::alNone},    {"alTop", TAlign::alTop},     {"alBottom", TAlign::alBottom},
    {"alLeft", TAlign::alLeft},    {"alRight", TAlign::alRight}, {"alClient", TAlign::alClient},
    {"alCustom", TAlign::alCustom}};

const TEnumNames<TAnchorKind> kAnchorNames = {
    {"akLeft", akLeft}, {"akTop", akTop}, {"akRight", akRight}, {"akBottom", akBottom}};

namespace {

// Set elements are bit positions, so the style bits are named by their index.
enum TFontStyleBit : unsigned { fbBold, fbItalic, fbUnderline, fbStrikeOut };
const TEnumNames<TFontStyleBit> kFontStyleBits = {{"fsBold", fbBold},
                                                  {"fsItalic", fbItalic},
                                                  {"fsUnderline", fbUnderline},
                                                  {"fsStrikeOut", fbStrikeOut}};

const TEnumNames<TFontQuality> kQualityNames = {
    {"fqDefault", TFontQuality::fqDefault},
    {"fqDraft", TFontQuality::fqDraft},
    {"fqProof", TFontQuality::fqProof},
    {"fqNonAntialiased", TFontQuality::fqNonAntialiased},
    {"fqAntialiased", TFontQuality::fqAntialiased},
    {"fqClearType", TFontQuality::fqClearType},
    {"fqClearTypeNatural", TFontQuality::fqClearTypeNatural}};

const TEnumNames<int> kCharsetNames = {{"ANSI_CHARSET", ANSI_CHARSET},
                                       {"DEFAULT_CHARSET", DEFAULT_CHARSET},
                                       {"RUSSIAN_CHARSET", RUSSIAN_CHARSET}};

const TEnumNames<TFormBorderStyle> kBorderStyleNames = {
    {"bsNone", TFormBorderStyle::bsNone},
    {"bsSingle", TFormBorderStyle::bsSingle},
    {"bsSizeable", TFormBorderStyle::bsSizeable},
    {"bsDialog", TFormBorderStyle::bsDialog},
    {"bsToolWindow", TFormBorderStyle::bsToolWindow},
    {"bsSizeToolWin", TFormBorderStyle::bsSizeToolWin}};

const TEnumNames<TBorderIcon> kBorderIconNames = {{"biSystemMenu", biSystemMenu},
                                                  {"biMinimize", biMinimize},
                                                  {"biMaximize", biMaximize},
                                                  {"biHelp", biHelp}};

const TEnumNames<TPosition> kPositionNames = {{"poDesigned", TPosition::poDesigned},
                                              {"poDefault", TPosition::poDefault},
                                              {"poDefaultPosOnly", TPosition::poDefaultPosOnly},
                                              {"poDefaultSizeOnly", TPosition::poDefaultSizeOnly},
                                              {"poScreenCenter", TPosition::poScreenCenter},
                                              {"poDesktopCenter", TPosition::poDesktopCenter},
                                              {"poMainFormCenter", TPosition::poMainFormCenter},
                                              {"poOwnerFormCenter", TPosition::poOwnerFormCenter}};

template <class C, class F>
TPropertySetter Set(F f) {
  return Setter<C>(f);
}

void RegisterControlProperties(TClassInfo& c) {
  using V = const TDescValue&;
  using R = TReader&;
  c.Property("Left", Set<TControl>([](TControl& x, V v, R r) { x.SetLeft(r.Int(v)); }))
      .Property("Top", Set<TControl>([](TControl& x, V v, R r) { x.SetTop(r.Int(v)); }))
      .Property("Width", Set<TControl>([](TControl& x, V v, R r) { x.SetWidth(r.Int(v)); }))
      .Property("Height", Set<TControl>([](TControl& x, V v, R r) { x.SetHeight(r.Int(v)); }))
      .Property("Caption", Set<TControl>([](TControl& x, V v, R r) { x.SetText(r.String(v)); }))
      .Property("Text", Set<TControl>([](TControl& x, V v, R r) { x.SetText(r.String(v)); }))
      .Property("Visible", Set<TControl>([](TControl& x, V v, R r) { x.SetVisible(r.Boolean(v)); }))
      .Property("Enabled", Set<TControl>([](TControl& x, V v, R r) { x.SetEnabled(r.Boolean(v)); }))
      .Property("Align",
                Set<TControl>([](TControl& x, V v, R r) { x.SetAlign(r.Enum(v, kAlignNames)); }))
      .Property("Anchors",
                Set<TControl>([](TControl& x, V v, R r) { x.SetAnchors(r.Set(v, kAnchorNames)); }))
      .Property("AlignWithMargins",
                Set<TControl>([](TControl& x, V v, R r) { x.SetAlignWithMargins(r.Boolean(v)); }))
      .Property("Margins.Left", Set<TControl>([](TControl& x, V v, R r) {
                  TMargins m = x.Margins();
                  m.Left = r.Int(v);
                  x.SetMargins(m);
                }))
      .Property("Margins.Top", Set<TControl>([](TControl& x, V v, R r) {
                  TMargins m = x.Margins();
                  m.Top = r.Int(v);
                  x.SetMargins(m);
                }))
      .Property("Margins.Right", Set<TControl>([](TControl& x, V v, R r) {
                  TMargins m = x.Margins();
                  m.Right = r.Int(v);
                  x.SetMargins(m);
                }))
      .Property("Margins.Bottom", Set<TControl>([](TControl& x, V v, R r) {
                  TMargins m = x.Margins();
                  m.Bottom = r.Int(v);
                  x.SetMargins(m);
                }))
      .Property("Color", Set<TControl>([](TControl& x, V v, R r) { x.SetColor(r.Color(v)); }))
      .Property("ParentColor",
                Set<TControl>([](TControl& x, V v, R r) { x.SetParentColor(r.Boolean(v)); }))
      .Property("ParentFont",
                Set<TControl>([](TControl& x, V v, R r) { x.SetParentFont(r.Boolean(v)); }))
      .Property("Hint", Set<TControl>([](TControl& x, V v, R r) { x.Hint = r.String(v); }))
      .Property("ShowHint", Set<TControl>([](TControl& x, V v, R r) { x.ShowHint = r.Boolean(v); }))
      .Property("Tag", Set<TControl>([](TControl& x, V v, R r) { x.Tag = r.Int(v); }))
      .Property("OnClick", Set<TControl>([](TControl& x, V v, R r) { x.OnClick = r.Event(v); }))
      .Property("OnDblClick",
                Set<TControl>([](TControl& x, V v, R r) { x.OnDblClick = r.Event(v); }))
      .Property("OnMouseEnter",
                Set<TControl>([](TControl& x, V v, R r) { x.OnMouseEnter = r.Event(v); }))
      .Property("OnMouseLeave",
                Set<TControl>([](TControl& x, V v, R r) { x.OnMouseLeave = r.Event(v); }));
  RegisterFontProperties(c, "Font", [](TPersistent& p, const std::function<void(TFont&)>& edit) {
    dynamic_cast<TControl&>(p).ChangeFont(edit);
  });
}

void RegisterWinControlProperties(TClassInfo& c) {
  using V = const TDescValue&;
  using R = TReader&;
  c.Property("TabOrder",
             Set<TWinControl>([](TWinControl& x, V v, R r) { x.SetTabOrder(r.Int(v)); }))
      .Property("TabStop",
                Set<TWinControl>([](TWinControl& x, V v, R r) { x.SetTabStop(r.Boolean(v)); }))
      .Property("OnEnter",
                Set<TWinControl>([](TWinControl& x, V v, R r) { x.OnEnter = r.Event(v); }))
      .Property("OnExit",
                Set<TWinControl>([](TWinControl& x, V v, R r) { x.OnExit = r.Event(v); }));
}

void RegisterFormProperties(TClassInfo& c) {
  using V = const TDescValue&;
  using R = TReader&;
  c.Property("BorderStyle", Set<TCustomForm>([](TCustomForm& x, V v, R r) {
               x.SetBorderStyle(r.Enum(v, kBorderStyleNames));
             }))
      .Property("BorderIcons", Set<TCustomForm>([](TCustomForm& x, V v, R r) {
                  x.SetBorderIcons(r.Set(v, kBorderIconNames));
                }))
      .Property("Position", Set<TCustomForm>([](TCustomForm& x, V v, R r) {
                  x.Position = r.Enum(v, kPositionNames);
                }))
      .Property("ClientWidth",
                Set<TCustomForm>([](TCustomForm& x, V v, R r) { x.SetClientWidth(r.Int(v)); }))
      .Property("ClientHeight",
                Set<TCustomForm>([](TCustomForm& x, V v, R r) { x.SetClientHeight(r.Int(v)); }))
      .Property("ActiveControl", Set<TCustomForm>([](TCustomForm& x, V v, R r) {
                  // The control that has the keyboard when the form is first shown.
                  r.Reference(v, [&x](TComponent* c) {
                    auto* control = dynamic_cast<TWinControl*>(c);
                    if (!control || control == &x || control->ParentForm() != &x) return false;
                    x.SetActiveControl(control);
                    return true;
                  });
                }))
      .Property("KeyPreview",
                Set<TCustomForm>([](TCustomForm& x, V v, R r) { x.KeyPreview = r.Boolean(v); }))
      .Property("PixelsPerInch", Set<TCustomForm>([](TCustomForm& x, V v, R r) {
                  // The density the form was designed at.
                  try {
                    x.SetPixelsPerInch(r.Int(v));
                  } catch (const std::invalid_argument& e) {
                    r.Fail(v.line, e.what());
                  }
                }))
      .Property("OnCreate",
                Set<TCustomForm>([](TCustomForm& x, V v, R r) { x.OnCreate = r.Event(v); }))
      .Property("OnDestroy",
                Set<TCustomForm>([](TCustomForm& x, V v, R r) { x.OnDestroy = r.Event(v); }))
      .Property("OnShow", Set<TCustomForm>([](TCustomForm& x, V v, R r) { x.OnShow = r.Event(v); }))
      .Property("OnActivate",
                Set<TCustomForm>([](TCustomForm& x, V v, R r) { x.OnActivate = r.Event(v); }));
}

}  // namespace

void RegisterFontProperties(TClassInfo& c, const std::string& prefix, const TFontEditor& edit) {
  using V = const TDescValue&;
  using R = TReader&;
  auto property = [&](const char* name, std::function<void(TFont&, V, R)> set) {
    c.Property(prefix + "." + name,
               [edit, set](TPersistent& x, V v, R r) { edit(x, [&](TFont& f) { set(f, v, r); }); });
  };
  property("Name", [](TFont& f, V v, R r) { f.Name = r.String(v); });
  property("Height", [](TFont& f, V v, R r) { f.Height = r.Int(v); });
  property("Size", [](TFont& f, V v, R r) { f.SetSize(r.Int(v)); });
  property("Color", [](TFont& f, V v, R r) { f.Color = r.Color(v); });
  property("Charset", [](TFont& f, V v, R r) {
    f.Charset = v.kind == TDescValue::Kind::Integer ? r.Int(v) : r.Enum(v, kCharsetNames);
  });
  // Set elements are bit positions: bit i is style 1 << i.
  property("Style", [](TFont& f, V v, R r) { f.Style = r.Set(v, kFontStyleBits); });
  property("Quality", [](TFont& f, V v, R r) { f.Quality = r.Enum(v, kQualityNames); });
}

void RegisterFrameworkClasses() {
  static const bool done = [] {
    RegisterPersistentClass("TPersistent", "");
    RegisterPersistentClass("TComponent", "TPersistent");
    RegisterControlProperties(RegisterPersistentClass("TControl", "TComponent"));
    RegisterPersistentClass("TGraphicControl", "TControl");
    RegisterWinControlProperties(RegisterPersistentClass("TWinControl", "TControl"));
    RegisterPersistentClass("TCustomControl", "TWinControl");
    RegisterFormProperties(RegisterPersistentClass("TCustomForm", "TWinControl"));
    RegisterComponentClass<TForm>("TForm", "TCustomForm");
    return true;
  }();
  (void)done;
}

}  // namespace qv
