#include "output/bmp_writer.h"

#include <gtest/gtest.h>

#include <climits>

namespace capture {
namespace {

std::uint32_t Read(const std::vector<std::uint8_t>& b, std::size_t at, std::size_t bytes) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < bytes; ++i) v |= std::uint32_t{b.at(at + i)} << (8 * i);
  return v;
}

TEST(BmpWriterTest, Headers_DescribeA24BitBottomUpFileOfThePicturesSize) {
  const Picture picture(3, 2);

  const auto file = EncodeBmp(picture);

  const std::size_t stride = 12;  // 3 pixels * 3 bytes, padded to 4
  ASSERT_EQ(file.size(), 54 + stride * 2);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(Read(file, 2, 4), file.size());
  EXPECT_EQ(Read(file, 6, 4), 0u);
  EXPECT_EQ(Read(file, 10, 4), 54u);
  EXPECT_EQ(Read(file, 14, 4), 40u);
  EXPECT_EQ(Read(file, 18, 4), 3u);
  EXPECT_EQ(Read(file, 22, 4), 2u);  // positive height: bottom-up
  EXPECT_EQ(Read(file, 26, 2), 1u);
  EXPECT_EQ(Read(file, 28, 2), 24u);
  EXPECT_EQ(Read(file, 30, 4), 0u);  // BI_RGB
  EXPECT_EQ(Read(file, 34, 4), stride * 2);
  EXPECT_EQ(Read(file, 46, 4), 0u);  // no colour table
}

TEST(BmpWriterTest, Rows_AreWrittenBottomUpAsBlueGreenRedWithZeroPadding) {
  Picture picture(3, 2);
  picture.at(0, 0) = 0x112233;  // top-left
  picture.at(2, 0) = 0x445566;
  picture.at(0, 1) = 0xA1B2C3;  // bottom-left
  picture.at(2, 1) = 0xD4E5F6;

  const auto file = EncodeBmp(picture);

  const std::vector<std::uint8_t> bottom(file.begin() + 54, file.begin() + 66);
  const std::vector<std::uint8_t> top(file.begin() + 66, file.begin() + 78);
  EXPECT_EQ(bottom,
            (std::vector<std::uint8_t>{0xC3, 0xB2, 0xA1, 0, 0, 0, 0xF6, 0xE5, 0xD4, 0, 0, 0}));
  EXPECT_EQ(top, (std::vector<std::uint8_t>{0x33, 0x22, 0x11, 0, 0, 0, 0x66, 0x55, 0x44, 0, 0, 0}));
}

TEST(BmpWriterTest, FileSize_IsRefusedWhenItDoesNotFitThe32BitSizeFields) {
  EXPECT_EQ(BmpFileSize(3, 2), 54u + 12 * 2);
  // 65536 pixels make rows of 196608 bytes: 21845 of them fit under 2^32 bytes, 21846 do not.
  EXPECT_EQ(BmpFileSize(65536, 21845), 54u + 196608u * 21845);
  EXPECT_EQ(BmpFileSize(65536, 21846), std::nullopt);
  EXPECT_EQ(BmpFileSize(INT_MAX, INT_MAX), std::nullopt);
}

}  // namespace
}  // namespace capture
