// Shared set-up of the skin loading and manager tests: private program,
// current and user data folders, recorded skin messages, and synthetic skins
// (an options text with image and font files) written as a folder or packed.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/png_write.h"
#include "skin/package.h"
#include "skin/skin_loader.h"
#include "skin/skin_manager.h"
#include "skin/skin_paths.h"

namespace qv::test {

namespace fs = std::filesystem;

inline TBytes Bytes(std::string_view s) { return TBytes(s.begin(), s.end()); }

inline void WriteFile(const fs::path& p, const TBytes& b) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary)
      .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

// A 24-bit bottom-up BMP file of the picture (alpha is dropped).
inline TBytes BmpBytes(const TBitmap32& b) {
  const int row = (b.Width() * 3 + 3) / 4 * 4;
  const std::uint32_t size = 54 + static_cast<std::uint32_t>(row * b.Height());
  TBytes out(size, 0);
  auto put = [&](std::size_t at, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) out[at + static_cast<std::size_t>(i)] = (v >> (8 * i)) & 0xFF;
  };
  out[0] = 'B';
  out[1] = 'M';
  put(2, size, 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, static_cast<std::uint32_t>(b.Width()), 4);
  put(22, static_cast<std::uint32_t>(b.Height()), 4);
  put(26, 1, 2);
  put(28, 24, 2);
  for (int y = 0; y < b.Height(); ++y) {
    std::uint8_t* p = out.data() + 54 + static_cast<std::size_t>(row) * (b.Height() - 1 - y);
    for (int x = 0; x < b.Width(); ++x) {
      const TBGRA px = b.Pixel(x, y);
      p[3 * x] = px.B;
      p[3 * x + 1] = px.G;
      p[3 * x + 2] = px.R;
    }
  }
  return out;
}

inline TBitmap32 Solid(int w, int h, TBGRA p) {
  TBitmap32 b(w, h);
  b.Fill(p);
  return b;
}

constexpr TBGRA kOpaqueMagenta{0xFF, 0x00, 0xFF, 0xFF};
constexpr TBGRA kRedPixel{0, 0, 0xFF, 0xFF};
constexpr TBGRA kGreenPixel{0, 0xFF, 0, 0xFF};

// An options text and the files it names.
struct TSyntheticSkin {
  std::string Options;
  std::vector<TacPackEntry> Files;

  TSyntheticSkin& Add(std::string name, TBytes content) {
    Files.push_back({std::move(name), std::move(content)});
    return *this;
  }
  TBytes Package() const {
    std::vector<TacPackEntry> entries{{"OPTIONS.DAT", Bytes(Options)}};
    entries.insert(entries.end(), Files.begin(), Files.end());
    return WritePackage(entries, nullptr);
  }
  void WriteFolder(const fs::path& folder) const {
    WriteFile(folder / "Options.dat", Bytes(Options));
    for (const TacPackEntry& f : Files) WriteFile(folder / f.Name, f.Content);
  }
};

// Private folders for the program, the current folder and the user's data,
// and every skin message recorded.
class SkinEnvTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = fs::temp_directory_path() /
            (std::string("qv_skin_") + info->test_suite_name() + "_" + info->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "app");
    fs::create_directories(root_ / "cwd");
    fs::create_directories(UserSkins());
    old_cwd_ = fs::current_path();
    fs::current_path(root_ / "cwd");
    SetApplicationFolderOverride(Utf8ToUtf16((root_ / "app").string()));
    setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
    SetFirstProgramArgumentForTest(ustring());
    previous_ = SetSkinMessageHook([this](TacMessageKind k, ustring_view t) {
      kinds_.push_back(k);
      texts_.emplace_back(t);
    });
  }
  void TearDown() override {
    SetSkinMessageHook(previous_);
    SetFirstProgramArgumentForTest(std::nullopt);
    SetApplicationFolderOverride(std::nullopt);
    unsetenv("XDG_DATA_HOME");
    fs::current_path(old_cwd_);
    fs::remove_all(root_);
  }
  fs::path UserSkins() const { return root_ / "data" / "quorvane" / "skins"; }
  static TsStoredSkin& Store(TsSkinManager& m, ustring name, TBytes data) {
    TsStoredSkin& s = m.InternalSkins().Add();
    s.SetName(std::move(name));
    s.SetPackedData(std::move(data));
    return s;
  }

  fs::path root_, old_cwd_;
  std::vector<TacMessageKind> kinds_;
  std::vector<ustring> texts_;
  TSkinMessageHook previous_;
};

}  // namespace qv::test
