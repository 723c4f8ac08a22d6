#include "output/encoder_parameters.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

namespace capture {
namespace {

// EncoderQuality {1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB} as it lies in memory.
const Guid kQuality{0x1D5BE4B5, 0xFA4A, 0x452D, {0x9C, 0xDD, 0x5D, 0xB3, 0x51, 0x05, 0xE7, 0xEB}};
const std::vector<std::uint8_t> kQualityBytes{0xB5, 0xE4, 0x5B, 0x1D, 0x4A, 0xFA, 0x2D, 0x45,
                                              0x9C, 0xDD, 0x5D, 0xB3, 0x51, 0x05, 0xE7, 0xEB};
const Guid kCompression{
    0xE09D739D, 0xCCD4, 0x44EE, {0x8E, 0xBA, 0x3F, 0xBF, 0x8B, 0xE4, 0xFC, 0x58}};
const Guid kColorDepth{
    0x66087055, 0xAD66, 0x4C7C, {0x9A, 0x18, 0x38, 0xA2, 0x31, 0x0B, 0x83, 0x37}};

std::uint64_t Read(const std::vector<std::uint8_t>& block, std::size_t at, std::size_t bytes) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < bytes; ++i) value |= std::uint64_t{block.at(at + i)} << (8 * i);
  return value;
}

std::vector<std::uint8_t> Bytes(const std::vector<std::uint8_t>& block, std::size_t at,
                                std::size_t n) {
  return {block.begin() + static_cast<std::ptrdiff_t>(at),
          block.begin() + static_cast<std::ptrdiff_t>(at + n)};
}

TEST(EncoderParametersTest, Quality_In32BitProcess_Is32BytesWithOnePackedRecord) {
  const EncoderParameter quality{kQuality, 0x0040'1234};

  const auto block = BuildEncoderParameters({&quality, 1}, 4);

  ASSERT_EQ(block.size(), 32u);
  EXPECT_EQ(Read(block, 0, 4), 1u);
  EXPECT_EQ(Bytes(block, 4, 16), kQualityBytes);
  EXPECT_EQ(Read(block, 20, 4), 1u);  // NumberOfValues
  EXPECT_EQ(Read(block, 24, 4), 4u);  // EncoderParameterValueTypeLong
  EXPECT_EQ(Read(block, 28, 4), 0x0040'1234u);
}

TEST(EncoderParametersTest, Quality_In64BitProcess_PadsTheCountAndAlignsThePointer) {
  const EncoderParameter quality{kQuality, 0x0000'7FF6'1234'5678};

  const auto block = BuildEncoderParameters({&quality, 1}, 8);

  ASSERT_EQ(block.size(), 40u);
  EXPECT_EQ(Read(block, 0, 8), 1u);  // count, then 4 bytes of padding
  EXPECT_EQ(Bytes(block, 8, 16), kQualityBytes);
  EXPECT_EQ(Read(block, 24, 4), 1u);
  EXPECT_EQ(Read(block, 28, 4), 4u);
  EXPECT_EQ(Read(block, 32, 8), 0x0000'7FF6'1234'5678u);
}

TEST(EncoderParametersTest, Tiff_HasTwoRecordsInOrderForBothPointerSizes) {
  const std::vector<EncoderParameter> tiff{{kCompression, 0x1000}, {kColorDepth, 0x2000}};

  const auto small = BuildEncoderParameters(tiff, 4);
  const auto large = BuildEncoderParameters(tiff, 8);

  ASSERT_EQ(small.size(), 60u);
  EXPECT_EQ(Read(small, 0, 4), 2u);
  EXPECT_EQ(Read(small, 4, 4), 0xE09D739Du);
  EXPECT_EQ(Read(small, 28, 4), 0x1000u);
  EXPECT_EQ(Read(small, 32, 4), 0x66087055u);
  EXPECT_EQ(Read(small, 48, 4), 1u);
  EXPECT_EQ(Read(small, 52, 4), 4u);
  EXPECT_EQ(Read(small, 56, 4), 0x2000u);

  ASSERT_EQ(large.size(), 72u);
  EXPECT_EQ(Read(large, 0, 8), 2u);
  EXPECT_EQ(Read(large, 8, 4), 0xE09D739Du);
  EXPECT_EQ(Read(large, 32, 8), 0x1000u);
  EXPECT_EQ(Read(large, 40, 4), 0x66087055u);
  EXPECT_EQ(Read(large, 56, 4), 1u);
  EXPECT_EQ(Read(large, 60, 4), 4u);
  EXPECT_EQ(Read(large, 64, 8), 0x2000u);
}

TEST(EncoderParametersTest, NoParameters_IsOneZeroedRecordWithCountZero) {
  EXPECT_EQ(BuildEncoderParameters({}, 4), std::vector<std::uint8_t>(32, 0));
  EXPECT_EQ(BuildEncoderParameters({}, 8), std::vector<std::uint8_t>(40, 0));
}

TEST(EncoderParametersTest, NativeBlock_PointsAtTheCallersValues) {
  const std::int32_t compression = 6, depth = 24;
  const std::vector<EncoderParameter> tiff{
      {kCompression, reinterpret_cast<std::uintptr_t>(&compression)},
      {kColorDepth, reinterpret_cast<std::uintptr_t>(&depth)}};

  const auto block = BuildEncoderParameters(tiff, sizeof(void*));

  const std::size_t header = EncoderParametersHeaderSize(sizeof(void*));
  const std::size_t record = EncoderParameterRecordSize(sizeof(void*));
  const std::int32_t* first = nullptr;
  const std::int32_t* second = nullptr;
  std::memcpy(&first, block.data() + header + 24, sizeof first);
  std::memcpy(&second, block.data() + header + record + 24, sizeof second);
  EXPECT_EQ(*first, 6);
  EXPECT_EQ(*second, 24);
}

TEST(EncoderParametersTest, AddressBeyond32Bits_IsRefusedForA32BitBlock) {
  const EncoderParameter far{kQuality, 0x1'0000'0000};
  EXPECT_THROW(BuildEncoderParameters({&far, 1}, 4), std::invalid_argument);
  EXPECT_THROW(BuildEncoderParameters({}, 2), std::invalid_argument);
}

}  // namespace
}  // namespace capture
