// The edit, spin edit and combo box classes and their published properties.
#include "platform/controls/edit_classes.h"

#include "platform/component/properties.h"
#include "platform/controls/combobox.h"
#include "platform/controls/spinedit.h"

namespace qv {

namespace {

using V = const TDescValue&;
using R = TReader&;

const TEnumNames<TComboBoxStyle> kComboStyleNames = {
    {"csDropDown", TComboBoxStyle::csDropDown}, {"csDropDownList", TComboBoxStyle::csDropDownList}};

char16_t OneChar(V v, R r) {
  const ustring s = r.String(v);
  if (s.size() > 1) r.Fail(v.line, "one character expected");
  return s.empty() ? char16_t(0) : s[0];
}

void RegisterEditProperties(TClassInfo& c) {
  c.Property("MaxLength",
             Setter<TCustomEdit>([](TCustomEdit& x, V v, R r) { x.SetMaxLength(r.Int(v)); }))
      .Property("ReadOnly",
                Setter<TCustomEdit>([](TCustomEdit& x, V v, R r) { x.SetReadOnly(r.Boolean(v)); }))
      .Property("PasswordChar", Setter<TCustomEdit>([](TCustomEdit& x, V v, R r) {
                  x.SetPasswordChar(OneChar(v, r));
                }))
      .Property("TextHint",
                Setter<TCustomEdit>([](TCustomEdit& x, V v, R r) { x.SetTextHint(r.String(v)); }))
      .Property("AutoSelect",
                Setter<TCustomEdit>([](TCustomEdit& x, V v, R r) { x.AutoSelect = r.Boolean(v); }))
      .Property("HideSelection", Setter<TCustomEdit>([](TCustomEdit& x, V v, R r) {
                  x.HideSelection = r.Boolean(v);
                }))
      .Property("OnChange",
                Setter<TCustomEdit>([](TCustomEdit& x, V v, R r) { x.OnChange = r.Event(v); }));
}

void RegisterSpinProperties(TClassInfo& c) {
  c.Property("Value", Setter<TSpinEdit>([](TSpinEdit& x, V v, R r) { x.SetValue(r.Integer(v)); }))
      .Property("MinValue",
                Setter<TSpinEdit>([](TSpinEdit& x, V v, R r) { x.SetMinValue(r.Integer(v)); }))
      .Property("MaxValue",
                Setter<TSpinEdit>([](TSpinEdit& x, V v, R r) { x.SetMaxValue(r.Integer(v)); }))
      .Property("Increment",
                Setter<TSpinEdit>([](TSpinEdit& x, V v, R r) { x.SetIncrement(r.Integer(v)); }))
      .Property("AllowNegative",
                Setter<TSpinEdit>([](TSpinEdit& x, V v, R r) { x.SetAllowNegative(r.Boolean(v)); }))
      .Property("EditorEnabled",
                Setter<TSpinEdit>([](TSpinEdit& x, V v, R r) { x.SetEditorEnabled(r.Boolean(v)); }))
      .Property("ButtonWidth",
                Setter<TSpinEdit>([](TSpinEdit& x, V v, R r) { x.SetButtonWidth(r.Int(v)); }))
      .Property("OnUpClick",
                Setter<TSpinEdit>([](TSpinEdit& x, V v, R r) { x.OnUpClick = r.Event(v); }))
      .Property("OnDownClick",
                Setter<TSpinEdit>([](TSpinEdit& x, V v, R r) { x.OnDownClick = r.Event(v); }));
}

void RegisterComboProperties(TClassInfo& c) {
  using C = TCustomComboBox;
  c.Property("Style", Setter<C>([](C& x, V v, R r) { x.SetStyle(r.Enum(v, kComboStyleNames)); }))
      .Property("Items.Strings", Setter<C>([](C& x, V v, R r) { x.Items().Assign(r.Strings(v)); }))
      .Property("ItemIndex", Setter<C>([](C& x, V v, R r) { x.SetItemIndex(r.Int(v)); }))
      .Property("DropDownCount", Setter<C>([](C& x, V v, R r) { x.DropDownCount = r.Int(v); }))
      .Property("ItemHeight", Setter<C>([](C& x, V v, R r) { x.ItemHeight = r.Int(v); }))
      .Property("MaxLength", Setter<C>([](C& x, V v, R r) { x.SetMaxLength(r.Int(v)); }))
      .Property("OnChange", Setter<C>([](C& x, V v, R r) { x.OnChange = r.Event(v); }))
      .Property("OnSelect", Setter<C>([](C& x, V v, R r) { x.OnSelect = r.Event(v); }))
      .Property("OnDropDown", Setter<C>([](C& x, V v, R r) { x.OnDropDown = r.Event(v); }))
      .Property("OnCloseUp", Setter<C>([](C& x, V v, R r) { x.OnCloseUp = r.Event(v); }));
}

}  // namespace

void RegisterEditControls() {
  static const bool done = [] {
    RegisterFrameworkClasses();
    RegisterEditProperties(RegisterPersistentClass("TCustomEdit", "TCustomControl"));
    RegisterComponentClass<TEdit>("TEdit", "TCustomEdit");
    RegisterSpinProperties(RegisterComponentClass<TSpinEdit>("TSpinEdit", "TCustomEdit"));
    RegisterComboProperties(RegisterPersistentClass("TCustomComboBox", "TCustomControl"));
    RegisterComponentClass<TComboBox>("TComboBox", "TCustomComboBox");
    return true;
  }();
  (void)done;
}

}  // namespace qv
