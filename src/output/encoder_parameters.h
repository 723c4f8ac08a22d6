// The GDI+ EncoderParameters block, built byte by byte for a given pointer size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/gdiplus.h"

namespace capture {

// One encoder parameter with a single 32-bit value (EncoderParameterValueTypeLong) that lives at
// `value_address` in the process the block is built for.
struct EncoderParameter {
  Guid guid;
  std::uint64_t value_address = 0;
};

inline constexpr std::uint32_t kValueTypeLong = 4;

// Lays the parameters out as GDI+'s EncoderParameters in a zero-filled block, for a process whose
// pointers are `pointer_size` bytes (4 or 8): the count field, then one record per parameter
// (GUID, NumberOfValues 1, type 4, value pointer), aligned as that process's compiler aligns
// them. With no parameters the block still holds one zeroed record. Throws std::invalid_argument
// for another pointer size, or an address that does not fit it.
std::vector<std::uint8_t> BuildEncoderParameters(std::span<const EncoderParameter> parameters,
                                                 std::size_t pointer_size);

// Where the records start, and each record's size, in a block for that pointer size.
std::size_t EncoderParametersHeaderSize(std::size_t pointer_size);
std::size_t EncoderParameterRecordSize(std::size_t pointer_size);

}  // namespace capture
