#include "shell/settings_store.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <span>

#include "output/save_dialog.h"
#include "output/temporary_file.h"
#include "shell/console_output.h"
#include "shell/handles.h"
#include "shell/known_folders.h"
#include "shell/system_settings.h"
#include "shell/text.h"

namespace capture::win32 {
namespace {

constexpr char16_t kFileName[] = u"capture.ini";

// Far more than any settings file: a larger one is no settings file of ours.
constexpr std::size_t kLargest = 1 << 20;
constexpr char16_t kTooLarge[] =
    u"capture.ini：文件超过 1 MiB，未读取，已使用默认值，也不会改写它。";

// The file as read: its bytes whole (none when it is missing), or why it was not read. A file
// that is there but cannot be read (an editor may hold it) is not taken for a missing one.
struct FileRead {
  enum class State { Read, Unreadable, TooLarge } state = State::Read;
  std::string bytes;
};

FileRead ReadFileBytes(const std::u16string& path) {
  const HANDLE opened = ::CreateFileW(Wide(ExtendedLengthPath(path)).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {};
    return {FileRead::State::Unreadable, {}};
  }
  const KernelObject file(opened);
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(opened, &size)) return {FileRead::State::Unreadable, {}};
  if (size.QuadPart > static_cast<LONGLONG>(kLargest)) return {FileRead::State::TooLarge, {}};
  // Read to its end, however it changed since its size was asked: only a whole file is read.
  std::string bytes(kLargest + 1, '\0');
  std::size_t at = 0;
  while (at < bytes.size()) {
    DWORD done = 0;
    if (!::ReadFile(opened, bytes.data() + at, static_cast<DWORD>(bytes.size() - at), &done,
                    nullptr)) {
      return {FileRead::State::Unreadable, {}};
    }
    if (done == 0) break;
    at += done;
  }
  if (at > kLargest) return {FileRead::State::TooLarge, {}};
  bytes.resize(at);
  return {FileRead::State::Read, std::move(bytes)};
}

// The file's bad values, and its folders that do not name a full path.
std::vector<std::u16string> Problems(ReadSettings& read) {
  std::vector<std::u16string> problems = std::move(read.problems);
  for (std::u16string& problem :
       ResolveSaveFolders(read.settings.save, TheSystemsFolders()).problems) {
    problems.push_back(std::move(problem));
  }
  return problems;
}

std::span<const std::uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

}  // namespace

std::u16string SettingsPath() {
  std::u16string beside = FolderOf(Utf16(ProgramPath()));
  if (!beside.ends_with(u'\\')) beside += u'\\';  // a drive's root has its separator
  beside += kFileName;
  if (::GetFileAttributesW(Wide(beside).c_str()) != INVALID_FILE_ATTRIBUTES) return beside;
  // Asked of Windows, not of the environment: with APPDATA unset the file would be looked for
  // under the current folder. A system that names no such folder keeps it beside the program.
  const std::u16string roaming = RoamingAppDataFolder();
  if (roaming.empty()) return beside;
  return roaming + u"\\Capture\\" + kFileName;
}

SettingsStore::SettingsStore(std::u16string path) : path_(std::move(path)) {
  Reload();  // nothing read yet: a missing file is the defaults
}

bool SettingsStore::Reload() {
  FileRead read = ReadFileBytes(path_);
  if (read.state == FileRead::State::Unreadable) return false;
  if (read.state == FileRead::State::TooLarge) {
    if (too_large_) return false;  // said already
    too_large_ = true;
    bytes_.clear();
    settings_ = Settings{};
    problems_ = {kTooLarge};
    told_.emplace_back(kTooLarge);
    return true;
  }
  if (!too_large_ && read.bytes == bytes_) return false;
  too_large_ = false;
  Take(std::move(read.bytes));
  return true;
}

void SettingsStore::Take(std::string bytes) {
  bytes_ = std::move(bytes);
  ReadSettings read = ParseSettings(bytes_, ansi_);
  problems_ = Problems(read);
  settings_ = std::move(read.settings);
}

void SettingsStore::Tell(const std::u16string& message) {
  if (std::find(told_.begin(), told_.end(), message) != told_.end()) return;
  told_.push_back(message);
  if (on_not_remembered) {
    on_not_remembered(message);
  } else {
    WriteStderr(L"capture: " + Wide(message) + L"\r\n");
  }
}

FileResult SettingsStore::CreateIfMissing() {
  if (files_.Exists(path_)) return std::nullopt;
  if (FileResult error = files_.MakeFolders(FolderOf(path_))) return error;
  bytes_ = SettingsFileText(settings_);
  return WriteFileAtomically(files_, path_, Bytes(bytes_));
}

FileResult SettingsStore::Change(const std::function<void(Settings&)>& change) {
  const FileRead read = ReadFileBytes(path_);
  if (read.state == FileRead::State::TooLarge) {
    Tell(kTooLarge);
    return FileError{ERROR_FILE_TOO_LARGE, kTooLarge};
  }
  if (read.state == FileRead::State::Unreadable) {
    return FileError{ERROR_SHARING_VIOLATION, u"无法读取设置文件"};
  }
  const std::string& now = read.bytes;
  Settings changed = ParseSettings(now, ansi_).settings;
  change(changed);
  // A new file starts as the defaults, each key explained.
  const SettingsUpdate update =
      UpdatedSettingsText(now.empty() ? SettingsFileText(Settings{}) : now, changed, ansi_);
  settings_ = changed;
  for (const std::u16string& unwritten : update.unwritten) Tell(unwritten);
  if (!update.unwritten.empty()) {
    return FileError{ERROR_NO_UNICODE_TRANSLATION, update.unwritten.front()};
  }
  if (update.file == now) return std::nullopt;  // written only when something changes
  if (FileResult error = files_.MakeFolders(FolderOf(path_))) return error;
  if (FileResult error = WriteFileAtomically(files_, path_, Bytes(update.file))) return error;
  bytes_ = update.file;
  return std::nullopt;
}

SaveSettings SettingsStore::Saving() {
  SaveSettings saving = settings_.save;
  const SaveFolders folders = ResolveSaveFolders(saving, TheSystemsFolders());
  saving.quick.folder = folders.quick;
  saving.last_folder = folders.last;
  return saving;
}

void SettingsStore::RememberSave(const std::u16string& folder, const std::u16string& format) {
  if (settings_.save.last_folder == folder && settings_.save.last_format == format) return;
  // A file that cannot be written costs the next dialog its folder, nothing more: the save
  // itself went well.
  Change([&](Settings& s) {
    s.save.last_folder = folder;
    s.save.last_format = format;
  });
}

RecentSelections SettingsStore::Selections() const {
  RecentSelections recent;
  recent.Restore({settings_.selections.rbegin(), settings_.selections.rend()});
  return recent;
}

void SettingsStore::RememberSelections(const RecentSelections& recent) {
  const std::vector<RectI> newest_first(recent.Items().rbegin(), recent.Items().rend());
  if (settings_.selections == newest_first) return;
  Change([&](Settings& s) { s.selections = newest_first; });
}

void SettingsStore::QuickSaved(const std::u16string& path) {
  if (on_quick_saved) on_quick_saved(path);
}

LocalTime SettingsStore::Now() {
  SYSTEMTIME t{};
  ::GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

}  // namespace capture::win32
