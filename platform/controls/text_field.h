// What the text fields (the edit and the editable combo box) share around
// their TEditText: the blinking caret on a window timer and the flat look's
// text colours.
#pragma once

#include <cstdint>

#include "platform/component/wincontrol.h"
#include "platform/controls/edit_text.h"
#include "platform/look/paint_state.h"

namespace qv {

// How often the caret blinks (on and off phases), in milliseconds.
constexpr unsigned kCaretBlinkMs = 530;

// The caret's blink phase, flipped by a timer of the field's window.
class TCaretBlink {
 public:
  bool On() const { return on_; }
  // Shows the caret and starts a fresh phase; the field must have a window.
  void Restart(const TWinControl& field);
  // Hides the caret and stops the timer.
  void Stop(const TWinControl& field);
  // Flips the phase on the blink timer's message; false for any other message.
  bool Tick(const TMessage& m);

 private:
  static constexpr std::uintptr_t kTimerId = 1;
  bool on_ = false;
};

// The flat look of a field's text in state s: selection in the accent
// colours while focused, the caret in its on phase while focused and enabled.
TEditText::TLook FlatFieldLook(TColor font_color, const TPaintState& s, bool caret_on);

}  // namespace qv
