#include "shell/settings_store.h"

#include <windows.h>

#include <optional>
#include <span>

#include "output/save_dialog.h"
#include "output/temporary_file.h"
#include "shell/handles.h"
#include "shell/known_folders.h"
#include "shell/system_settings.h"
#include "shell/text.h"

namespace capture::win32 {
namespace {

constexpr char16_t kFileName[] = u"capture.ini";

// The file's bytes: none when it is missing; nothing when it is there but cannot be read (an
// editor may hold it), which must not be taken for a missing file.
std::optional<std::string> ReadFileBytes(const std::u16string& path) {
  const HANDLE opened = ::CreateFileW(Wide(ExtendedLengthPath(path)).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::string();
    return std::nullopt;
  }
  const KernelObject file(opened);
  LARGE_INTEGER size{};
  // Far more than any settings file: a larger one is no settings file of ours.
  constexpr LONGLONG kLargest = 1 << 20;
  if (!::GetFileSizeEx(opened, &size) || size.QuadPart > kLargest) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD done = 0;
  if (!::ReadFile(opened, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr)) {
    return std::nullopt;
  }
  bytes.resize(done);
  return bytes;
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
  bytes_ = ReadFileBytes(path_).value_or(std::string());
  ReadSettings read = ParseSettings(bytes_);
  problems_ = Problems(read);
  settings_ = std::move(read.settings);
}

bool SettingsStore::Reload() {
  std::optional<std::string> bytes = ReadFileBytes(path_);
  if (!bytes || *bytes == bytes_) return false;
  bytes_ = std::move(*bytes);
  ReadSettings read = ParseSettings(bytes_);
  problems_ = Problems(read);
  settings_ = std::move(read.settings);
  return true;
}

FileResult SettingsStore::CreateIfMissing() {
  if (files_.Exists(path_)) return std::nullopt;
  if (FileResult error = files_.MakeFolders(FolderOf(path_))) return error;
  bytes_ = SettingsFileText(settings_);
  return WriteFileAtomically(files_, path_, Bytes(bytes_));
}

FileResult SettingsStore::Change(const std::function<void(Settings&)>& change) {
  const std::optional<std::string> read = ReadFileBytes(path_);
  if (!read) return FileError{ERROR_SHARING_VIOLATION, u"无法读取设置文件"};
  const std::string& now = *read;
  Settings changed = ParseSettings(now).settings;
  change(changed);
  const std::string bytes =
      now.empty() ? SettingsFileText(changed) : UpdatedSettingsText(now, changed);
  settings_ = changed;
  if (bytes == now) return std::nullopt;  // written only when something changes
  if (FileResult error = files_.MakeFolders(FolderOf(path_))) return error;
  if (FileResult error = WriteFileAtomically(files_, path_, Bytes(bytes))) return error;
  bytes_ = bytes;
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
