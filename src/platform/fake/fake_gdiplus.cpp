#include "platform/fake/fake_gdiplus.h"

#include <cstddef>
#include <cstring>

namespace capture::fake {
namespace {

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// The values a block built for this process points at.
std::vector<std::int32_t> PointedValues(std::span<const std::uint8_t> block) {
  std::vector<std::int32_t> values;
  constexpr std::size_t kHeader = sizeof(void*), kRecord = 24 + sizeof(void*);
  if (block.size() < kHeader) return values;
  std::uint32_t count = 0;
  std::memcpy(&count, block.data(), 4);
  for (std::size_t i = 0; i < count && kHeader + (i + 1) * kRecord <= block.size(); ++i) {
    const std::int32_t* value = nullptr;
    std::memcpy(&value, block.data() + kHeader + i * kRecord + 24, sizeof value);
    if (value != nullptr) values.push_back(*value);
  }
  return values;
}

}  // namespace

std::optional<Guid> ParseGuid(std::u16string_view text) {
  constexpr std::u16string_view kShape = u"{________-____-____-____-____________}";
  if (text.size() != kShape.size()) return std::nullopt;
  std::vector<int> digits;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (kShape[i] != u'_') {
      if (text[i] != kShape[i]) return std::nullopt;
      continue;
    }
    const int d = HexDigit(text[i]);
    if (d < 0) return std::nullopt;
    digits.push_back(d);
  }
  const auto number = [&](std::size_t from, std::size_t count) {
    std::uint32_t n = 0;
    for (std::size_t i = from; i < from + count; ++i)
      n = n << 4 | static_cast<std::uint32_t>(digits[i]);
    return n;
  };
  Guid guid;
  guid.data1 = number(0, 8);
  guid.data2 = static_cast<std::uint16_t>(number(8, 4));
  guid.data3 = static_cast<std::uint16_t>(number(12, 4));
  for (std::size_t i = 0; i < 8; ++i)
    guid.data4[i] = static_cast<std::uint8_t>(number(16 + 2 * i, 2));
  return guid;
}

Gdiplus::Started FakeGdiplus::Startup() {
  calls.push_back("Startup");
  if (startup_status != gp_status::kOk) return {startup_status, 0};
  ++open_sessions;
  return {gp_status::kOk, kToken};
}

void FakeGdiplus::Shutdown(Token token) {
  calls.push_back("Shutdown");
  shutdowns.push_back(token);
  if (token == kToken) --open_sessions;
}

Gdiplus::Created FakeGdiplus::Create() {
  if (create_status != gp_status::kOk) return {create_status, 0};
  const Image image = next_image_++;
  live_images.insert(image);
  return {gp_status::kOk, image};
}

Gdiplus::Created FakeGdiplus::CreateBitmap(const Picture& picture) {
  calls.push_back("CreateBitmap");
  bitmaps.push_back(picture);
  return Create();
}

Gdiplus::Created FakeGdiplus::CreateIndexedBitmap(const IndexedPicture& picture) {
  calls.push_back("CreateIndexedBitmap");
  indexed.push_back(picture);
  return Create();
}

int FakeGdiplus::SaveImageToFile(Image image, const std::u16string& path, const Guid& encoder,
                                 std::span<const std::uint8_t> parameters) {
  calls.push_back("SaveImageToFile");
  saves.push_back(
      {image, path, encoder, {parameters.begin(), parameters.end()}, PointedValues(parameters)});
  if (on_save) on_save();
  if (!live_images.contains(image)) return gp_status::kInvalidParameter;
  if (save_status != gp_status::kOk) {
    files[path] = {0x89};  // the start of a file that could not be finished
    return save_status;
  }
  files[path] = std::vector<std::uint8_t>(encoder.data4.begin(), encoder.data4.end());
  return gp_status::kOk;
}

bool FakeGdiplus::EncodePng(const PictureRows& rows, const WriteBytes& write) {
  calls.push_back("EncodePng");
  bitmaps.push_back(GatherRows(rows));
  if (save_status != gp_status::kOk) return false;
  for (const std::uint8_t byte : {std::uint8_t{'P'}, std::uint8_t{'N'}, std::uint8_t{'G'}}) {
    if (!write(std::span<const std::uint8_t>(&byte, 1))) return false;
  }
  return true;
}

int FakeGdiplus::DisposeImage(Image image) {
  calls.push_back("DisposeImage");
  return live_images.erase(image) == 1 ? gp_status::kOk : gp_status::kInvalidParameter;
}

std::optional<Guid> FakeGdiplus::CLSIDFromString(const std::u16string& text) {
  calls.push_back("CLSIDFromString");
  return ParseGuid(text);
}

FileResult FakeGdiplus::CreateTemporaryFile(const std::u16string& target,
                                            std::u16string& temporary) {
  calls.push_back("CreateTemporaryFile");
  if (create_file_error) return create_file_error;
  temporary = target.substr(0, target.find_last_of(u"\\/") + 1) + u"~capture" +
              static_cast<char16_t>(u'0' + temporaries_++) + u".tmp";
  files[temporary] = {};
  return std::nullopt;
}

FileResult FakeGdiplus::WriteFile(const std::u16string& path, std::span<const std::uint8_t> bytes) {
  calls.push_back("WriteFile");
  if (on_save) on_save();
  if (write_error) {
    files[path] = std::vector<std::uint8_t>(
        bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(bytes.size() / 2));
    return write_error;
  }
  files[path] = std::vector<std::uint8_t>(bytes.begin(), bytes.end());
  return std::nullopt;
}

FileResult FakeGdiplus::AppendFile(const std::u16string& path,
                                   std::span<const std::uint8_t> bytes) {
  calls.push_back("AppendFile");
  if (!files.contains(path)) return FileError{2, u"The system cannot find the file specified."};
  if (write_error) return write_error;
  files[path].insert(files[path].end(), bytes.begin(), bytes.end());
  return std::nullopt;
}

FileResult FakeGdiplus::FlushFile(const std::u16string& path) {
  calls.push_back("FlushFile");
  if (!files.contains(path)) return FileError{2, u"The system cannot find the file specified."};
  return flush_error;
}

FileResult FakeGdiplus::MoveOver(const std::u16string& from, const std::u16string& to) {
  calls.push_back("MoveOver");
  if (before_move) before_move(to);
  if (!files.contains(from)) return FileError{2, u"The system cannot find the file specified."};
  if (move_error) return move_error;
  files[to] = files[from];
  files.erase(from);
  return std::nullopt;
}

FileResult FakeGdiplus::MoveIn(const std::u16string& from, const std::u16string& to) {
  calls.push_back("MoveIn");
  if (before_move) before_move(to);
  if (!files.contains(from)) return FileError{2, u"The system cannot find the file specified."};
  if (files.contains(to) || folders.contains(to)) {
    return FileError{kNameTaken, u"Cannot create a file when that file already exists."};
  }
  if (move_error) return move_error;
  files[to] = files[from];
  files.erase(from);
  return std::nullopt;
}

bool FakeGdiplus::RemoveFile(const std::u16string& path) {
  calls.push_back("RemoveFile");
  return files.erase(path) == 1;
}

bool FakeGdiplus::Exists(const std::u16string& path) {
  return files.contains(path) || folders.contains(path);
}

FileResult FakeGdiplus::MakeFolders(const std::u16string& folder) {
  calls.push_back("MakeFolders");
  if (make_folder_error) return make_folder_error;
  folders.insert(folder);
  return std::nullopt;
}

}  // namespace capture::fake
