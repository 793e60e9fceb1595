// JSON lines describing a window's controls.
#include "tools/snapshot/dump.h"

#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "platform/controls/checkbox.h"
#include "platform/controls/combobox.h"
#include "platform/controls/pagecontrol.h"
#include "platform/controls/progressbar.h"
#include "platform/controls/trackbar.h"

namespace qv::script {

namespace {

void AddControls(const TControl& c, std::vector<const TControl*>& out) {
  out.push_back(&c);
  if (const auto* w = dynamic_cast<const TWinControl*>(&c))
    for (const TControl* child : w->Controls()) AddControls(*child, out);
}

std::string Bool(bool v) { return v ? "true" : "false"; }

}  // namespace

std::string JsonString(ustring_view text) {
  const std::string utf8 = Utf16ToUtf8(text);
  std::string out = "\"";
  for (const char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\f':
        out += "\\f";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20 || c == 0x7F) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += ch;
        }
    }
  }
  out += '"';
  return out;
}

std::string ClassNameOf(const TControl& c) {
  const char* mangled = typeid(c).name();
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> demangled(
      abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
  std::string name = status == 0 && demangled ? demangled.get() : mangled;
  // The program's classes live in its namespace; the dump gives the bare name.
  const std::size_t colons = name.rfind("::");
  if (colons != std::string::npos) name.erase(0, colons + 2);
  return name;
}

std::vector<const TControl*> ControlsOf(const TWinControl& root) {
  std::vector<const TControl*> out;
  AddControls(root, out);
  return out;
}

std::string DumpLine(const TControl& c) {
  std::string line = "{\"name\":" + JsonString(Utf8ToUtf16(c.Name())) +
                     ",\"class\":" + JsonString(Utf8ToUtf16(ClassNameOf(c))) +
                     ",\"visible\":" + Bool(c.Visible()) + ",\"showing\":" + Bool(c.Showing()) +
                     ",\"enabled\":" + Bool(c.Enabled()) + ",\"text\":" + JsonString(c.Caption());
  if (const auto* b = dynamic_cast<const TCustomCheckBox*>(&c))
    line += ",\"checked\":" + Bool(b->Checked());
  if (const auto* combo = dynamic_cast<const TCustomComboBox*>(&c)) {
    line += ",\"itemIndex\":" + std::to_string(combo->ItemIndex());
    if (combo->DroppedDown()) line += ",\"droppedDown\":true";
  }
  if (const auto* t = dynamic_cast<const TTrackBar*>(&c))
    line += ",\"position\":" + std::to_string(t->Position());
  if (const auto* p = dynamic_cast<const TProgressBar*>(&c))
    line += ",\"position\":" + std::to_string(p->Position());
  if (const auto* sheet = dynamic_cast<const TTabSheet*>(&c))
    line += ",\"pageIndex\":" + std::to_string(sheet->PageIndex());
  if (const auto* pc = dynamic_cast<const TPageControl*>(&c))
    line += ",\"activePageIndex\":" + std::to_string(pc->ActivePageIndex());
  // Only the one control with the keyboard focus says so.
  if (const auto* w = dynamic_cast<const TWinControl*>(&c); w && w->Focused())
    line += ",\"focused\":true";
  return line + "}";
}

}  // namespace qv::script
