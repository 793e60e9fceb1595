// Paths of the test data shipped with the repository.
#include "tests/support/testdata.h"

namespace qv::test {

std::string DataPath(std::string_view relative) {
  return std::string(QV_TESTDATA_DIR) + "/" + std::string(relative);
}

}  // namespace qv::test
