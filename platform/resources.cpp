// Registry of the data embedded into the executable.
#include "platform/resources.h"

#include <map>
#include <stdexcept>

namespace qv {

namespace {

// Function-local so that registrations made during static initialisation of
// other translation units always find it constructed.
std::map<std::string, TResourceBytes, std::less<>>& Registry() {
  static std::map<std::string, TResourceBytes, std::less<>> registry;
  return registry;
}

}  // namespace

TResourceRegistration::TResourceRegistration(const char* name, const std::uint8_t* data,
                                             std::size_t size) {
  const bool fresh = Registry().emplace(name, TResourceBytes(data, size)).second;
  if (!fresh) throw std::logic_error(std::string("resource embedded twice: ") + name);
}

std::optional<TResourceBytes> FindResource(std::string_view name) {
  const auto& registry = Registry();
  const auto it = registry.find(name);
  if (it == registry.end()) return std::nullopt;
  return it->second;
}

std::vector<std::string> ResourceNames() {
  std::vector<std::string> names;
  for (const auto& entry : Registry()) names.push_back(entry.first);
  return names;
}

}  // namespace qv
