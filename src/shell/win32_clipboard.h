// The system clipboard: a picture goes on it as a bitmap (CF_BITMAP) and as the registered format
// "PNG", which browsers, chat programs and office suites read first. The PNG is made only when a
// program asks for it, or when this object ends while the clipboard still holds the picture, so
// that the copy itself takes no longer than the bitmap's and a program that exits right after it
// still leaves a PNG behind.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/picture_rows.h"
#include "platform/platform.h"
#include "shell/handles.h"

namespace capture::win32 {

class Win32Clipboard : public Clipboard {
 public:
  Win32Clipboard() = default;
  // Makes the PNG still owed (WM_RENDERALLFORMATS, when its window goes).
  ~Win32Clipboard() override;
  Win32Clipboard(const Win32Clipboard&) = delete;
  Win32Clipboard& operator=(const Win32Clipboard&) = delete;

  bool PutBitmap(const Picture& picture) override;
  // The same for a picture given row by row: the bitmap is filled a band at a time, with no
  // whole copy of the picture besides the bitmap itself.
  bool PutBitmap(const PictureRows& picture) override;
  // The clipboard's bitmap, or nothing when it holds none.
  std::optional<Picture> GetBitmap();
  // Ours when the clipboard's sequence number is the one read right after our put, and the
  // clipboard still holds the token that put left in a format of the program's own.
  bool EmptyIfStillOurs() override;
  bool StillOurs() override;
  bool PutText(std::u16string_view text) override;
  // The clipboard's text, or nothing when it holds none.
  std::optional<std::u16string> GetText();

 private:
  using Token = std::array<std::uint32_t, 4>;
  struct Ours {
    std::uint32_t sequence = 0;
    Token token{};
  };

  // The test of both: whether the open clipboard still holds our last put.
  bool OpenHoldsOurs() const;
  // The window that owns the clipboard after a put of a picture and is asked for its PNG, made on
  // first use; null when it cannot be made (the picture then goes without its PNG).
  HWND Owner();
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  // Hands the clipboard the PNG of the bitmap it holds from our last put of a picture.
  void RenderPng();
  // Makes the PNG still owed and hands it over, on a thread of its own while this one answers
  // what is sent to the owner window; nothing when none is owed.
  void FinishPng();

  // The PNG being made by FinishPng's thread.
  struct Finishing {
    KernelObject done;  // set once `png` is made (or failed)
    GlobalMemory png;
  };

  OwnedWindow window_;
  HBITMAP offered_ = nullptr;       // not owned: the clipboard's bitmap whose PNG is still owed
  Finishing* finishing_ = nullptr;  // not owned: FinishPng's, while it runs

  std::optional<Ours> ours_;
  std::uint32_t puts_ = 0;
};

}  // namespace capture::win32
