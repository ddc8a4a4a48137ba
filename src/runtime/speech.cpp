#include "runtime/speech.h"

#include <windows.h>
// after windows.h
#include <sapi.h>

#include "runtime/app.h"
#include "runtime/strings.h"

namespace rt {
namespace {

// The format identifier of wave streams; MinGW's sapi library leaves it out.
const GUID kWaveFormatExId = {0xC31ADBAE, 0x527F, 0x4FF5, {0xA2, 0x30, 0xF6, 0x2B, 0xB6, 0x1F, 0xF7, 0x0C}};

seams::VoiceFactory& voice_factory() {
  static seams::VoiceFactory factory;
  return factory;
}

// One reference to a COM interface.
template <class T>
class Com {
 public:
  Com() = default;
  explicit Com(T* p) : p_(p) {}
  Com(Com&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  ~Com() {
    if (p_) p_->Release();
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  T** out() { return &p_; }
  void** out_void() { return reinterpret_cast<void**>(&p_); }

 private:
  T* p_ = nullptr;
};

// The voices of the installed engines, in the system's order.
std::vector<Com<ISpObjectToken>> voice_tokens() {
  std::vector<Com<ISpObjectToken>> tokens;
  Com<ISpObjectTokenCategory> category;
  if (FAILED(CoCreateInstance(CLSID_SpObjectTokenCategory, nullptr, CLSCTX_ALL, IID_ISpObjectTokenCategory,
                              category.out_void())) ||
      FAILED(category->SetId(SPCAT_VOICES, FALSE)))
    return tokens;
  Com<IEnumSpObjectTokens> list;
  ULONG count = 0;
  if (FAILED(category->EnumTokens(nullptr, nullptr, list.out())) || !list || FAILED(list->GetCount(&count)))
    return tokens;
  for (ULONG i = 0; i < count; ++i) {
    Com<ISpObjectToken> token;
    if (SUCCEEDED(list->Item(i, token.out())) && token) tokens.push_back(std::move(token));
  }
  return tokens;
}

// A voice token's name: the default value of its key.
std::string token_name(ISpObjectToken* token) {
  WCHAR* text = nullptr;
  if (FAILED(token->GetStringValue(nullptr, &text)) || !text) return {};
  std::string name = to_gbk(text);
  CoTaskMemFree(text);
  return name;
}

// Gives back what an event's parameter holds.
void clear_event(SPEVENT& e) {
  switch (e.elParamType) {
    case SPET_LPARAM_IS_POINTER:
    case SPET_LPARAM_IS_STRING:
      CoTaskMemFree(reinterpret_cast<void*>(e.lParam));
      break;
    case SPET_LPARAM_IS_TOKEN:
    case SPET_LPARAM_IS_OBJECT:
      if (e.lParam) reinterpret_cast<IUnknown*>(e.lParam)->Release();
      break;
    default:
      break;
  }
}

void tell(const SpeechHandler& handler, SpeechEvent event) {
  if (handler) post([handler, event] { handler(event); });
}

class SapiVoice final : public SpeechVoice {
 public:
  SapiVoice() {
    com_ = SUCCEEDED(CoInitialize(nullptr));
    ISpVoice* voice = nullptr;
    if (FAILED(CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_ALL, IID_ISpVoice, reinterpret_cast<void**>(&voice))))
      return;
    voice_ = voice;
    const ULONGLONG interest = SPFEI(SPEI_START_INPUT_STREAM) | SPFEI(SPEI_END_INPUT_STREAM);
    // The engine calls back on this thread, through its own window's messages.
    if (FAILED(voice_->SetInterest(interest, interest)) ||
        FAILED(voice_->SetNotifyCallbackFunction(&SapiVoice::notified, 0, reinterpret_cast<LPARAM>(this)))) {
      voice_->Release();
      voice_ = nullptr;
    }
  }

  ~SapiVoice() override {
    if (voice_) {
      voice_->SetNotifySink(nullptr);
      voice_->Speak(nullptr, SPF_PURGEBEFORESPEAK, nullptr);
      voice_->Release();
    }
    if (com_) CoUninitialize();
  }

  bool exists() override { return voice_ && !voice_tokens().empty(); }

  std::vector<std::string> voices() override {
    std::vector<std::string> names;
    for (const auto& token : voice_tokens()) names.push_back(token_name(token.get()));
    return names;
  }

  bool set_voice(std::string_view name) override {
    if (!voice_) return false;
    if (name.empty()) return SUCCEEDED(voice_->SetVoice(nullptr));
    for (const auto& token : voice_tokens())
      if (token_name(token.get()) == name) return SUCCEEDED(voice_->SetVoice(token.get()));
    return false;
  }

  void set_rate(int rate) override {
    if (voice_) voice_->SetRate(rate);
  }

  void set_volume(int volume) override {
    if (voice_) voice_->SetVolume(static_cast<USHORT>(volume < 0 ? 0 : volume > 100 ? 100 : volume));
  }

  bool speak(std::string_view text, SpeechHandler handler) override {
    if (!voice_) return false;
    ULONG stream = 0;
    if (FAILED(voice_->Speak(to_wide(text).c_str(), SPF_ASYNC | SPF_IS_NOT_XML, &stream))) return false;
    texts_.push_back({stream, std::move(handler)});
    return true;
  }

  void pause() override {
    if (voice_) voice_->Pause();
  }

  void resume() override {
    if (voice_) voice_->Resume();
  }

  void stop() override {
    if (!voice_) return;
    voice_->Speak(nullptr, SPF_PURGEBEFORESPEAK, nullptr);
    // Whether the engine tells the end of a purged text varies; each is told here, once, and
    // anything the engine still says about it is not heard.
    std::vector<Text> ended;
    ended.swap(texts_);
    for (const Text& t : ended) tell(t.handler, SpeechEvent::Ended);
  }

  bool speak_to_wav(std::string_view text, const std::string& path) override {
    if (!voice_) return false;
    // A voice of its own, so that a text being spoken aloud meanwhile is not disturbed.
    Com<ISpVoice> writer;
    if (FAILED(CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_ALL, IID_ISpVoice, writer.out_void()))) return false;
    Com<ISpObjectToken> token;
    if (SUCCEEDED(voice_->GetVoice(token.out())) && token) writer->SetVoice(token.get());
    long rate = 0;
    if (SUCCEEDED(voice_->GetRate(&rate))) writer->SetRate(rate);
    USHORT volume = 100;
    if (SUCCEEDED(voice_->GetVolume(&volume))) writer->SetVolume(volume);
    Com<ISpStream> stream;
    if (FAILED(CoCreateInstance(CLSID_SpStream, nullptr, CLSCTX_ALL, IID_ISpStream, stream.out_void()))) return false;
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = 22050;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = 44100;
    if (FAILED(stream->BindToFile(wide_path(path).c_str(), SPFM_CREATE_ALWAYS, &kWaveFormatExId, &format, 0)))
      return false;
    bool spoken = SUCCEEDED(writer->SetOutput(stream.get(), TRUE)) &&
                  SUCCEEDED(writer->Speak(to_wide(text).c_str(), SPF_IS_NOT_XML, nullptr));
    writer->SetOutput(nullptr, TRUE);
    bool closed = SUCCEEDED(stream->Close());
    return spoken && closed;
  }

