#include "shell/kept_pins.h"

#include <windows.h>

#include <algorithm>

#include "output/save_dialog.h"
#include "output/temporary_file.h"
#include "shell/handles.h"
#include "shell/png_memory.h"
#include "shell/text.h"
#include "shell/win32_files.h"

namespace capture::win32 {
namespace {

constexpr char16_t kPattern[] = u"pin-*.png";
// Put before the name of a file that held no pin: not met again, still a picture to open.
constexpr char16_t kUnreadPrefix[] = u"无法恢复-";
// Far more than any pin: a picture as large as a virtual screen of eight 8K monitors, and a file
// of 1 GiB.
constexpr std::uint64_t kLargestFile = std::uint64_t{1} << 30;
constexpr std::int64_t kLargestPicture = std::int64_t{8} * 7680 * 4320;
// Pins one quit may keep before it gives up looking for a free name.
constexpr int kMostNames = 10000;

std::u16string Joined(const std::u16string& folder, const std::u16string& name) {
  return folder.ends_with(u'\\') ? folder + name : folder + u"\\" + name;
}

std::u16string Number(std::uint32_t value) {
  return Utf16(std::to_wstring(value));
}

LocalTime Now() {
  SYSTEMTIME t{};
  ::GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

// The names of the kept pins in the folder, in the order they were kept.
std::vector<std::u16string> KeptNames(const std::u16string& folder) {
  std::vector<std::u16string> names;
  WIN32_FIND_DATAW found{};
  const std::wstring pattern = Wide(ExtendedLengthPath(Joined(folder, kPattern)));
  const HANDLE first = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                          FindExSearchNameMatch, nullptr, 0);
  const FileSearch search(first == INVALID_HANDLE_VALUE ? nullptr : first);
  if (!search) return names;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
      names.push_back(Utf16(found.cFileName));
  } while (::FindNextFileW(search.get(), &found));
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

std::u16string PinsFolder(const std::u16string& settings_path) {
  return Joined(FolderOf(settings_path), u"pins");
}

PinKeeper::PinKeeper(std::u16string folder) : folder_(std::move(folder)), now_(Now()) {}

bool PinKeeper::Keep(const Picture& picture, const pin::KeptPin& place) {
  const auto failed = [&](const std::u16string& why) {
    NotKept(why);
    return false;
  };
  if (FileResult error = files_.MakeFolders(folder_)) return failed(error->text);
  const std::optional<std::vector<std::uint8_t>> png = EncodePng(picture);
  if (!png) return failed(u"无法编码为 PNG");
  const std::vector<std::uint8_t> kept = pin::WithPinRecord(*png, place);
  if (kept.empty()) return failed(u"无法编码为 PNG");
  for (; next_ <= kMostNames; ++next_) {
    const std::u16string path =
        Joined(folder_, pin::KeptPinName(now_, ::GetCurrentProcessId(), next_));
    if (files_.Exists(path)) continue;
    ++next_;
    if (FileResult error = WriteFileAtomically(files_, path, kept)) return failed(error->text);
    written_.push_back(path);
    return true;
  }
  return failed(u"没有可用的文件名");
}

void PinKeeper::NotKept(const std::u16string& why) {
  const auto which = static_cast<std::uint32_t>(written_.size() + problems_.size() + 1);
  problems_.push_back(u"贴图 " + Number(which) + u" 无法保存：" + why);
}

void PinKeeper::Forget() {
  for (const std::u16string& path : written_) files_.RemoveFile(path);
  written_.clear();
}

std::vector<std::u16string> RestoreKeptPins(const std::u16string& folder, const ShowKeptPin& show) {
  std::vector<std::u16string> problems;
  Win32Files files;
  for (const std::u16string& name : KeptNames(folder)) {
    const std::u16string path = Joined(folder, name);
    std::optional<std::vector<std::uint8_t>> bytes;
    std::optional<pin::KeptPin> place;
    std::optional<Picture> picture;
    try {
      bytes = ReadWholeFile(path, kLargestFile);
      place = bytes ? pin::PinRecordOf(*bytes) : std::nullopt;
      picture = place ? DecodePng(*bytes, kLargestPicture) : std::nullopt;
    } catch (...) {
      // Out of memory for a large picture: the file may be sound, and waits for the next start.
      problems.push_back(u"贴图文件 " + name + u" 无法读取（内存不足），下次启动时再试");
      continue;
    }
    if (!picture) {
      // Set aside: a file another program holds open is met again at the next start.
      const std::u16string aside = kUnreadPrefix + name;
      const bool set_aside =
          bytes && ::MoveFileExW(Wide(ExtendedLengthPath(path)).c_str(),
                                 Wide(ExtendedLengthPath(Joined(folder, aside))).c_str(), 0);
      std::u16string problem = u"贴图文件 " + name + u" 无法读取，已跳过";
      if (set_aside) problem += u"（已改名为 " + aside + u"）";
      problems.push_back(std::move(problem));
      continue;
    }
    if (show(*picture, *place)) {
      files.RemoveFile(path);
    } else {
      problems.push_back(u"贴图文件 " + name + u" 无法显示，下次启动时再试");
    }
  }
  return problems;
}

}  // namespace capture::win32
