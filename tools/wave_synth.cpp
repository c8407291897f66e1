// Synthesises the game's nine sound effects as wave files (PCM, 16 bit,
// 44.1 kHz, mono) into the folder given as the only argument. Everything is
// computed from fixed numbers and a fixed noise seed, so every build makes
// the same bytes.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "settings/sound.h"

namespace {

constexpr int kRate = 44100;
constexpr double kTau = 2 * std::numbers::pi;

using Samples = std::vector<double>;

// Deterministic noise in [-1, 1).
class Noise {
 public:
  double Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return static_cast<double>(state_ >> 11) / 4503599627370496.0 - 1.0;
  }
  double Between(double low, double high) { return low + (high - low) * (Next() + 1) / 2; }

 private:
  std::uint64_t state_ = 0x9E3779B97F4A7C15ull;
};

Samples Silence(double seconds) { return Samples(static_cast<std::size_t>(seconds * kRate), 0.0); }

double Time(std::size_t i) { return static_cast<double>(i) / kRate; }

// Adds a tone from `start` whose frequency and amplitude follow the given
// curves of the time since its start; the phase is integrated, so glides
// stay smooth.
void AddTone(Samples& out, double start, const std::function<double(double)>& frequency,
             const std::function<double(double)>& amplitude) {
  double phase = 0;
  for (auto i = static_cast<std::size_t>(start * kRate); i < out.size(); ++i) {
    const double t = Time(i) - start;
    out[i] += amplitude(t) * std::sin(phase);
    phase += kTau * frequency(t) / kRate;
  }
}

// A struck tone: a short attack, then an exponential decay.
void AddStruck(Samples& out, double start, double frequency, double level, double decay,
               double attack = 0.002) {
  AddTone(
      out, start, [=](double) { return frequency; },
      [=](double t) { return level * std::min(1.0, t / attack) * std::exp(-t / decay); });
}

// A bell-like note: the fundamental with a few softer, quicker partials.
void AddBell(Samples& out, double start, double frequency, double level, double decay) {
  AddStruck(out, start, frequency, level, decay);
  AddStruck(out, start, frequency * 2.0, level * 0.30, decay * 0.5);
  AddStruck(out, start, frequency * 3.0, level * 0.12, decay * 0.3);
  AddStruck(out, start, frequency * 4.2, level * 0.05, decay * 0.2);
}

// A brass-like note: harmonics that brighten during the attack, a gentle
// vibrato once the note is held, and a soft release at `length`.
void AddBrass(Samples& out, double start, double frequency, double level, double length) {
  for (int n = 1; n <= 10; ++n) {
    AddTone(
        out, start,
        [=](double t) {
          const double vibrato = t > 0.15 ? 0.006 * std::sin(kTau * 5.5 * (t - 0.15)) : 0.0;
          return n * frequency * (1 + vibrato);
        },
        [=](double t) {
          const double fade = length < 0.2 ? 0.04 : 0.12;
          if (t > length + fade) return 0.0;
          const double brightness = 0.45 + 0.9 * std::exp(-t / 0.03);
          const double attack = std::min(1.0, t / 0.025);
          const double release = t > length ? 1 - (t - length) / fade : 1.0;
          return level / n * std::exp(-(n - 1) * brightness) * attack * release;
        });
  }
}

// One impact of a die: a hard click of the die's own resonances over a
// short burst of softened noise, and the dull thump of the table under it.
struct Die {
  double modes[3];
  double thump;
};

void AddImpact(Samples& out, const Die& die, double start, double level, Noise& noise) {
  for (const double mode : die.modes) {
    AddStruck(out, start, mode * noise.Between(0.98, 1.02), level * 0.3,
              noise.Between(0.004, 0.008), 0.0005);
  }
  AddStruck(out, start, die.thump, level * 0.45, 0.018, 0.001);
  double smooth = 0;
  const auto first = static_cast<std::size_t>(start * kRate);
  for (std::size_t i = first; i < std::min(out.size(), first + kRate / 100); ++i) {
    smooth += 0.5 * (noise.Next() - smooth);
    out[i] += level * 0.5 * smooth * std::exp(-(Time(i) - start) / 0.0015);
  }
}

