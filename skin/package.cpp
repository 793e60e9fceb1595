// Reading and writing skin packages, and finding their preview block.
#include "skin/package.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "skin/skin_dialogs.h"

namespace qv {

const char16_t kNotPackedSkinText[] = u"Loaded data is not a packed skin file.";

namespace {

constexpr char kMagic[4] = {'A', 'S', 'z', 'f'};
constexpr char kPreviewTag[10] = {'p', 'r', 'e', 'v', 'i', 'e', 'w', 'i', 'm', 'g'};
// Deflate cannot expand data by more than this factor; larger claims are corrupt.
constexpr std::uint64_t kMaxInflateRatio = 1032;

[[noreturn]] void Corrupt(const std::string& what) {
  throw ESkinPackageError("The skin package is corrupt: " + what + ".");
}

std::int32_t ReadInt32(TByteView data, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | data[at + static_cast<std::size_t>(i)];
  return static_cast<std::int32_t>(v);
}

void AppendInt32(TBytes& out, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A reader over the package that refuses to run past its end.
class TCursor {
 public:
  explicit TCursor(TByteView data) : data_(data) {}
  std::size_t Remaining() const { return data_.size() - pos_; }
  std::size_t Position() const { return pos_; }
  void Seek(std::size_t pos) { pos_ = pos; }
  std::int32_t Int(const char* what) {
    if (Remaining() < 4) Corrupt(std::string(what) + " runs past the end");
    const std::int32_t v = ReadInt32(data_, pos_);
    pos_ += 4;
    return v;
  }
  TByteView Take(std::size_t n) {
    const TByteView v = data_.subspan(pos_, n);
    pos_ += n;
    return v;
  }
  TByteView Rest() const { return data_.subspan(pos_); }

 private:
  TByteView data_;
  std::size_t pos_ = 0;
};

// Inflates one zlib stream of exactly `size` bytes from the cursor, leaving
// the cursor on the first byte after its Adler-32 trailer.
TBytes InflateEntry(TCursor& cur, std::size_t size, const ustring& name) {
  const std::string label = "entry \"" + Utf16ToUtf8(name) + "\"";
  const TByteView src = cur.Rest();
  // One spare byte shows a stream that holds more than it claims.
  TBytes out(size + 1);
  z_stream z{};
  if (inflateInit(&z) != Z_OK) throw ESkinPackageError("zlib could not be initialised.");
  z.next_in = const_cast<Bytef*>(src.data());
  z.avail_in = static_cast<uInt>(std::min<std::size_t>(src.size(), UINT32_MAX));
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  int rc = Z_OK;
  do {
    rc = inflate(&z, Z_NO_FLUSH);
  } while (rc == Z_OK && z.avail_out > 0 && z.avail_in > 0);
  const std::size_t produced = out.size() - z.avail_out;
  const std::size_t consumed = src.size() - z.avail_in;
  const std::string zmsg = z.msg ? z.msg : "bad compressed data";
  inflateEnd(&z);
  if (produced > size) Corrupt(label + " holds more than its stated size");
  if (rc == Z_DATA_ERROR || rc == Z_NEED_DICT || rc == Z_MEM_ERROR) Corrupt(label + ": " + zmsg);
  if (rc != Z_STREAM_END || produced < size) Corrupt(label + " is shorter than its stated size");
  out.resize(size);
  cur.Seek(cur.Position() + consumed);
  return out;
}

}  // namespace

TacFileType FileTypeOf(ustring_view name) {
  const std::size_t dot = name.rfind(u'.');
  if (dot == ustring_view::npos) return ftOther;
  const ustring ext = UpperCase(name.substr(dot));
  if (ext == u".BMP") return ftBmp;
  if (ext == u".TTF" || ext == u".OTF") return ftFont;
  return ftOther;
}

void TacSkinConvertor::OwnPackedData(TBytes bytes) {
  owned_ = std::move(bytes);
  PackedData = TByteView(owned_);
}

void TacSkinConvertor::BorrowPackedData(TByteView bytes) {
  owned_.clear();
  owned_.shrink_to_fit();
  PackedData = bytes;
}

void TacSkinConvertor::ReleasePackedData() {
  PackedData.reset();
  owned_.clear();
  owned_.shrink_to_fit();
}

void TacSkinConvertor::Clear() {
  while (!Files.empty()) Files.pop_back();
  FileCount = 0;
  Options.reset();
  ReleasePackedData();
}

const TacFileItem* TacSkinConvertor::FindFile(ustring_view name) const {
  const ustring wanted = UpperCase(name);
  for (const TacFileItem& f : Files)
    if (UpperCase(f.Name) == wanted) return &f;
  return nullptr;
}

bool TacSkinConvertor::ReadPackage() {
  const TByteView data = PackedData.value_or(TByteView());
  std::uint8_t head[16] = {};
  if (!data.empty())
    std::memcpy(head, data.data(), std::min<std::size_t>(data.size(), sizeof head));
  if (std::memcmp(head, kMagic, 4) != 0) {
    if (ShowError)
      ShowError(kNotPackedSkinText);
    else
      ShowSkinError(kNotPackedSkinText);
    return false;
  }
  const std::int32_t n = ReadInt32(TByteView(head, sizeof head), 4);
  TCursor cur(data);
  cur.Seek(std::min<std::size_t>(8, data.size()));
  // Every entry needs at least its two size fields.
  if (n < 0 || static_cast<std::uint64_t>(n) > cur.Remaining() / 8)
    Corrupt("its file count " + std::to_string(n) + " does not fit its size");
  Files.clear();
  Options.reset();
  FileCount = n - 1;
  Files.reserve(static_cast<std::size_t>(n));
  for (std::int32_t i = 0; i < n; ++i) {
    const std::int32_t len = cur.Int("a name length");
    if (len < 0 || static_cast<std::size_t>(len) > cur.Remaining())
      Corrupt("a name length of " + std::to_string(len) + " runs past the end");
    const TByteView raw = cur.Take(static_cast<std::size_t>(len));
    const ustring name =
        AnsiToUtf16(std::string_view(reinterpret_cast<const char*>(raw.data()), raw.size()));
    const std::int32_t size = cur.Int("a file size");
    if (size < 0 || static_cast<std::uint64_t>(size) > cur.Remaining() * kMaxInflateRatio)
      Corrupt("the size " + std::to_string(size) + " of \"" + Utf16ToUtf8(name) +
              "\" does not fit the package");
    TBytes content = InflateEntry(cur, static_cast<std::size_t>(size), name);
    if (UpperCase(name) == u"OPTIONS.DAT") {
      Options = std::make_unique<TBytes>(std::move(content));
    } else {
      Files.push_back({name, FileTypeOf(name), std::move(content)});
    }
  }
  // A repeated options entry leaves fewer files than N - 1.
  FileCount = static_cast<int>(Files.size());
  return true;
}

std::optional<TBytes> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  TBytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

bool ReadPackageFile(const std::string& path, std::unique_ptr<TacSkinConvertor>& conv) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  if (conv)
    conv->Clear();
  else
    conv = std::make_unique<TacSkinConvertor>();
  auto bytes = ReadWholeFile(path);
  if (!bytes) throw ESkinPackageError("The skin package " + path + " cannot be read.");
  conv->OwnPackedData(std::move(*bytes));
  struct Release {
    TacSkinConvertor& c;
    ~Release() { c.ReleasePackedData(); }
  } release{*conv};
  return conv->ReadPackage();
}

bool ExtractPreview(TByteView package, TBytes& target) {
  const auto it = std::search(
      package.begin(), package.end(),
      std::boyer_moore_horspool_searcher(std::begin(kPreviewTag), std::end(kPreviewTag)));
  if (it == package.end()) return false;
  const std::size_t p = static_cast<std::size_t>(it - package.begin()) + sizeof kPreviewTag;
  if (package.size() - p < 4) Corrupt("the preview size runs past the end");
  const std::int32_t size = ReadInt32(package, p);
  if (size < 0 || static_cast<std::size_t>(size) > package.size() - p - 4)
    Corrupt("the preview size " + std::to_string(size) + " runs past the end");
  const auto from = package.begin() + static_cast<std::ptrdiff_t>(p + 4);
  target.assign(from, from + size);
  return true;
}

TBytes WritePackage(const std::vector<TacPackEntry>& entries, const TBytes* preview) {
  TBytes out(std::begin(kMagic), std::end(kMagic));
  AppendInt32(out, static_cast<std::int32_t>(entries.size()));
  for (const TacPackEntry& e : entries) {
    AppendInt32(out, static_cast<std::int32_t>(e.Name.size()));
    out.insert(out.end(), e.Name.begin(), e.Name.end());
    AppendInt32(out, static_cast<std::int32_t>(e.Content.size()));
    uLongf bound = compressBound(static_cast<uLong>(e.Content.size()));
    TBytes packed(bound);
    if (compress2(packed.data(), &bound, e.Content.data(), static_cast<uLong>(e.Content.size()),
                  Z_BEST_COMPRESSION) != Z_OK)
      throw ESkinPackageError("zlib could not compress " + e.Name + ".");
    out.insert(out.end(), packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(bound));
  }
  if (preview) {
    out.insert(out.end(), std::begin(kPreviewTag), std::end(kPreviewTag));
    AppendInt32(out, static_cast<std::int32_t>(preview->size()));
    out.insert(out.end(), preview->begin(), preview->end());
  }
  return out;
}

}  // namespace qv
