// The class registry of the description reader: each class has a name, its
// parent class, a factory (for components) and setters for its properties.
// Dotted names ("Font.Name", "SkinData.SkinSection") are registered as they
// stand, on the class that owns the property object.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "platform/component/component.h"
#include "platform/stream/description.h"

namespace qv {

class TReader;

using TPropertySetter =
    std::function<void(TPersistent& target, const TDescValue& value, TReader& reader)>;

struct TClassInfo {
  std::string name;
  const TClassInfo* parent = nullptr;
  // Creates an instance owned by owner; empty for classes that are only ever
  // property objects or collection items.
  std::function<TComponent*(TComponent* owner)> create;
  std::map<std::string, TPropertySetter, std::less<>> setters;

  // Own setter or the nearest ancestor's; nullptr when the class has none.
  const TPropertySetter* FindSetter(std::string_view property) const;
  bool InheritsFrom(std::string_view class_name) const;

  // Chained registration: info.Property("Caption", setter).Property(...)
  TClassInfo& Property(std::string name, TPropertySetter setter);
};

// Registers (or returns the already registered) class; the parent must be
// registered first or be empty.
TClassInfo& RegisterPersistentClass(std::string_view name, std::string_view parent,
                                    std::function<TComponent*(TComponent*)> create = nullptr);
const TClassInfo* FindClass(std::string_view name);

// Registration of a component class C derived from a registered parent.
template <class C>
TClassInfo& RegisterComponentClass(std::string_view name, std::string_view parent) {
  return RegisterPersistentClass(name, parent,
                                 [](TComponent* owner) -> TComponent* { return new C(owner); });
}

// Builds a setter that casts the target to C and calls fn(C&, value, reader).
template <class C, class Fn>
TPropertySetter Setter(Fn fn) {
  return [fn](TPersistent& target, const TDescValue& value, TReader& reader) {
    fn(dynamic_cast<C&>(target), value, reader);
  };
}

}  // namespace qv
