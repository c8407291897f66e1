#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "tests/game_fixture.h"

namespace {

std::uint32_t Field(const std::string& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i)
    value = (value << 8) | static_cast<unsigned char>(bytes.at(at + static_cast<std::size_t>(i)));
  return value;
}

// The wave files the build made: the format the game ships, short, quiet enough never to clip, and
// silent at both ends so that nothing clicks. Which the package holds is the resources test's.
TEST(Waves, EveryEffectIsShortQuietAndFadedAtBothEnds) {
  const double belowOneDb = 32768 * std::pow(10, -1 / 20.0);
  EXPECT_FALSE(std::filesystem::is_empty(PYXARO_WAVE_DIR));
  for (const auto& file : std::filesystem::directory_iterator(PYXARO_WAVE_DIR)) {
    SCOPED_TRACE(file.path().string());
    const std::string bytes = pyxaro::testing::ReadAll(file.path());
    ASSERT_GE(bytes.size(), 46u);
    // PCM, mono, 44.1 kHz, 16 bit, and the data runs to the end.
    const std::uint32_t dataBytes = Field(bytes, 40, 4);
    ASSERT_EQ(std::tuple(bytes.substr(0, 4) + bytes.substr(8, 8) + bytes.substr(36, 4),
                         Field(bytes, 20, 2), Field(bytes, 22, 2), Field(bytes, 24, 4),
                         Field(bytes, 34, 2), bytes.size()),
              std::tuple("RIFFWAVEfmt data", 1u, 1u, 44100u, 16u, 44u + dataBytes));
    EXPECT_LT(dataBytes / 2 / 44100.0, 1.2);
    const auto sample = [&bytes](std::size_t at) {
      return std::abs(static_cast<std::int16_t>(Field(bytes, at, 2)));
    };
    int peak = 0;
    for (std::size_t at = 44; at < bytes.size(); at += 2) peak = std::max(peak, sample(at));
    EXPECT_TRUE(peak < belowOneDb && peak > belowOneDb / 8) << peak;  // heard, not a whisper
    // The first and the last quarter millisecond rise from and fall to silence.
    int ends = 0;
    for (std::size_t k = 0; k < 10; ++k)
      ends = std::max({ends, sample(44 + 2 * k), sample(bytes.size() - 2 - 2 * k)});
    EXPECT_LT(ends, peak / 20);
  }
}

}  // namespace
