#include "pin/kept_pin.h"

#include <gtest/gtest.h>

#include "pin/pin_view.h"

namespace capture::pin {
namespace {

// A PNG's frame as an encoder writes it: the signature, a header chunk and the end chunk (the
// picture's own chunks do not matter to the record).
std::vector<std::uint8_t> SmallPng() {
  return {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',                       // signature
          0,    0,   0,   13,  'I',  'H',  'D',  'R',  0,    0,    0,    1,  // IHDR 1x1
          0,    0,   0,   1,   8,    2,    0,    0,    0,    0x90, 0x77, 0x53, 0xDE,
          0,    0,   0,   0,   'I',  'E',  'N',  'D',  0xAE, 0x42, 0x60, 0x82};
}

TEST(KeptPin, ARecordWrittenIntoAPngReadsBackAndTheFileStaysAPng) {
  const std::vector<std::uint8_t> png = SmallPng();
  for (const KeptPin& pin : {KeptPin{{-1024, 5}, 10, 20}, KeptPin{{300, 400}, 100, 100},
                             KeptPin{{2147483000, -2147483000}, 800, 70}}) {
    const std::vector<std::uint8_t> kept = WithPinRecord(png, pin);
    ASSERT_GT(kept.size(), png.size());
    EXPECT_EQ(PinRecordOf(kept), pin);
    // Everything the encoder wrote is still there, the end chunk still last.
    EXPECT_TRUE(std::equal(png.begin(), png.end() - 12, kept.begin()));
    EXPECT_TRUE(std::equal(png.end() - 12, png.end(), kept.end() - 12));
  }
  EXPECT_FALSE(PinRecordOf(png)) << "a PNG without a record is no pin";
}

// A file cut short, a flipped byte or a value the program never writes is no pin, never a
// crash or a pin in a wrong place.
TEST(KeptPin, ABadFileIsNoPin) {
  const std::vector<std::uint8_t> kept = WithPinRecord(SmallPng(), {{10, 20}, 150, 80});
  ASSERT_TRUE(PinRecordOf(kept));
  for (std::size_t size = 0; size < kept.size(); ++size) {
    EXPECT_FALSE(PinRecordOf(std::span(kept).first(size))) << "cut at " << size;
  }
  for (std::size_t at = SmallPng().size() - 12 + 8; at < kept.size() - 12; ++at) {
    std::vector<std::uint8_t> flipped = kept;
    flipped[at] ^= 0x04;
    EXPECT_FALSE(PinRecordOf(flipped)) << "flipped at " << at;
  }
  for (const KeptPin& never :
       {KeptPin{{0, 0}, 120, 100}, KeptPin{{0, 0}, 100, 10}, KeptPin{{0, 0}, 100, 101}}) {
    EXPECT_FALSE(PinRecordOf(WithPinRecord(SmallPng(), never)));
  }
  EXPECT_TRUE(WithPinRecord(std::vector<std::uint8_t>{'G', 'I', 'F'}, {}).empty());
  std::vector<std::uint8_t> no_end = SmallPng();
  no_end.resize(no_end.size() - 12);
  EXPECT_TRUE(WithPinRecord(no_end, {}).empty());
}

// Two monitors, the second left of the primary; a pin goes back where it was while any of it
// lies on one, else onto the primary as near as it fits.
TEST(KeptPin, APinGoesBackWhereItWasOnAMonitorThatIsStillThere) {
  const RectI primary{0, 0, 1280, 800}, left{-1024, 0, 0, 768};
  const std::vector<RectI> both{primary, left}, one{primary};
  const SizeI shown{200, 100};
  for (const auto& [was, monitors, now] :
       std::initializer_list<std::tuple<PointI, std::vector<RectI>, PointI>>{
           {{300, 400}, one, {300, 400}},
           {{-500, 100}, both, {-500, 100}},
           {{-199, 100}, one, {-199, 100}},  // a column of it is on the primary
           {{-200, 100}, one, {0, 100}},     // none of it: to the primary's nearest edge
           {{-700, 700}, one, {0, 700}},
           {{1500, 900}, one, {1080, 700}},
           {{-700, 700}, both, {-700, 700}},  // past the bottom of the left one, on it still
       }) {
    EXPECT_EQ(RestoredPlace({was, 100, 100}, shown, monitors, primary), now)
        << was.x << "," << was.y;
  }
  EXPECT_EQ(RestoredPlace({{-3000, 50}, 100, 100}, {2000, 900}, one, primary), (PointI{0, 0}))
      << "larger than the primary: its top-left on it";
}

TEST(KeptPin, APinViewKeepsAndTakesBackItsPlaceZoomAndOpacity) {
  PinView view({200, 100}, PointI{300, 400}, 96);
  view.Wheel(2 * kWheelNotch, false, {350, 420});
  view.Wheel(-3 * kWheelNotch, true, {});
  const KeptPin kept = view.Kept();
  EXPECT_EQ(kept.zoom, 200);
  EXPECT_EQ(kept.opacity, 70);
  const PinView again({200, 100}, kept, kept.top_left, 144);
  EXPECT_EQ(again.PictureRect(), view.PictureRect());
  EXPECT_EQ(again.opacity(), 70);
  EXPECT_EQ(again.zoom(), 200);

  // A zoom the system could not show comes back at 100 %.
  const PinView large({4000, 10}, KeptPin{{0, 0}, 800, 100}, {0, 0}, 96);
  EXPECT_EQ(large.zoom(), 100);
}

TEST(KeptPin, NamesSayWhenWhoAndWhich) {
  EXPECT_EQ(KeptPinName({2026, 1, 2, 3, 4, 5}, 1234, 7), u"pin-20260102-030405-1234-0007.png");
  EXPECT_NE(KeptPinName({2026, 1, 2, 3, 4, 5}, 1234, 7),
            KeptPinName({2026, 1, 2, 3, 4, 5}, 1234, 8));
  EXPECT_NE(KeptPinName({2026, 1, 2, 3, 4, 5}, 1234, 7),
            KeptPinName({2026, 1, 2, 3, 4, 5}, 1235, 7));
}

}  // namespace
}  // namespace capture::pin
