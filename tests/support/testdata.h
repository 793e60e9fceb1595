// Paths of the test data shipped with the repository (tests/data).
#pragma once

#include <string>
#include <string_view>

namespace qv::test {

std::string DataPath(std::string_view relative);

}  // namespace qv::test
