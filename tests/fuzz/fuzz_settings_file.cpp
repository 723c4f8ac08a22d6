// Reads capture.ini from the fuzzer's bytes, changes some of the values the program writes, and
// updates the file; checks that the update wrote what it was given (reading the new bytes gives
// the settings asked for, every one of them) or, refused, left the file as it was and said what
// it could not write; and that every line it had no reason to touch keeps its bytes, in order,
// and the byte-order mark stays. The code page is the fake's, a double-byte one as GBK is.
//
// Input format, read from the front, missing bytes read as 0:
//   byte: the mark put before the file: % 4: none, UTF-8's, UTF-16 little-endian's, big-endian's
//   byte: changes, % 6; each: byte what % 6: 0 last_folder (byte length % 12, then a byte per
//     character from a small alphabet), 1 last_format (byte), 2 the selections (byte count % 4,
//     then 4 bytes each), 3 the capture hotkey (byte), 4 jpeg_quality (byte), 5 copy (byte)
//   the rest: the file's bytes, as they are
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"
#include "app/text_file.h"
#include "platform/fake/fake_code_page.h"

namespace capture {
namespace {

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  int Byte() {
    if (size_ == 0) return 0;
    --size_;
    return *data_++;
  }
  std::string_view Rest() const { return {reinterpret_cast<const char*>(data_), size_}; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "settings file broken: %s\n", what);
  std::abort();
}

// Characters the code page has and lacks, the syntax's own, a pair of surrogates.
constexpr std::array<std::u16string_view, 14> kAlphabet{u"a", u"Z",  u"0",  u"\\",        u":",
                                                        u" ", u"截", u"图", u"新",        u"é",
                                                        u"=", u";",  u"[",  u"\U0001F600"};

// A folder as the save dialog gives one: no line break, no space at either end (the reader trims
// those, as an editor's user expects).
std::u16string Folder(Input& in) {
  std::u16string folder;
  for (int n = in.Byte() % 12; n > 0; --n) {
    folder += kAlphabet[static_cast<std::size_t>(in.Byte()) % kAlphabet.size()];
  }
  while (folder.starts_with(u' ')) folder.erase(0, 1);
  while (folder.ends_with(u' ')) folder.pop_back();
  return folder;
}

// The values to write, read before the file (which is the rest of the input), applied after it.
struct Changes {
  std::optional<std::u16string> last_folder, last_format;
  std::optional<std::vector<RectI>> selections;
  std::optional<KeyChord> hotkey;
  std::optional<int> quality;
  std::optional<bool> copy;

  void ReadOne(Input& in) {
    constexpr std::array<std::u16string_view, 6> kFormats{u"",    u"png", u"jpg",
                                                          u"bmp", u"gif", u"tiff"};
    constexpr std::array<KeyChord, 4> kChords{KeyChord{}, KeyChord{0, kPrintScreenKey},
                                              KeyChord{modifier::kCtrl | modifier::kShift, 'A'},
                                              KeyChord{modifier::kAlt, 0x70}};
    switch (in.Byte() % 6) {
      case 0:
        last_folder = Folder(in);
        break;
      case 1:
        last_format = kFormats[static_cast<std::size_t>(in.Byte()) % kFormats.size()];
        break;
      case 2:
        selections.emplace();
        for (int n = in.Byte() % 4; n > 0; --n) {
          const int left = in.Byte() - 128;
          const int top = in.Byte() - 128;
          selections->push_back({left, top, left + 1 + in.Byte(), top + 1 + in.Byte()});
        }
        break;
      case 3:
        hotkey = kChords[static_cast<std::size_t>(in.Byte()) % kChords.size()];
        break;
      case 4:
        quality = in.Byte() % 101;
        break;
      default:
        copy = in.Byte() % 2 == 0;
        break;
    }
  }

  void ApplyTo(Settings& s) const {
    if (last_folder) s.save.last_folder = *last_folder;
    if (last_format) s.save.last_format = *last_format;
    if (selections) s.selections = *selections;
    if (hotkey) s.capture_hotkey = *hotkey;
    if (quality) s.save.jpeg_quality = *quality;
    if (copy) s.save.copy_on_quick_save = *copy;
  }
};

bool Same(const Settings& a, const Settings& b) {
  return a.capture_hotkey == b.capture_hotkey && a.pin_clipboard_hotkey == b.pin_clipboard_hotkey &&
         a.save.quick.folder == b.save.quick.folder &&
         a.save.quick.pattern == b.save.quick.pattern &&
         a.save.quick.extension == b.save.quick.extension &&
         a.save.jpeg_quality == b.save.jpeg_quality &&
         a.save.copy_on_quick_save == b.save.copy_on_quick_save &&
         a.save.last_folder == b.save.last_folder && a.save.last_format == b.save.last_format &&
         a.selections == b.selections && a.scroll_max_height == b.scroll_max_height &&
         a.restore_pins == b.restore_pins;
}

// A line the update may rewrite: one whose key is among those it writes (in any section, to keep
// the check simple), or a place of the selections.
bool MayChange(const TextLine& line) {
  if (!line.text) return false;
  std::u16string key(line.text->substr(0, line.text->find(u'=')));
  std::erase_if(key, [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r'; });
  std::transform(key.begin(), key.end(), key.begin(),
                 [](char16_t c) { return c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c; });
  for (std::u16string_view written :
       {u"last_folder", u"last_format", u"capture", u"jpeg_quality", u"copy"}) {
    if (key == written) return true;
  }
  return !key.empty() && key.size() <= 2 &&
         std::all_of(key.begin(), key.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

// Every line of `before` the update had no reason to touch is in `after`, in order, with its
// bytes; the last one may have gained a line end.
void CheckLinesKept(const TextFile& before, const TextFile& after) {
  std::size_t next = 0;
  for (std::size_t i = 0; i < before.lines.size(); ++i) {
    const TextLine& line = before.lines[i];
    if (MayChange(line)) continue;
    const bool last = i + 1 == before.lines.size();
    while (next < after.lines.size() &&
           !(after.lines[next].bytes == line.bytes ||
             (last && after.lines[next].bytes.starts_with(line.bytes) &&
              after.lines[next].text == line.text))) {
      ++next;
    }
    if (next == after.lines.size()) Fail("a line not changed lost its bytes or its place");
    ++next;
  }
}

}  // namespace
}  // namespace capture

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace capture;
  const fake::FakeCodePage ansi;
  Input in(data, size);
  constexpr std::array<std::string_view, 4> kMarks{"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
  const std::string_view mark = kMarks[static_cast<std::size_t>(in.Byte()) % kMarks.size()];
  Changes changes;
  for (int n = in.Byte() % 6; n > 0; --n) changes.ReadOne(in);
  const std::string file = std::string(mark) + std::string(in.Rest());
  Settings wanted = ParseSettings(file, ansi).settings;
  changes.ApplyTo(wanted);

  const SettingsUpdate update = UpdatedSettingsText(file, wanted, ansi);
  if (!update.unwritten.empty()) {
    if (update.file != file) Fail("a refused update changed the file");
    return 0;
  }
  if (!Same(ParseSettings(update.file, ansi).settings, wanted)) {
    Fail("the updated file does not read back as the settings written");
  }
  const TextFile before = ReadTextFile(file, ansi);
  const TextFile after = ReadTextFile(update.file, ansi);
  if (!before.mark.empty() && after.mark != before.mark) Fail("the byte-order mark was lost");
  CheckLinesKept(before, after);
  return 0;
}
