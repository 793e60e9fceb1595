// Component ownership, naming, loading state and free notifications.
#include "platform/component/component.h"

#include <algorithm>
#include <stdexcept>

#include "platform/ustring.h"

namespace qv {

namespace {

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto low = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return low(x) == low(y);
  });
}

void Erase(std::vector<TComponent*>& v, TComponent* c) {
  const auto it = std::find(v.begin(), v.end(), c);
  if (it != v.end()) v.erase(it);
}

}  // namespace

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->Insert(this);
}

TComponent::~TComponent() {
  state_ |= csDestroying;
  // Tell everyone linked to this component before it goes.
  while (!notify_.empty()) {
    TComponent* other = notify_.back();
    notify_.pop_back();
    Erase(other->notify_, this);
    other->Notification(this, TOperation::opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->Remove(this);
}

void TComponent::DestroyComponents() {
  state_ |= csDestroying;
  while (!components_.empty()) {
    TComponent* child = components_.back();
    delete child;  // its destructor removes it from components_
  }
}

void TComponent::Insert(TComponent* c) {
  components_.push_back(c);
  c->owner_ = this;
  Notification(c, TOperation::opInsert);
}

void TComponent::Remove(TComponent* c) {
  Erase(components_, c);
  c->owner_ = nullptr;
  if (!IsDestroying()) Notification(c, TOperation::opRemove);
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (SameName(c->name_, name)) return c;
  return nullptr;
}

void TComponent::SetName(std::string_view name) {
  if (name == name_) return;
  if (owner_ && !name.empty()) {
    const TComponent* existing = owner_->FindComponent(name);
    if (existing && existing != this)
      throw std::runtime_error("A component named " + std::string(name) + " already exists");
  }
  name_ = std::string(name);
}

void TComponent::FinishLoading() {
  state_ &= ~static_cast<unsigned>(csLoading | csReading);
  Loaded();
}

void TComponent::FreeNotification(TComponent* other) {
  if (!other || other == this) return;
  if (std::find(notify_.begin(), notify_.end(), other) == notify_.end()) notify_.push_back(other);
  if (std::find(other->notify_.begin(), other->notify_.end(), this) == other->notify_.end())
    other->notify_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
  if (!other) return;
  Erase(notify_, other);
  Erase(other->notify_, this);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  // Owned components hear about each other, as the platform passes them on.
  if (operation == TOperation::opRemove && component)
    for (TComponent* c : components_)
      if (c != component) c->Notification(component, operation);
}

}  // namespace qv
