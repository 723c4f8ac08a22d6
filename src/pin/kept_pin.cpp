#include "pin/kept_pin.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

#include "pin/pin_view.h"

namespace capture::pin {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// A tEXt chunk's keyword, then NUL, then the record: viewers show it as the picture's comment.
constexpr std::string_view kKeyword = "Capture pin";
constexpr std::size_t kChunkOverhead = 12;  // length, type, checksum

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (const std::uint8_t byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return crc ^ 0xFFFFFFFFu;
}

std::uint32_t ReadBigEndian(std::span<const std::uint8_t> bytes) {
  return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
         (std::uint32_t{bytes[2]} << 8) | std::uint32_t{bytes[3]};
}

void AppendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// A chunk of the file: its type and its data, both within the bytes.
struct Chunk {
  std::string_view type;
  std::span<const std::uint8_t> data;
  std::span<const std::uint8_t> typed;  // type and data, what the checksum covers
  std::uint32_t crc = 0;
  std::size_t start = 0;  // offset of its length field
};

// The file's chunks in order; nothing when it is no PNG or a chunk runs past the end.
std::optional<std::vector<Chunk>> Chunks(std::span<const std::uint8_t> png) {
  if (png.size() < kSignature.size() ||
      !std::equal(kSignature.begin(), kSignature.end(), png.begin())) {
    return std::nullopt;
  }
  std::vector<Chunk> chunks;
  for (std::size_t at = kSignature.size(); at < png.size();) {
    if (png.size() - at < kChunkOverhead) return std::nullopt;
    const std::size_t length = ReadBigEndian(png.subspan(at, 4));
    if (length > png.size() - at - kChunkOverhead) return std::nullopt;
    Chunk chunk;
    chunk.start = at;
    chunk.typed = png.subspan(at + 4, 4 + length);
    chunk.type = {reinterpret_cast<const char*>(chunk.typed.data()), 4};
    chunk.data = chunk.typed.subspan(4);
    chunk.crc = ReadBigEndian(png.subspan(at + 8 + length, 4));
    chunks.push_back(chunk);
    at += kChunkOverhead + length;
    if (chunk.type == "IEND") return chunks;
  }
  return std::nullopt;  // no end chunk
}

std::string RecordText(const KeptPin& pin) {
  return "left=" + std::to_string(pin.top_left.x) + " top=" + std::to_string(pin.top_left.y) +
         " zoom=" + std::to_string(pin.zoom) + " opacity=" + std::to_string(pin.opacity);
}

// "name=number" at the front of `text`, which then starts after it and one space.
std::optional<int> Field(std::string_view& text, std::string_view name) {
  if (!text.starts_with(name) || text.substr(name.size(), 1) != "=") return std::nullopt;
  text.remove_prefix(name.size() + 1);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end == text.data()) return std::nullopt;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()));
  if (text.starts_with(' ')) text.remove_prefix(1);
  return value;
}

std::optional<KeptPin> ParseRecord(std::string_view text) {
  const std::optional<int> left = Field(text, "left"), top = Field(text, "top"),
                           zoom = Field(text, "zoom"), opacity = Field(text, "opacity");
  if (!left || !top || !zoom || !opacity || !text.empty()) return std::nullopt;
  if (std::find(kZoomSteps.begin(), kZoomSteps.end(), *zoom) == kZoomSteps.end())
    return std::nullopt;
  if (*opacity < kMinOpacity || *opacity > 100) return std::nullopt;
  return KeptPin{{*left, *top}, *zoom, *opacity};
}

std::string Padded(int value, std::size_t digits) {
  std::string text = std::to_string(value);
  if (text.size() < digits) text.insert(0, digits - text.size(), '0');
  return text;
}

}  // namespace

std::vector<std::uint8_t> WithPinRecord(std::span<const std::uint8_t> png, const KeptPin& pin) {
  const std::optional<std::vector<Chunk>> chunks = Chunks(png);
  if (!chunks) return {};
  std::string text = "tEXt";
  text.append(kKeyword).append(1, '\0').append(RecordText(pin));
  const std::vector<std::uint8_t> typed(text.begin(), text.end());

  const std::size_t end = chunks->back().start;
  std::vector<std::uint8_t> out(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(end));
  AppendBigEndian(out, static_cast<std::uint32_t>(typed.size() - 4));
  out.insert(out.end(), typed.begin(), typed.end());
  AppendBigEndian(out, Crc32(typed));
  out.insert(out.end(), png.begin() + static_cast<std::ptrdiff_t>(end), png.end());
  return out;
}

std::optional<KeptPin> PinRecordOf(std::span<const std::uint8_t> png) {
  const std::optional<std::vector<Chunk>> chunks = Chunks(png);
  if (!chunks) return std::nullopt;
  for (const Chunk& chunk : *chunks) {
    const std::string_view text(reinterpret_cast<const char*>(chunk.data.data()),
                                chunk.data.size());
    if (chunk.type != "tEXt" || !text.starts_with(kKeyword) ||
        text.substr(kKeyword.size(), 1) != std::string_view("\0", 1)) {
      continue;
    }
    if (Crc32(chunk.typed) != chunk.crc) return std::nullopt;
    return ParseRecord(text.substr(kKeyword.size() + 1));
  }
  return std::nullopt;
}

PointI RestoredPlace(const KeptPin& pin, SizeI shown, const std::vector<RectI>& monitors,
                     const RectI& primary) {
  const RectI picture{pin.top_left.x, pin.top_left.y, pin.top_left.x + shown.width,
                      pin.top_left.y + shown.height};
  for (const RectI& monitor : monitors) {
    if (!Intersect(picture, monitor).Empty()) return pin.top_left;
  }
  // Centred where its centre was, then moved onto the primary as little as it takes.
  const PointI centre{pin.top_left.x + shown.width / 2, pin.top_left.y + shown.height / 2};
  return PlaceAtPointer(shown, centre, primary);
}

std::u16string KeptPinName(const LocalTime& now, std::uint32_t process, int index) {
  const std::string name = "pin-" + Padded(now.year, 4) + Padded(now.month, 2) +
                           Padded(now.day, 2) + "-" + Padded(now.hour, 2) + Padded(now.minute, 2) +
                           Padded(now.second, 2) + "-" + std::to_string(process) + "-" +
                           Padded(index, 4) + ".png";
  return {name.begin(), name.end()};
}

}  // namespace capture::pin