 private:
  struct Text {
    ULONG stream;
    SpeechHandler handler;
  };

  static void __stdcall notified(WPARAM, LPARAM self) {
    // Called from the engine's window procedure: nothing may unwind into it.
    try {
      reinterpret_cast<SapiVoice*>(self)->take_events();
    } catch (...) {
      report_current_exception();
    }
  }

  void take_events() {
    if (!voice_) return;
    SPEVENT e{};
    ULONG fetched = 0;
    while (SUCCEEDED(voice_->GetEvents(1, &e, &fetched)) && fetched == 1) {
      ULONG stream = e.ulStreamNum;
      bool started = e.eEventId == SPEI_START_INPUT_STREAM, ended = e.eEventId == SPEI_END_INPUT_STREAM;
      clear_event(e);
      for (auto it = texts_.begin(); it != texts_.end(); ++it) {
        if (it->stream != stream) continue;
        if (started) tell(it->handler, SpeechEvent::Started);
        if (ended) {
          tell(it->handler, SpeechEvent::Ended);
          texts_.erase(it);
        }
        break;
      }
      fetched = 0;
    }
  }

  ISpVoice* voice_ = nullptr;
  bool com_ = false;
  std::vector<Text> texts_;
};

}  // namespace

std::unique_ptr<SpeechVoice> create_speech_voice() {
  if (voice_factory()) return voice_factory()();
  return std::make_unique<SapiVoice>();
}

namespace seams {
void set_voice_factory(VoiceFactory factory) { voice_factory() = std::move(factory); }
}  // namespace seams

}  // namespace rt
