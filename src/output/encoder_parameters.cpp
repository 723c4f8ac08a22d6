#include "output/encoder_parameters.h"

#include <stdexcept>

namespace capture {
namespace {

// The block is read by GDI+ in the same process, so values are stored little-endian, as every
// Windows processor stores them.
void Put(std::uint8_t* at, std::uint64_t value, std::size_t bytes) {
  for (std::size_t i = 0; i < bytes; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void PutGuid(std::uint8_t* at, const Guid& guid) {
  Put(at, guid.data1, 4);
  Put(at + 4, guid.data2, 2);
  Put(at + 6, guid.data3, 2);
  for (std::size_t i = 0; i < guid.data4.size(); ++i) at[8 + i] = guid.data4[i];
}

void CheckPointerSize(std::size_t pointer_size) {
  if (pointer_size != 4 && pointer_size != 8) {
    throw std::invalid_argument("pointer size must be 4 or 8");
  }
}

}  // namespace

// EncoderParameter is {GUID (16), ULONG NumberOfValues, ULONG Type, VOID* Value}: 28 bytes with
// 4-byte pointers, 32 with 8-byte ones. Its alignment is the pointer's, so with 8-byte pointers
// the UINT count before the first record is padded to 8 bytes.
std::size_t EncoderParametersHeaderSize(std::size_t pointer_size) {
  CheckPointerSize(pointer_size);
  return pointer_size;
}

std::size_t EncoderParameterRecordSize(std::size_t pointer_size) {
  CheckPointerSize(pointer_size);
  return 16 + 4 + 4 + pointer_size;
}

std::vector<std::uint8_t> BuildEncoderParameters(std::span<const EncoderParameter> parameters,
                                                 std::size_t pointer_size) {
  const std::size_t header = EncoderParametersHeaderSize(pointer_size);
  const std::size_t record = EncoderParameterRecordSize(pointer_size);
  const std::size_t records = parameters.empty() ? 1 : parameters.size();
  std::vector<std::uint8_t> block(header + records * record, 0);

  Put(block.data(), parameters.size(), 4);
  for (std::size_t i = 0; i < parameters.size(); ++i) {
    const EncoderParameter& p = parameters[i];
    if (pointer_size == 4 && p.value_address > 0xFFFFFFFFu) {
      throw std::invalid_argument("value address does not fit a 4-byte pointer");
    }
    std::uint8_t* at = block.data() + header + i * record;
    PutGuid(at, p.guid);
    Put(at + 16, 1, 4);
    Put(at + 20, kValueTypeLong, 4);
    Put(at + 24, p.value_address, pointer_size);
  }
  return block;
}

}  // namespace capture
