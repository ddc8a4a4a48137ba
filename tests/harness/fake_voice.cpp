#include "fake_voice.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "runtime/app.h"
#include "runtime/files.h"

namespace {

std::shared_ptr<FakeSpeech> g_fake;

void put16(std::string& out, unsigned v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void put32(std::string& out, uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}
unsigned get16(const std::string& s, size_t at) {
  return static_cast<unsigned char>(s[at]) | static_cast<unsigned char>(s[at + 1]) << 8;
}
uint32_t get32(const std::string& s, size_t at) { return get16(s, at) | static_cast<uint32_t>(get16(s, at + 2)) << 16; }

// 16-bit mono PCM at 16 kHz: a short silence per character.
std::string wav_bytes(size_t characters) {
  const uint32_t rate = 16000, samples = static_cast<uint32_t>(std::min<size_t>(characters, 2000) * 160);
  const uint32_t data = samples * 2;
  std::string w = "RIFF";
  put32(w, 36 + data);
  w += "WAVEfmt ";
  put32(w, 16);
  put16(w, 1);  // PCM
  put16(w, 1);  // mono
  put32(w, rate);
  put32(w, rate * 2);
  put16(w, 2);
  put16(w, 16);
  w += "data";
  put32(w, data);
  w.append(data, '\0');
  return w;
}

class FakeVoice final : public rt::SpeechVoice {
 public:
  explicit FakeVoice(std::shared_ptr<FakeSpeech> s) : s_(std::move(s)) {}

  bool exists() override { return !s_->installed.empty(); }
  std::vector<std::string> voices() override { return s_->installed; }
  bool set_voice(std::string_view name) override {
    if (!name.empty() && std::find(s_->installed.begin(), s_->installed.end(), name) == s_->installed.end())
      return false;
    s_->voice = std::string(name);
    return true;
  }
  void set_rate(int rate) override { s_->rate = rate; }
  void set_volume(int volume) override { s_->volume = volume; }
  bool speak(std::string_view text, rt::SpeechHandler handler) override {
    if (!exists()) return false;
    if (s_->speaking) s_->finish();
    s_->spoken.emplace_back(text);
    s_->speaking = handler;
    rt::post([handler] { handler(rt::SpeechEvent::Started); });
    return true;
  }
  void pause() override {
    ++s_->pauses;
    ++s_->pause_depth;
  }
  void resume() override {
    ++s_->resumes;
    if (s_->pause_depth > 0) --s_->pause_depth;
  }
  void stop() override {
    ++s_->stops;
    s_->finish();
  }
  bool speak_to_wav(std::string_view text, const std::string& path) override {
    if (!exists() || !rt::write_file_safely(path, wav_bytes(text.size()))) return false;
    s_->wav_files.push_back({std::string(text), path, s_->voice, s_->rate, s_->volume});
    return true;
  }

 private:
  std::shared_ptr<FakeSpeech> s_;
};

}  // namespace

void FakeSpeech::finish() {
  if (!speaking) return;
  rt::SpeechHandler handler = std::move(speaking);
  speaking = nullptr;
  rt::post([handler] { handler(rt::SpeechEvent::Ended); });
}

FakeSpeech& use_fake_speech(std::vector<std::string> voices) {
  g_fake = std::make_shared<FakeSpeech>();
  g_fake->installed = std::move(voices);
  std::shared_ptr<FakeSpeech> speech = g_fake;
  rt::seams::set_voice_factory([speech] { return std::make_unique<FakeVoice>(speech); });
  return *g_fake;
}

void stop_fake_speech() { rt::seams::set_voice_factory(nullptr); }

WavHeader read_wav_header(const std::string& b) {
  WavHeader h;
  if (b.size() < 44 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0) return h;
  if (get32(b, 4) != b.size() - 8) return h;
  // The chunks after "WAVE": "fmt " first, then the others up to "data".
  size_t at = 12;
  bool format = false;
  while (at + 8 <= b.size()) {
    std::string id = b.substr(at, 4);
    uint32_t size = get32(b, at + 4);
    if (id == "fmt " && size >= 16 && at + 8 + size <= b.size()) {
      h.channels = static_cast<int>(get16(b, at + 10));
      h.sample_rate = static_cast<int>(get32(b, at + 12));
      h.bits = static_cast<int>(get16(b, at + 22));
      format = get16(b, at + 8) == 1;
    } else if (id == "data") {
      h.data_bytes = size;
      h.valid = format && at + 8 + size == b.size();
      return h;
    }
    at += 8 + size + (size & 1);
  }
  return h;
}
