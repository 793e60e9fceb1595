// The glow registry: numbers counted up, never reused.
#include "controls/glow_registry.h"

#include <utility>

#include "controls/glow.h"

namespace qv {

int TacGlowRegistry::Add(std::unique_ptr<TacGlowEffect> glow) {
  const int id = next_++;
  glows_.emplace(id, std::move(glow));
  return id;
}

TacGlowEffect* TacGlowRegistry::Find(int id) const {
  const auto it = glows_.find(id);
  return it == glows_.end() ? nullptr : it->second.get();
}

std::unique_ptr<TacGlowEffect> TacGlowRegistry::Take(int id) {
  const auto it = glows_.find(id);
  if (it == glows_.end()) return nullptr;
  std::unique_ptr<TacGlowEffect> glow = std::move(it->second);
  glows_.erase(it);
  return glow;
}

std::map<int, std::unique_ptr<TacGlowEffect>> TacGlowRegistry::TakeAll() {
  return std::exchange(glows_, {});
}

TacGlowRegistry& GlowRegistry() {
  static TacGlowRegistry registry;
  return registry;
}

}  // namespace qv
