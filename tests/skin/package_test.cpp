// Skin packages: reading, corrupt and hostile packages, previews, files.
#include "skin/package.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>

#include "skin/package_folder.h"
#include "skin/skin_dialogs.h"

namespace qv {
namespace {

TBytes Bytes(std::string_view s) { return TBytes(s.begin(), s.end()); }

TBytes Pack(const std::vector<TacPackEntry>& entries, const TBytes* preview = nullptr) {
  return WritePackage(entries, preview);
}

void PutInt(TBytes& b, std::size_t at, std::int32_t v) {
  for (int i = 0; i < 4; ++i)
    b[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i));
}

// Records the messages the reader shows.
class PackageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = SetSkinMessageHook([this](TacMessageKind k, ustring_view t) {
      kinds_.push_back(k);
      texts_.emplace_back(t);
    });
  }
  void TearDown() override { SetSkinMessageHook(previous_); }

  bool Read(const TBytes& bytes) {
    conv_.Clear();
    conv_.BorrowPackedData(bytes);
    struct Give {
      TacSkinConvertor& c;
      ~Give() { c.ReleasePackedData(); }
    } give{conv_};
    return conv_.ReadPackage();
  }

  TacSkinConvertor conv_;
  std::vector<TacMessageKind> kinds_;
  std::vector<ustring> texts_;
  TSkinMessageHook previous_;
};

TEST_F(PackageTest, ReadsOptionsAndFilesInOrder) {
  const TBytes img(110646, 0x42);
  const TBytes png(46819, 0x17);
  const TBytes opts = Bytes("[GLOBALINFO]\r\nVERSION=14.01\r\n");
  const TBytes preview(23695, 0x89);
  const TBytes pkg =
      Pack({{"OPTIONS.DAT", opts}, {"BUTTONHUGE.BMP", img}, {"MASTER COPY.PNG", png}}, &preview);
  ASSERT_TRUE(Read(pkg));
  ASSERT_TRUE(conv_.Options);
  EXPECT_EQ(*conv_.Options, opts);
  EXPECT_EQ(conv_.FileCount, 2);
  ASSERT_EQ(conv_.Files.size(), 2u);
  EXPECT_EQ(conv_.Files[0].Name, u"BUTTONHUGE.BMP");
  EXPECT_EQ(conv_.Files[0].FileType, ftBmp);
  EXPECT_EQ(conv_.Files[0].Stream, img);
  EXPECT_EQ(conv_.Files[1].FileType, ftOther);
  EXPECT_EQ(conv_.Files[1].Stream.size(), 46819u);
  EXPECT_EQ(conv_.FindFile(u"master copy.png"), &conv_.Files[1]);
  EXPECT_FALSE(conv_.PackedData);
  TBytes got;
  ASSERT_TRUE(ExtractPreview(pkg, got));
  EXPECT_EQ(got, preview);
  EXPECT_TRUE(texts_.empty());
}

TEST_F(PackageTest, FileTypesAndOptionsNameInAnyCase) {
  EXPECT_EQ(FileTypeOf(u"a.ttf"), ftFont);
  EXPECT_EQ(FileTypeOf(u"A.OTF"), ftFont);
  EXPECT_EQ(FileTypeOf(u"x.bmp.png"), ftOther);
  EXPECT_EQ(FileTypeOf(u"noext"), ftOther);
  ASSERT_TRUE(Read(Pack({{"x.png", Bytes("p")}, {"oPtIoNs.DaT", Bytes("[A]")}})));
  ASSERT_TRUE(conv_.Options);
  EXPECT_EQ(*conv_.Options, Bytes("[A]"));
  EXPECT_EQ(conv_.FileCount, 1);
}

TEST_F(PackageTest, RepeatedOptionsEntryKeepsTheLastAndCountsFiles) {
  ASSERT_TRUE(Read(
      Pack({{"OPTIONS.DAT", Bytes("1")}, {"a.bmp", Bytes("a")}, {"Options.dat", Bytes("2")}})));
  EXPECT_EQ(*conv_.Options, Bytes("2"));
  EXPECT_EQ(conv_.FileCount, 1);
  EXPECT_EQ(conv_.FileCount, static_cast<int>(conv_.Files.size()));
}

TEST_F(PackageTest, EmptyAndOptionlessPackagesSucceed) {
  ASSERT_TRUE(Read(Pack({})));
  EXPECT_FALSE(conv_.Options);
  EXPECT_EQ(conv_.FileCount, 0);
  ASSERT_TRUE(Read(Pack({{"a.bmp", Bytes("")}})));
  EXPECT_FALSE(conv_.Options);
  EXPECT_EQ(conv_.Files.at(0).Stream.size(), 0u);
}

TEST_F(PackageTest, WrongMagicShowsErrorAndFails) {
  EXPECT_FALSE(Read(Bytes("PK\x03\x04 not a skin")));
  EXPECT_FALSE(Read(TBytes{}));
  ASSERT_EQ(texts_.size(), 2u);
  EXPECT_EQ(kinds_[0], TacMessageKind::mkError);
  EXPECT_EQ(texts_[0], u"Loaded data is not a packed skin file.");
}

