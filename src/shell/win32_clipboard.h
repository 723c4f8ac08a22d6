// The system clipboard with bitmaps in CF_BITMAP, owned by the desktop window as the program's
// clipboard copies always have been.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace capture::win32 {

class Win32Clipboard : public Clipboard {
 public:
  bool PutBitmap(const Picture& picture) override;
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

  std::optional<Ours> ours_;
  std::uint32_t puts_ = 0;
};

}  // namespace capture::win32
