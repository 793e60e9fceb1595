// Embedded data: bytes survive the build step exactly and are found by name.
#include "platform/resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "tests/support/testdata.h"

namespace qv {
namespace {

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Resources, EmbeddedBytesMatchTheirFiles) {
  for (const char* name : {"sample.bin", "random.bin"}) {
    const auto bytes = FindResource(std::string("test/") + name);
    ASSERT_TRUE(bytes) << name;
    const auto file = ReadFile(test::DataPath(std::string("embed/") + name));
    ASSERT_FALSE(file.empty());
    EXPECT_EQ(std::vector<std::uint8_t>(bytes->begin(), bytes->end()), file) << name;
  }
}

TEST(Resources, UnknownNameIsAbsentAndNamesAreListed) {
  EXPECT_FALSE(FindResource("test/none"));
  EXPECT_FALSE(FindResource("test/sample"));  // no prefix matching
  const auto names = ResourceNames();
  EXPECT_NE(std::find(names.begin(), names.end(), "test/sample.bin"), names.end());
}

}  // namespace
}  // namespace qv
