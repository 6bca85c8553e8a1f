// The two blips, synthesised and written as WAV files of 44.1 kHz 16-bit stereo PCM: the mixer's
// own format, so nothing is converted when the game loads them.

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "assets.h"
#include "core/sound_format.h"

namespace {

constexpr int kSampleRate = kAudioRate;
constexpr int kChannels = kAudioChannels;
constexpr int kBytesPerSample = 2;
constexpr int kAttackFrames = kSampleRate * 2 / 1000;  // 2 ms fade-in avoids a click

enum class Wave { kSquare, kTriangle };

struct Blip {
  int frequency_hz;
  int duration_ms;
  int peak;
  Wave wave;
};

// Square waves sound louder than triangles at the same peak, hence the lower peak.
constexpr Blip kLeftBlip = {880, 40, 10000, Wave::kSquare};
constexpr Blip kRightBlip = {480, 60, 12000, Wave::kTriangle};

// One cycle of the waveform, phase as a 32-bit fraction of a turn, result in [-32767, 32767].
int wave_value(Wave wave, Uint32 phase) {
  if (wave == Wave::kSquare) return (phase & 0x80000000u) ? -32767 : 32767;
  const int p = static_cast<int>(phase >> 16);  // 0..65535
  return p < 32768 ? 2 * p - 32767 : 98303 - 2 * p;
}

// Envelope in 1/65536ths: linear attack, then a quadratic fall that reaches zero on the last
// frame, which sounds like a natural decay and ends without a click.
constexpr std::int64_t kEnvelopeOne = 65536;

std::int64_t envelope(int frame, int frames) {
  if (frame < kAttackFrames) return kEnvelopeOne * frame / kAttackFrames;
  const std::int64_t decay = frames - kAttackFrames;
  const std::int64_t left = frames - 1 - frame;
  return kEnvelopeOne * left * left / (decay * decay);
}

std::vector<std::int16_t> synthesize(const Blip& blip) {
  const int frames = kSampleRate * blip.duration_ms / 1000;
  const Uint32 step =
      static_cast<Uint32>((static_cast<std::uint64_t>(blip.frequency_hz) << 32) / kSampleRate);
  // Start the triangle at its zero crossing (a quarter turn in) rather than at its trough.
  Uint32 phase = blip.wave == Wave::kTriangle ? 0x40000000u : 0;
  std::vector<std::int16_t> samples;
  samples.reserve(frames);
  for (int i = 0; i < frames; ++i) {
    const std::int64_t value = static_cast<std::int64_t>(wave_value(blip.wave, phase)) * blip.peak /
                               32767 * envelope(i, frames) / kEnvelopeOne;
    samples.push_back(static_cast<std::int16_t>(value));
    phase += step;
  }
  return samples;
}

void put_tag(std::vector<Uint8>& out, const char* tag) {
  out.insert(out.end(), tag, tag + 4);
}

void put_le16(std::vector<Uint8>& out, unsigned value) {
  out.push_back(static_cast<Uint8>(value & 0xFF));
  out.push_back(static_cast<Uint8>((value >> 8) & 0xFF));
}

void put_le32(std::vector<Uint8>& out, std::uint32_t value) {
  put_le16(out, value & 0xFFFF);
  put_le16(out, value >> 16);
}

// A canonical 44-byte RIFF/WAVE header followed by the frames, each mono sample on both channels.
std::vector<Uint8> encode_wav(const std::vector<std::int16_t>& samples) {
  constexpr unsigned kBlockAlign = kChannels * kBytesPerSample;
  const std::uint32_t data_size = static_cast<std::uint32_t>(samples.size() * kBlockAlign);
  std::vector<Uint8> out;
  put_tag(out, "RIFF");
  put_le32(out, 36 + data_size);
  put_tag(out, "WAVE");
  put_tag(out, "fmt ");
  put_le32(out, 16);  // size of the fmt chunk
  put_le16(out, 1);   // PCM
  put_le16(out, kChannels);
  put_le32(out, kSampleRate);
  put_le32(out, kSampleRate * kBlockAlign);
  put_le16(out, kBlockAlign);
  put_le16(out, kBytesPerSample * 8);
  put_tag(out, "data");
  put_le32(out, data_size);
  for (std::int16_t sample : samples) {
    for (int channel = 0; channel < kChannels; ++channel) {
      put_le16(out, static_cast<std::uint16_t>(sample));
    }
  }
  return out;
}

bool save_sound(const Blip& blip, const std::string& path) {
  const std::vector<Uint8> bytes = encode_wav(synthesize(blip));
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return fail(path, std::strerror(errno));
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) return fail(path, "write error");
  return true;
}

}  // namespace

bool make_sounds(const std::string& dir) {
  return save_sound(kLeftBlip, dir + "/p1_blip.wav") &&
         save_sound(kRightBlip, dir + "/p2_blip.wav");
}
