// The description reader.
#include "platform/component/reader.h"

#include <array>
#include <limits>

namespace qv {

namespace {

struct NamedColor {
  std::string_view name;
  TColor color;
};

constexpr std::array<NamedColor, 48> kColorNames = {{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clNone", clNone},
    {"clDefault", clDefault},
    {"clScrollBar", clScrollBar},
    {"clBackground", clBackground},
    {"clActiveCaption", clActiveCaption},
    {"clInactiveCaption", clInactiveCaption},
    {"clMenu", clMenu},
    {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame},
    {"clMenuText", clMenuText},
    {"clWindowText", clWindowText},
    {"clCaptionText", clCaptionText},
    {"clActiveBorder", clActiveBorder},
    {"clInactiveBorder", clInactiveBorder},
    {"clAppWorkSpace", clAppWorkSpace},
    {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText},
    {"clBtnText", clBtnText},
    {"clInactiveCaptionText", clInactiveCaptionText},
    {"clBtnHighlight", clBtnHighlight},
    {"cl3DDkShadow", cl3DDkShadow},
    {"cl3DLight", cl3DLight},
    {"clInfoText", clInfoText},
    {"clInfoBk", clInfoBk},
    {"clHotLight", clHotLight},
    {"clGradientActiveCaption", SysColor(COLOR_GRADIENTACTIVECAPTION)},
    {"clGradientInactiveCaption", SysColor(COLOR_GRADIENTINACTIVECAPTION)},
    {"clMenuHighlight", SysColor(COLOR_MENUHILIGHT)},
    {"clMenuBar", SysColor(COLOR_MENUBAR)},
}};

const char* KindName(TDescValue::Kind k) {
  switch (k) {
    case TDescValue::Kind::String:
      return "a string";
    case TDescValue::Kind::Integer:
      return "an integer";
    case TDescValue::Kind::Float:
      return "a decimal";
    case TDescValue::Kind::Ident:
      return "an identifier";
    case TDescValue::Kind::Set:
      return "a set";
    case TDescValue::Kind::List:
      return "a list";
    case TDescValue::Kind::Collection:
      return "a collection";
    case TDescValue::Kind::Binary:
      return "binary data";
  }
  return "a value";
}

}  // namespace

bool IdentToColor(std::string_view name, TColor& color) {
  for (const auto& entry : kColorNames)
    if (entry.name == name) {
      color = entry.color;
      return true;
    }
  return false;
}

void TReader::Fail(int line, const std::string& what) const {
  throw TDescriptionError(file_, line, what);
}

ustring TReader::String(const TDescValue& v) const {
  if (v.kind != TDescValue::Kind::String)
    Fail(v.line, std::string("string expected, not ") + KindName(v.kind));
  return v.text;
}

std::int64_t TReader::Integer(const TDescValue& v) const {
  if (v.kind != TDescValue::Kind::Integer)
    Fail(v.line, std::string("integer expected, not ") + KindName(v.kind));
  return v.integer;
}

int TReader::Int(const TDescValue& v) const {
  const std::int64_t i = Integer(v);
  // Hexadecimal colours up to $FFFFFFFF wrap into 32 bits as the platform stores them.
  if (i < std::numeric_limits<std::int32_t>::min() || i > 0xFFFFFFFFll)
    Fail(v.line, "integer out of range");
  return static_cast<int>(static_cast<std::uint32_t>(i));
}

bool TReader::Boolean(const TDescValue& v) const {
  if (v.kind == TDescValue::Kind::Ident) {
    if (v.ident == "True") return true;
    if (v.ident == "False") return false;
  }
  Fail(v.line, "True or False expected");
}

double TReader::Decimal(const TDescValue& v) const {
  if (v.kind == TDescValue::Kind::Float) return v.number;
  if (v.kind == TDescValue::Kind::Integer) return static_cast<double>(v.integer);
  Fail(v.line, std::string("number expected, not ") + KindName(v.kind));
}

const std::string& TReader::Identifier(const TDescValue& v) const {
  if (v.kind != TDescValue::Kind::Ident)
    Fail(v.line, std::string("identifier expected, not ") + KindName(v.kind));
  return v.ident;
}

std::vector<ustring> TReader::Strings(const TDescValue& v) const {
  if (v.kind != TDescValue::Kind::List)
    Fail(v.line, std::string("list of strings expected, not ") + KindName(v.kind));
  std::vector<ustring> out;
  out.reserve(v.list.size());
  for (const auto& item : v.list) out.push_back(String(item));
  return out;
}

TColor TReader::Color(const TDescValue& v) const {
  if (v.kind == TDescValue::Kind::Integer) return Int(v);
  TColor c = 0;
  if (v.kind == TDescValue::Kind::Ident && IdentToColor(v.ident, c)) return c;
  Fail(v.line, "colour expected");
}

TResourceBytes TReader::Binary(const TDescValue& v) const {
  if (v.kind != TDescValue::Kind::Binary)
    Fail(v.line, std::string("binary data expected, not ") + KindName(v.kind));
  const auto bytes = FindResource(v.ident);
  if (!bytes) Fail(v.line, "no embedded resource named " + v.ident);
  return *bytes;
}

TNotifyEvent TReader::Event(const TDescValue& v) const {
  const std::string& name = Identifier(v);
  TNotifyEvent handler = root_->FindMethod(name);
  if (!handler) Fail(v.line, "unknown handler " + name);
  return handler;
}

void TReader::Reference(const TDescValue& v, std::function<bool(TComponent*)> assign) {
  fixups_.push_back({Identifier(v), v.line, std::move(assign)});
}

void TReader::ApplyProperties(TPersistent& target, const TClassInfo& cls,
                              const std::vector<TDescProperty>& properties) {
  for (const auto& p : properties) {
    const TPropertySetter* setter = cls.FindSetter(p.name);
    if (!setter) Fail(p.line, "unknown property " + p.name + " of class " + cls.name);
    (*setter)(target, p.value, *this);
  }
}

void TReader::ReadChild(const TDescObject& desc, TComponent* parent) {
  const TClassInfo* cls = FindClass(desc.class_name);
  if (!cls) Fail(desc.line, "unknown class " + desc.class_name);
  if (!cls->create) Fail(desc.line, "class " + desc.class_name + " is not a component");
  TComponent* c = cls->create(root_);
  created_.push_back(c);
  c->BeginLoading();
  try {
    c->SetName(desc.name);
  } catch (const std::runtime_error& e) {
    Fail(desc.line, e.what());
  }
  c->SetParentComponent(parent);
  ApplyProperties(*c, *cls, desc.properties);
  for (const auto& child : desc.children) ReadChild(child, c);
}

void TReader::ReadRoot(const TDescObject& desc, TComponent& root) {
  root_ = &root;
  created_.clear();
  fixups_.clear();
  try {
    const TClassInfo* cls = FindClass(desc.class_name);
    if (!cls) Fail(desc.line, "unknown class " + desc.class_name);
    root.BeginLoading();
    root.SetName(desc.name);
    ApplyProperties(root, *cls, desc.properties);
    for (const auto& child : desc.children) ReadChild(child, &root);
    for (const auto& fix : fixups_) {
      TComponent* target = fix.name == root.Name() ? &root : root.FindComponent(fix.name);
      if (!target) Fail(fix.line, "unknown component " + fix.name);
      if (!fix.assign(target)) Fail(fix.line, fix.name + " is not of the expected class");
    }
  } catch (...) {
    // Nothing half-built survives: the components read so far go, newest first.
    for (auto it = created_.rbegin(); it != created_.rend(); ++it) delete *it;
    created_.clear();
    fixups_.clear();
    root.AbortLoading();
    throw;
  }
  fixups_.clear();
  root.EndReading();
  for (TComponent* c : created_) c->EndReading();
  root.FinishLoading();
  for (TComponent* c : created_) c->FinishLoading();
  created_.clear();
}

}  // namespace qv
