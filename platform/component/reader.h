// The description reader: builds the components of a stored window description
// under a root component, applying each property in stored order while the
// components are loading, resolving references once the whole tree exists,
// then running Loaded on every component in creation order. Any error names
// the file and line, and nothing half-built survives it.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/color.h"
#include "platform/component/registry.h"
#include "platform/resources.h"

namespace qv {

template <class E>
using TEnumNames = std::vector<std::pair<std::string_view, E>>;

class TReader {
 public:
  explicit TReader(std::string file_name) : file_(std::move(file_name)) {}

  // Reads desc into root, an already constructed component whose class is
  // desc's class or derives from it.
  void ReadRoot(const TDescObject& desc, TComponent& root);

  [[noreturn]] void Fail(int line, const std::string& what) const;

  // Value conversions; each fails with the value's line when the kind is wrong.
  ustring String(const TDescValue& v) const;
  std::int64_t Integer(const TDescValue& v) const;
  int Int(const TDescValue& v) const;  // within 32 bits
  bool Boolean(const TDescValue& v) const;
  double Decimal(const TDescValue& v) const;  // an integer is accepted as well
  const std::string& Identifier(const TDescValue& v) const;
  std::vector<ustring> Strings(const TDescValue& v) const;
  TColor Color(const TDescValue& v) const;  // number or colour name (clBtnFace …)
  TResourceBytes Binary(const TDescValue& v) const;

  template <class E>
  E Enum(const TDescValue& v, const TEnumNames<E>& names) const {
    const std::string& id = Identifier(v);
    for (const auto& [name, value] : names)
      if (name == id) return value;
    Fail(v.line, "unknown value " + id);
  }
  template <class E>
  unsigned Set(const TDescValue& v, const TEnumNames<E>& names) const {
    if (v.kind != TDescValue::Kind::Set) Fail(v.line, "set expected");
    unsigned bits = 0;
    for (const std::string& id : v.set) {
      bool found = false;
      for (const auto& [name, value] : names)
        if (name == id) {
          bits |= 1u << static_cast<unsigned>(value);
          found = true;
        }
      if (!found) Fail(v.line, "unknown set element " + id);
    }
    return bits;
  }

  // A handler of the root, found by name now.
  TNotifyEvent Event(const TDescValue& v) const;
  // A component of the root named by v, handed to assign once the whole tree
  // exists; the type check is assign's (return false to refuse the component).
  void Reference(const TDescValue& v, std::function<bool(TComponent*)> assign);

  // Applies properties to any persistent object of class cls (collection items too).
  void ApplyProperties(TPersistent& target, const TClassInfo& cls,
                       const std::vector<TDescProperty>& properties);

  TComponent& Root() const { return *root_; }
  const std::string& FileName() const { return file_; }

 private:
  void ReadChild(const TDescObject& desc, TComponent* parent);

  std::string file_;
  TComponent* root_ = nullptr;
  std::vector<TComponent*> created_;
  struct Fixup {
    std::string name;
    int line;
    std::function<bool(TComponent*)> assign;
  };
  std::vector<Fixup> fixups_;
};

// Colour names of the platform (clBlack … clWindowText …); false when unknown.
bool IdentToColor(std::string_view name, TColor& color);

}  // namespace qv