TEST_F(PackageTest, ImpossibleSizesAreCorrupt) {
  const TBytes good = Pack({{"OPTIONS.DAT", Bytes("[GLOBALINFO]")}});
  TBytes b = good;
  PutInt(b, 4, -1);  // N
  EXPECT_THROW(Read(b), ESkinPackageError);
  b = good;
  PutInt(b, 4, 0x7FFFFFFF);
  EXPECT_THROW(Read(b), ESkinPackageError);
  b = good;
  PutInt(b, 8, -3);  // L
  EXPECT_THROW(Read(b), ESkinPackageError);
  b = good;
  PutInt(b, 8, 1 << 30);
  EXPECT_THROW(Read(b), ESkinPackageError);
  b = good;
  PutInt(b, 8 + 4 + 11, -1);  // S
  EXPECT_THROW(Read(b), ESkinPackageError);
  b = good;
  PutInt(b, 8 + 4 + 11, 0x7FFFFFFF);
  EXPECT_THROW(Read(b), ESkinPackageError);
  // Magic only: the count reads as zero.
  EXPECT_TRUE(Read(Bytes("ASzf")));
  // After every failure the borrowed bytes went back.
  EXPECT_FALSE(conv_.PackedData);
}

TEST_F(PackageTest, StreamsMustEndExactlyAtTheirSize) {
  const TBytes good = Pack({{"OPTIONS.DAT", Bytes("[GLOBALINFO]")}, {"b.bmp", Bytes("xyz")}});
  const std::size_t size_at = 8 + 4 + 11;
  TBytes shorter = good;
  PutInt(shorter, size_at, 13);  // one more than the stream holds
  EXPECT_THROW(Read(shorter), ESkinPackageError);
  TBytes longer = good;
  PutInt(longer, size_at, 11);  // one less: the next entry would start mid-stream
  EXPECT_THROW(Read(longer), ESkinPackageError);
  TBytes flipped = good;
  flipped[size_at + 4 + 3] ^= 0x55;
  EXPECT_THROW(Read(flipped), ESkinPackageError);
  TBytes cut(good.begin(), good.end() - 3);
  EXPECT_THROW(Read(cut), ESkinPackageError);
  for (std::size_t n = 5; n < good.size(); ++n) {
    TBytes prefix(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_THROW(Read(prefix), ESkinPackageError) << n;
  }
}

TEST_F(PackageTest, PreviewIsTheFirstTagAnywhere) {
  TBytes none;
  EXPECT_FALSE(ExtractPreview(Pack({{"OPTIONS.DAT", Bytes("x")}}), none));
  // Stored (level 0) data shows the tag in the clear before the real block.
  TBytes fake = Bytes("previewimg");
  fake.insert(fake.end(), {3, 0, 0, 0, 'a', 'b', 'c'});
  TBytes pkg = {'A', 'S', 'z', 'f', 1, 0, 0, 0, 1, 0, 0, 0, 'x'};
  const std::size_t sz = fake.size();
  pkg.insert(pkg.end(), {static_cast<std::uint8_t>(sz), 0, 0, 0});
  uLongf bound = compressBound(static_cast<uLong>(sz));
  TBytes z(bound);
  ASSERT_EQ(compress2(z.data(), &bound, fake.data(), static_cast<uLong>(sz), 0), Z_OK);
  pkg.insert(pkg.end(), z.begin(), z.begin() + static_cast<std::ptrdiff_t>(bound));
  const TBytes real = {1, 2, 3, 4, 5};
  const TBytes tail = Pack({}, &real);
  pkg.insert(pkg.end(), tail.begin() + 8, tail.end());
  TBytes got;
  ASSERT_TRUE(ExtractPreview(pkg, got));
  EXPECT_EQ(got, Bytes("abc"));
  TBytes bad = Pack({}, &real);
  PutInt(bad, 8 + 10, 6);
  EXPECT_THROW(ExtractPreview(bad, got), ESkinPackageError);
}

TEST_F(PackageTest, WritingIsDeterministicAndFilesRoundTrip) {
  const std::vector<TacPackEntry> e = {{"OPTIONS.DAT", Bytes("[A]\r\nB=1")},
                                       {"f.ttf", TBytes(999, 7)}};
  EXPECT_EQ(Pack(e), Pack(e));
  const auto dir = std::filesystem::temp_directory_path() / "qv_package_test";
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "one.asz").string();
  {
    const TBytes pkg = Pack(e);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(pkg.data()), static_cast<std::streamsize>(pkg.size()));
  }
  std::unique_ptr<TacSkinConvertor> conv;
  EXPECT_FALSE(ReadPackageFile((dir / "missing.asz").string(), conv));
  EXPECT_FALSE(conv);
  ASSERT_TRUE(ReadPackageFile(path, conv));
  ASSERT_TRUE(conv);
  EXPECT_EQ(conv->Files.at(0).FileType, ftFont);
  EXPECT_FALSE(conv->PackedData);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace qv

namespace qv {
namespace {

TEST(PackageFolder, OptionsFirstThenByNameAndRefusals) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / "qv_package_folder_test";
  fs::remove_all(dir);
  fs::create_directories(dir / "sub");
  auto put = [&](const char* name, std::string_view text) {
    std::ofstream(dir / name, std::ios::binary) << text;
  };
  put("b.png", "b");
  put("A.BMP", "a");
  put("Options.dat", "[GLOBALINFO]");
  const auto entries = FolderPackEntries(dir);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].Name, "Options.dat");
  EXPECT_EQ(entries[1].Name, "A.BMP");
  EXPECT_EQ(entries[2].Name, "b.png");
  put("OPTIONS.DAT", "[X]");
  EXPECT_THROW(FolderPackEntries(dir), ESkinPackageError);
  fs::remove(dir / "OPTIONS.DAT");
  fs::remove(dir / "Options.dat");
  EXPECT_THROW(FolderPackEntries(dir), ESkinPackageError);
  put("Options.dat", "[GLOBALINFO]");
  put("\xe2\x82\xac\xe2\x9c\x93.png", "x");  // the check mark has no 8-bit code
  EXPECT_THROW(FolderPackEntries(dir), ESkinPackageError);
  EXPECT_THROW(FolderPackEntries(dir / "missing"), ESkinPackageError);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace qv
