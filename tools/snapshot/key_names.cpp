// The key-name table of scripts and the parsing of chords.
#include "tools/snapshot/key_names.h"

#include <array>

#include "platform/window/keys.h"

namespace qv::script {

namespace {

struct TKeyName {
  std::string_view name;
  int vk;
};

constexpr std::array kKeys{
    TKeyName{"Left", VK_LEFT},     TKeyName{"Right", VK_RIGHT},   TKeyName{"Up", VK_UP},
    TKeyName{"Down", VK_DOWN},     TKeyName{"Home", VK_HOME},     TKeyName{"End", VK_END},
    TKeyName{"PageUp", VK_PRIOR},  TKeyName{"PageDown", VK_NEXT}, TKeyName{"Space", VK_SPACE},
    TKeyName{"Enter", VK_RETURN},  TKeyName{"Return", VK_RETURN}, TKeyName{"Tab", VK_TAB},
    TKeyName{"Escape", VK_ESCAPE}, TKeyName{"Esc", VK_ESCAPE},    TKeyName{"BackSpace", VK_BACK},
    TKeyName{"Delete", VK_DELETE}, TKeyName{"Insert", VK_INSERT}, TKeyName{"Apps", VK_APPS},
};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

std::optional<int> KeyCode(std::string_view name) {
  for (const TKeyName& k : kKeys)
    if (SameName(k.name, name)) return k.vk;
  if (name.size() == 1) {
    const char c = Lower(name[0]);
    if (c >= 'a' && c <= 'z') return 'A' + (c - 'a');
    if (c >= '0' && c <= '9') return c;
  }
  // F1 ... F12
  if ((name.size() == 2 || name.size() == 3) && Lower(name[0]) == 'f') {
    int n = 0;
    for (char c : name.substr(1)) {
      if (c < '0' || c > '9') return std::nullopt;
      n = n * 10 + (c - '0');
    }
    if (n >= 1 && n <= 12 && name[1] != '0') return VK_F1 + n - 1;
  }
  return std::nullopt;
}

}  // namespace

std::optional<drive::TKeyChord> ParseKeyChord(std::string_view text) {
  drive::TKeyChord chord;
  for (;;) {
    const std::size_t plus = text.find('+');
    // "Ctrl++" is not a key: the last part is the key, and it must be there.
    if (plus == std::string_view::npos) break;
    const std::string_view mod = text.substr(0, plus);
    bool* flag = nullptr;
    if (SameName(mod, "Ctrl") || SameName(mod, "Control"))
      flag = &chord.ctrl;
    else if (SameName(mod, "Shift"))
      flag = &chord.shift;
    else if (SameName(mod, "Alt"))
      flag = &chord.alt;
    if (flag == nullptr || *flag) return std::nullopt;
    *flag = true;
    text.remove_prefix(plus + 1);
  }
  const std::optional<int> vk = KeyCode(text);
  if (!vk) return std::nullopt;
  chord.vk = *vk;
  return chord;
}

}  // namespace qv::script