Samples Dice() {
  Samples out = Silence(0.45);
  Noise noise;
  for (int k = 0; k < 6; ++k) {
    const Die die{{noise.Between(2200, 3000), noise.Between(3300, 4300), noise.Between(4800, 6200)},
                  noise.Between(150, 220)};
    double at = noise.Between(0.005, 0.09);
    double gap = noise.Between(0.06, 0.1);
    double level = noise.Between(0.6, 1.0);
    for (int bounce = 0; bounce < 6 && at < 0.38; ++bounce) {
      AddImpact(out, die, at, level, noise);
      at += gap;
      gap *= noise.Between(0.6, 0.75);
      level *= 0.6;
    }
  }
  return out;
}

Samples Points() {
  Samples out = Silence(0.5);
  AddBell(out, 0.0, 1046.5, 0.8, 0.14);   // C6
  AddBell(out, 0.11, 1568.0, 0.8, 0.18);  // G6
  return out;
}

Samples Bonus() {
  Samples out = Silence(0.75);
  const double notes[] = {523.25, 659.25, 783.99, 1046.5, 1318.5};  // C5 E5 G5 C6 E6
  for (int k = 0; k < 5; ++k) {
    AddStruck(out, 0.085 * k, notes[k], 0.6, k == 4 ? 0.3 : 0.2);
    AddStruck(out, 0.085 * k, notes[k] * 4, 0.12, 0.03);
  }
  return out;
}

// A voice gliding up from "oo" to "ah": harmonics of the voice weighted by
// two moving resonances of the mouth.
Samples Whoop() {
  Samples out = Silence(0.55);
  const auto pitch = [](double t) {
    const double rise = 1 - std::exp(-t / 0.07);
    return (280 + 440 * rise - 90 * std::max(0.0, t - 0.25)) * (1 + 0.02 * std::sin(kTau * 6 * t));
  };
  const auto envelope = [](double t) {
    return std::min(1.0, t / 0.04) * std::clamp((0.55 - t) / 0.15, 0.0, 1.0);
  };
  for (int n = 1; n <= 14; ++n) {
    AddTone(
        out, 0, [=](double t) { return n * pitch(t); },
        [=](double t) {
          const double open = std::min(1.0, t / 0.2);
          const double f = n * pitch(t);
          const double f1 = 320 + 430 * open, f2 = 870 + 350 * open;
          const double formants =
              1 / (1 + std::pow((f - f1) / 120, 2)) + 0.6 / (1 + std::pow((f - f2) / 160, 2));
          return envelope(t) * formants / n;
        });
  }
  return out;
}

Samples Fanfare() {
  Samples out = Silence(1.0);
  AddBrass(out, 0.00, 392.00, 0.8, 0.07);  // G4
  AddBrass(out, 0.11, 523.25, 0.8, 0.07);  // C5
  AddBrass(out, 0.22, 659.25, 0.8, 0.07);  // E5
  // G5 over C5 and E5, held.
  for (const double note : {523.25, 659.25, 783.99}) AddBrass(out, 0.33, note, 0.35, 0.5);
  return out;
}

Samples Laser() {
  Samples out = Silence(0.35);
  const auto sweep = [](double t) { return 1800 * std::pow(130.0 / 1800, t / 0.35); };
  const auto envelope = [](double t) { return std::min(1.0, t / 0.004) * (1 - t / 0.35); };
  AddTone(out, 0, sweep, envelope);
  AddTone(
      out, 0, [&](double t) { return 3 * sweep(t); }, [&](double t) { return 0.3 * envelope(t); });
  return out;
}

