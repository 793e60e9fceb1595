// The class registry of the description reader.
#include "platform/component/registry.h"

#include <memory>
#include <stdexcept>

namespace qv {

namespace {

std::map<std::string, std::unique_ptr<TClassInfo>, std::less<>>& Classes() {
  static std::map<std::string, std::unique_ptr<TClassInfo>, std::less<>> classes;
  return classes;
}

}  // namespace

const TPropertySetter* TClassInfo::FindSetter(std::string_view property) const {
  for (const TClassInfo* c = this; c; c = c->parent) {
    const auto it = c->setters.find(property);
    if (it != c->setters.end()) return &it->second;
  }
  return nullptr;
}

bool TClassInfo::InheritsFrom(std::string_view class_name) const {
  for (const TClassInfo* c = this; c; c = c->parent)
    if (c->name == class_name) return true;
  return false;
}

TClassInfo& TClassInfo::Property(std::string property, TPropertySetter setter) {
  setters[std::move(property)] = std::move(setter);
  return *this;
}

TClassInfo& RegisterPersistentClass(std::string_view name, std::string_view parent,
                                    std::function<TComponent*(TComponent*)> create) {
  auto& classes = Classes();
  const auto it = classes.find(name);
  if (it != classes.end()) return *it->second;
  const TClassInfo* parent_info = nullptr;
  if (!parent.empty()) {
    parent_info = FindClass(parent);
    if (!parent_info)
      throw std::logic_error("class " + std::string(name) + " registered before its parent " +
                             std::string(parent));
  }
  auto info = std::make_unique<TClassInfo>();
  info->name = std::string(name);
  info->parent = parent_info;
  info->create = std::move(create);
  TClassInfo& ref = *info;
  classes.emplace(std::string(name), std::move(info));
  return ref;
}

const TClassInfo* FindClass(std::string_view name) {
  const auto& classes = Classes();
  const auto it = classes.find(name);
  return it == classes.end() ? nullptr : it->second.get();
}

}  // namespace qv
