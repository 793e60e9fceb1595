// Data embedded into the executable at build time (window descriptions,
// images, the internal skin), found by name at run time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

using TResourceBytes = std::span<const std::uint8_t>;

// The bytes registered under name, or nothing.
std::optional<TResourceBytes> FindResource(std::string_view name);
// Names of every registered resource, sorted.
std::vector<std::string> ResourceNames();

// One embedded file; generated sources define one each as a static object.
class TResourceRegistration {
 public:
  TResourceRegistration(const char* name, const std::uint8_t* data, std::size_t size);
};

}  // namespace qv