Samples Beep() {
  Samples out = Silence(0.15);
  const auto envelope = [](double t) {
    return std::min({1.0, t / 0.005, std::max(0.0, (0.15 - t) / 0.03)});
  };
  AddTone(
      out, 0, [](double) { return 880.0; }, envelope);
  AddTone(
      out, 0, [](double) { return 1760.0; }, [&](double t) { return 0.08 * envelope(t); });
  return out;
}

Samples Pop() {
  Samples out = Silence(0.09);
  AddTone(
      out, 0, [](double t) { return 250 + 650 * std::exp(-t / 0.012); },
      [](double t) { return std::min(1.0, t / 0.0015) * std::exp(-t / 0.018); });
  return out;
}

Samples Doink() {
  Samples out = Silence(0.25);
  AddTone(
      out, 0, [](double t) { return 145 + 75 * std::exp(-t / 0.03); },
      [](double t) { return std::min(1.0, t / 0.002) * std::exp(-t / 0.06); });
  AddTone(
      out, 0, [](double t) { return 2 * (145 + 75 * std::exp(-t / 0.03)); },
      [](double t) { return 0.35 * std::min(1.0, t / 0.002) * std::exp(-t / 0.035); });
  AddStruck(out, 0, 410, 0.3, 0.015);
  return out;
}

// Scales the sound to its peak level and fades both ends, so the file
// starts and stops at silence.
std::vector<std::int16_t> Finish(Samples samples, double peakDb) {
  const std::size_t fadeIn = kRate / 500, fadeOut = kRate / 60;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const std::size_t fromEnd = samples.size() - 1 - i;
    const double in = std::min(1.0, static_cast<double>(i) / fadeIn);
    const double out = std::min(1.0, static_cast<double>(fromEnd) / fadeOut);
    samples[i] *= std::sin(in * kTau / 4) * std::sin(out * kTau / 4);
  }
  double peak = 1e-9;
  for (const double s : samples) peak = std::max(peak, std::abs(s));
  const double gain = std::pow(10, peakDb / 20) / peak;
  std::vector<std::int16_t> pcm;
  pcm.reserve(samples.size());
  for (const double s : samples)
    pcm.push_back(static_cast<std::int16_t>(std::lround(s * gain * 32767)));
  return pcm;
}

void Put(std::string& bytes, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

bool WriteWave(const std::string& path, const std::vector<std::int16_t>& pcm) {
  const auto dataBytes = static_cast<std::uint32_t>(pcm.size() * 2);
  std::string bytes = "RIFF";
  Put(bytes, 36 + dataBytes, 4);
  bytes += "WAVEfmt ";
  Put(bytes, 16, 4);
  Put(bytes, 1, 2);  // PCM
  Put(bytes, 1, 2);  // mono
  Put(bytes, kRate, 4);
  Put(bytes, kRate * 2, 4);
  Put(bytes, 2, 2);
  Put(bytes, 16, 2);
  bytes += "data";
  Put(bytes, dataBytes, 4);
  for (const std::int16_t s : pcm) Put(bytes, static_cast<std::uint16_t>(s), 2);
  std::ofstream out(path, std::ios::binary);
  return static_cast<bool>(out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())));
}

struct Effect {
  pyxaro::Wave wave;
  Samples (*make)();
  double peakDb;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s output-folder\n", argv[0]);
    return 2;
  }
  using pyxaro::Wave;
  constexpr Effect effects[] = {
      {Wave::Dice, Dice, -3},   {Wave::Points, Points, -4}, {Wave::Bonus, Bonus, -4},
      {Wave::Yahoo, Whoop, -5}, {Wave::Yatzy, Fanfare, -3}, {Wave::Laser, Laser, -6},
      {Wave::Beep, Beep, -8},   {Wave::Pop, Pop, -5},       {Wave::Doink, Doink, -3},
  };
  static_assert(std::size(effects) == pyxaro::kWaveFiles.size(), "every wave is synthesised");
  for (const Effect& effect : effects) {
    const std::string path = std::string(argv[1]) + "/" + pyxaro::WaveFile(effect.wave);
    if (!WriteWave(path, Finish(effect.make(), effect.peakDb))) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
