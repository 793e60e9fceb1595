// The text fields' caret blink and flat text look.
#include "platform/controls/text_field.h"

#include "platform/look/plain_look.h"
#include "platform/window/timer.h"

namespace qv {

void TCaretBlink::Restart(const TWinControl& field) {
  on_ = true;
  SetTimer(field.WindowHandle(), kTimerId, kCaretBlinkMs);
}

void TCaretBlink::Stop(const TWinControl& field) {
  on_ = false;
  if (field.HandleAllocated()) KillTimer(field.WindowHandle(), kTimerId);
}

bool TCaretBlink::Tick(const TMessage& m) {
  if (m.Msg != WM_TIMER || m.WParam != kTimerId) return false;
  on_ = !on_;
  return true;
}

TEditText::TLook FlatFieldLook(TColor font_color, const TPaintState& s, bool caret_on) {
  const TFlatPalette p = FlatPalette();
  TEditText::TLook look;
  look.text = FlatTextColor(font_color, s.Enabled);
  look.selection = p.Accent;
  look.selection_text = p.AccentText;
  look.show_selection = s.Focused;
  look.show_caret = s.Focused && caret_on && s.Enabled;
  return look;
}

}  // namespace qv
