// The other-audio detector's thread and the default output it watches through Core Audio.
#include "app/OtherAudioDetector_win.h"

#include <audiopolicy.h>
#include <mmdeviceapi.h>
#include <process.h>

#include <atomic>
#include <cerrno>
#include <mutex>
#include <optional>
#include <utility>

#include "base/AudioMeter_win.h"
#include "base/ComRef_win.h"
#include "base/Log.h"
#include "base/Messages.h"

using Microsoft::WRL::ComPtr;

namespace {

// Told by the device enumerator when the user's default output changes.
class DefaultOutputListener final : public IMMNotificationClient {
 public:
  bool TakeChanged() { return changed_.exchange(false); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IMMNotificationClient)) {
      *object = static_cast<IMMNotificationClient*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE OnDefaultDeviceChanged(EDataFlow flow, ERole role, LPCWSTR) override {
    if (flow == eRender && role == eMultimedia) changed_ = true;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnDeviceStateChanged(LPCWSTR, DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnDeviceAdded(LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnDeviceRemoved(LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnPropertyValueChanged(LPCWSTR, const PROPERTYKEY) override { return S_OK; }

 private:
  std::atomic<ULONG> refs_{1};
  std::atomic<bool> changed_{false};
};

// The sessions of one output, read through its session manager. The session list is taken
// once per check; the session last read keeps its control for the process id.
class CoreAudioSessions : public app::AudioSessions {
 public:
  CoreAudioSessions(IAudioSessionManager2* manager, bool& noListLogged)
      : manager_(manager), noListLogged_(noListLogged) {}

  std::optional<int> Count() override {
    list_.Reset();
    index_ = -1;
    HRESULT hr = manager_->GetSessionEnumerator(&list_);
    if (FAILED(hr)) {
      // Wine has no session list (E_NOTIMPL): nothing can be heard there, said once per thread.
      if (!noListLogged_) {
        LogMessage(Info, "Other audio detector: no session list (error 0x%08X), reporting none",
                   static_cast<unsigned>(hr));
        noListLogged_ = true;
      }
      list_.Reset();
      return std::nullopt;
    }
    int count = 0;
    if (FAILED(list_->GetCount(&count))) return std::nullopt;
    return count;
  }

  std::optional<float> Peak(int index) override {
    index_ = -1;
    control_.Reset();
    ComPtr<IAudioSessionControl> session;
    ComPtr<IAudioMeterInformation> meter;
    if (!list_ || FAILED(list_->GetSession(index, &session)) || !session || FAILED(session.As(&control_)) ||
        FAILED(session.As(&meter))) {
      control_.Reset();
      return std::nullopt;
    }
    float peak = 0.0f;
    if (FAILED(meter->GetPeakValue(&peak))) return std::nullopt;
    index_ = index;
    return peak;
  }

  std::optional<uint32_t> ProcessId(int index) override {
    DWORD pid = 0;
    if (index != index_ || !control_ || FAILED(control_->GetProcessId(&pid))) return std::nullopt;
    return pid;
  }

 private:
  IAudioSessionManager2* manager_;
  bool& noListLogged_;
  ComPtr<IAudioSessionEnumerator> list_;
  ComPtr<IAudioSessionControl2> control_;
  int index_ = -1;
};

// The user's default render output for multimedia, followed through its changes.
class DefaultAudioOutput : public app::AudioOutput {
 public:
  ~DefaultAudioOutput() override {
    if (registered_) enumerator_->UnregisterEndpointNotificationCallback(listener_.Get());
  }

  bool Open() override {
    sessions_.reset();
    manager_.Reset();
    if (!enumerator_) {
      if (FAILED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL, IID_PPV_ARGS(&enumerator_)))) {
        enumerator_.Reset();
        return false;
      }
      AdoptRef(listener_, new DefaultOutputListener());
      HRESULT hr = enumerator_->RegisterEndpointNotificationCallback(listener_.Get());
      if (FAILED(hr))
        LogCallFailed("IMMDeviceEnumerator::RegisterEndpointNotificationCallback", hr);
      else
        registered_ = true;
    }
    ComPtr<IMMDevice> device;
    if (FAILED(enumerator_->GetDefaultAudioEndpoint(eRender, eMultimedia, &device)) ||
        FAILED(device->Activate(__uuidof(IAudioSessionManager2), CLSCTX_ALL, nullptr,
                                reinterpret_cast<void**>(manager_.GetAddressOf())))) {
      manager_.Reset();
      return false;
    }
    sessions_.emplace(manager_.Get(), noListLogged_);
    return true;
  }

  bool DefaultChanged() override { return listener_ && listener_->TakeChanged(); }
  app::AudioSessions& Sessions() override { return *sessions_; }

 private:
  ComPtr<IMMDeviceEnumerator> enumerator_;
  ComPtr<DefaultOutputListener> listener_;
  bool registered_ = false;
  ComPtr<IAudioSessionManager2> manager_;
  bool noListLogged_ = false;
  std::optional<CoreAudioSessions> sessions_;
};

}  // namespace

std::unique_ptr<app::AudioOutput> MakeDefaultAudioOutput() { return std::make_unique<DefaultAudioOutput>(); }

// Held by the owner and the thread alike, so a thread let go by Stop still has it until it ends.
struct COtherAudioDetector::Shared {
  HWND target = nullptr;
  DWORD pollMs = 0;
  AudioOutputMaker makeOutput;
  UniqueHandle stopEvent;  // manual reset: once set, every wait of the thread ends at once
  // Held around "stop asked?" and the post, and around setting the stop event, so that
  // nothing is posted once Stop has asked.
  std::mutex postLock;

  bool StopAsked() const { return WaitForSingleObject(stopEvent.get(), 0) == WAIT_OBJECT_0; }
};

namespace {

void Watch(COtherAudioDetector::Shared& shared) {
  std::unique_ptr<app::AudioOutput> output = shared.makeOutput();
  // The output cannot be had at all: the thread ends without a report.
  if (!output || !output->Open()) return;
  const uint32_t ownPid = GetCurrentProcessId();
  bool opened = true;
  for (;;) {
    const bool playing = app::CheckOtherAudio(*output, opened, ownPid);
    {
      std::lock_guard<std::mutex> lock(shared.postLock);
      if (shared.StopAsked()) break;
      PostMessageW(shared.target, WM_APP_OTHER_AUDIO, playing ? 1 : 0, 0);
    }
    if (WaitForSingleObject(shared.stopEvent.get(), shared.pollMs) != WAIT_TIMEOUT) break;
  }
}

unsigned __stdcall DetectorThread(void* param) {
  std::unique_ptr<std::shared_ptr<COtherAudioDetector::Shared>> held(
      static_cast<std::shared_ptr<COtherAudioDetector::Shared>*>(param));
  HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  if (FAILED(hr)) {
    LogCallFailed("CoInitializeEx", hr);
    return 0;
  }
  Watch(**held);  // every COM object it made is released before the apartment is left
  CoUninitialize();
  return 0;
}

}  // namespace

COtherAudioDetector::COtherAudioDetector(DWORD pollMs, AudioOutputMaker makeOutput, DWORD stopWaitMs)
    : pollMs_(pollMs), makeOutput_(std::move(makeOutput)), stopWaitMs_(stopWaitMs) {}

COtherAudioDetector::~COtherAudioDetector() { Stop(); }

bool COtherAudioDetector::Start(HWND target) {
  if (thread_) return true;
  auto shared = std::make_shared<Shared>();
  shared->target = target;
  shared->pollMs = pollMs_;
  shared->makeOutput = makeOutput_;
  shared->stopEvent.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!shared->stopEvent) {
    LogCallFailed("CreateEvent", static_cast<long>(GetLastError()));
    return false;
  }
  auto* held = new std::shared_ptr<Shared>(shared);
  const uintptr_t thread = _beginthreadex(nullptr, 0, DetectorThread, held, 0, nullptr);
  if (thread == 0) {
    LogMessage(Error, "Other audio detector: the thread could not be started (errno %d)", errno);
    delete held;
    return false;
  }
  thread_.reset(reinterpret_cast<HANDLE>(thread));
  shared_ = std::move(shared);
  return true;
}

void COtherAudioDetector::Stop() {
  if (!thread_) return;
  {
    std::lock_guard<std::mutex> lock(shared_->postLock);
    SetEvent(shared_->stopEvent.get());
  }
  if (WaitForSingleObject(thread_.get(), stopWaitMs_) != WAIT_OBJECT_0)
    LogMessage(Error, "Other audio detector did not stop in time");
  thread_.reset();
  shared_.reset();
}
