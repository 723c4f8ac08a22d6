// A library named like a system one (shcore.dll, gdiplus.dll, ...) that a stranger could put beside
// capture.exe. Loaded, it leaves a file named after itself with ".loaded" appended
// (shcore.dll.loaded) beside itself and refuses to load. It needs nothing but kernel32, so that
// nothing but the search order can keep it from loading.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  constexpr wchar_t kSuffix[] = L".loaded";
  wchar_t path[MAX_PATH + sizeof(kSuffix) / sizeof(wchar_t)] = {};
  const DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return FALSE;
  for (DWORD i = 0; i < sizeof(kSuffix) / sizeof(wchar_t); ++i) path[length + i] = kSuffix[i];
  const HANDLE marker = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
  return FALSE;
}
