#pragma once
// A speech engine of the test's own, given to the program through the voice seam (Wine has no
// voice). Its voices are the ones the test names (none: no engine is installed). A text starts
// at once and ends when the test says so, or when it is stopped; a WAV file is written as a
// small valid file, so the path the program chose is really written.
#include <string>
#include <vector>

#include "runtime/speech.h"

struct FakeSpeech {
  std::vector<std::string> installed;
  // What the program's voices were told, all of them together.
  std::vector<std::string> spoken;
  std::string voice;  // the last voice chosen
  int rate = 0, volume = 100;
  int pauses = 0, resumes = 0, stops = 0;
  int pause_depth = 0;  // a resume undoes one pause
  struct WavFile {
    std::string text, path;
    std::string voice;
    int rate = 0, volume = 0;
  };
  std::vector<WavFile> wav_files;
  // The text being spoken: whom its events go to, until it ends.
  rt::SpeechHandler speaking;

  bool is_speaking() const { return static_cast<bool>(speaking); }
  // The voice has read the whole text: its end event is posted.
  void finish();
};

// From now on the program's voices are fakes that record into the returned record.
FakeSpeech& use_fake_speech(std::vector<std::string> voices);
// The system's voices again.
void stop_fake_speech();

// The parts of a WAV file the fake writes and the engine would: format and data sizes.
struct WavHeader {
  bool valid = false;
  int channels = 0, sample_rate = 0, bits = 0;
  size_t data_bytes = 0;
};
WavHeader read_wav_header(const std::string& bytes);
