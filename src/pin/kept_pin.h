// A pin kept over a quit: its picture as a PNG file that also holds, in a text chunk of its own,
// where the pin stood, its zoom and its opacity. Any viewer opens the file as the picture; the
// resident program's next start shows the pin again from it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/save_memory.h"
#include "platform/types.h"

namespace capture::pin {

struct KeptPin {
  PointI top_left;  // the picture's on the screen, at its zoom
  int zoom = 100;   // one of kZoomSteps
  int opacity = 100;
  friend bool operator==(const KeptPin&, const KeptPin&) = default;
};

// The PNG's bytes with the pin's record added before the end of the picture; empty when `png`
// is no PNG (its signature, or no end chunk).
std::vector<std::uint8_t> WithPinRecord(std::span<const std::uint8_t> png, const KeptPin& pin);
// The pin's record in the PNG; nothing when the bytes are no PNG of a pin: the signature, a
// chunk that runs past the end, the record's checksum or one of its values not what was written.
std::optional<KeptPin> PinRecordOf(std::span<const std::uint8_t> png);

// Where a kept pin's picture of `shown` pixels (at its zoom) goes at a start: where it was when
// any of it lies on one of the `monitors`, else on the `primary` monitor as near to where it was
// as it fits (its top-left on the monitor when it is larger).
PointI RestoredPlace(const KeptPin& pin, SizeI shown, const std::vector<RectI>& monitors,
                     const RectI& primary);

// The name of a kept pin's file, one no other pin has: the time it was kept, the process that
// kept it and its place among that process's pins ("pin-20260101-120000-1234-1.png").
std::u16string KeptPinName(const LocalTime& now, std::uint32_t process, int index);

}  // namespace capture::pin
