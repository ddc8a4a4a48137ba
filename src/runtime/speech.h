#pragma once
// Speech: the system's text-to-speech voice (SAPI 5, ISpVoice through COM). Texts and names
// are GBK. A system without a speech engine gives a voice that exists() false and does
// nothing; Wine has none. A test gives the program a voice of its own through the seam below.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

// What a spoken text reports.
enum class SpeechEvent { Started = 1, Ended = 2 };
using SpeechHandler = std::function<void(SpeechEvent)>;

class SpeechVoice {
 public:
  virtual ~SpeechVoice() = default;

  // Whether a speech engine with at least one voice is installed.
  virtual bool exists() = 0;
  // The names of the installed voices.
  virtual std::vector<std::string> voices() = 0;
  // Selects a voice by name, "" the default one; false when there is no such voice.
  virtual bool set_voice(std::string_view name) = 0;
  virtual void set_rate(int rate) = 0;      // -10 .. 10
  virtual void set_volume(int volume) = 0;  // 0 .. 100
  // Speaks a plain text (no markup) and returns at once. The handler hears, on the UI thread
  // and after this call has returned, the text's start and then its end. Every accepted text
  // ends with one end event, also when it is stopped (its start is then not always told).
  // False when the voice refused the text: nothing is told.
  virtual bool speak(std::string_view text, SpeechHandler handler) = 0;
  virtual void pause() = 0;
  virtual void resume() = 0;
  // Stops speaking and drops the texts waiting.
  virtual void stop() = 0;
  // Speaks the text into a WAV file with this voice's voice, rate and volume; returns when the
  // file is written. False when it could not be written.
  virtual bool speak_to_wav(std::string_view text, const std::string& path) = 0;
};

// A voice of the default engine (or of the test's factory).
std::unique_ptr<SpeechVoice> create_speech_voice();

namespace seams {
// From now on create_speech_voice gives the factory's voices; an empty factory gives the
// system's again.
using VoiceFactory = std::function<std::unique_ptr<SpeechVoice>()>;
void set_voice_factory(VoiceFactory factory);
}  // namespace seams

}  // namespace rt
