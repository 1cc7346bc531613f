// The media player: plays one file through a Media Foundation session into a window, hands
// the session's events to that window's thread and applies the owner's presentation
// (volume, stretch, cover crop, black overlay).
#pragma once
#include <windows.h>

#include <atomic>
// evr9.h needs d3d9.h before it.
#include <d3d9.h>
#include <evr.h>
#include <evr9.h>
#include <mfapi.h>
#include <mferror.h>
#include <mfidl.h>
#include <wrl/client.h>

#include "base/Handles_win.h"

// Reference-counted; the creator holds the one reference from CreateInstance. An owner that
// goes away calls Shutdown and then Release. Every operation except Invoke runs on the
// user-interface thread; Invoke runs on a platform thread and only posts WM_APP_PLAYER_EVENT
// (wParam = IMFMediaEvent* carrying one reference, lParam = event type) to the event window,
// whose handler must pass both to HandleEvent.
//
// Looping is the owner's part: after HandleEvent has dealt with MESessionEnded, the owner
// calls Play. After HandleEvent for MESessionStarted the owner re-applies its presentation.
class CPlayer : public IMFAsyncCallback {
 public:
  // The numbers are compared by owners; keep them.
  enum State : LONG {
    Closed = 0,       // no session, or the last open failed
    Ready = 1,        // session created, event loop started, file not yet resolved
    OpenPending = 2,  // topology handed to the session
    Started = 3,      // playing (also after Resume)
    Paused = 4,       // paused by the owner
    Stopped = 5,      // the presentation reached its end
    Closing = 6,      // the session is closing; no more events are handed over
  };

  // E_POINTER without an out pointer, E_OUTOFMEMORY, or the error of CreateEventW.
  // Does not start Media Foundation (the application does, once).
  static HRESULT CreateInstance(HWND videoWindow, HWND eventWindow, CPlayer** player);

  // IUnknown / IMFAsyncCallback.
  STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP GetParameters(DWORD* flags, DWORD* queue) override;
  STDMETHODIMP Invoke(IMFAsyncResult* result) override;

  // Opens a file and starts it (asynchronously: the session reports MESessionStarted).
  HRESULT OpenURL(const wchar_t* path);
  // The answer to WM_APP_PLAYER_EVENT. Consumes the event's reference. E_POINTER without event.
  HRESULT HandleEvent(IMFMediaEvent* event, MediaEventType type);
  // Releases the events still queued for a window that goes (their references came with the
  // messages, and a destroyed window's messages are dropped unread).
  static void DropPendingEvents(HWND window);
  HRESULT HandleEvent(WPARAM wParam, LPARAM lParam) {
    return HandleEvent(reinterpret_cast<IMFMediaEvent*>(wParam), static_cast<MediaEventType>(lParam));
  }

  // Restart from position 0 (Paused or Stopped, else MF_E_INVALIDREQUEST).
  HRESULT Play();
  // Started -> Paused (else MF_E_INVALIDREQUEST).
  HRESULT Pause();
  // Paused -> Started from the current position (else S_FALSE).
  HRESULT Resume();
  // Closes and shuts down session and source, waiting at most 5000 ms for the close.
  HRESULT CloseSession();
  // CloseSession, then closes the close event.
  HRESULT Shutdown();

  // Presentation. Each compares with the platform's current value first and returns S_FALSE
  // (no call, no log) when nothing would change; E_FAIL without the service it needs.
  HRESULT SetVolume(float level);  // 0.0 .. 1.0
  HRESULT SetStretched(bool stretched);
  HRESULT SetVideoPosition(bool cover, float x, float y);  // x, y: 0.0 .. 1.0
  HRESULT GetCoverSize(const RECT& rect, int* width, int* height);
  HRESULT SetOverlay(float alpha, bool enable, HBITMAP bitmap);
  HRESULT GetNativeVideoSize(SIZE* size, SIZE* aspectRatio);
  // Level of the first audio channel; 0 when no channel count is known yet. E_FAIL without audio.
  HRESULT GetVolume(float* level);

  // Queries.
  State GetState() const { return static_cast<State>(state_); }
  bool HasStreamVolume() const { return streamVolume_ != nullptr; }
  bool HasDisplayControl() const { return displayControl_ != nullptr; }
  bool HasSessionAndSource() const { return session_ != nullptr && source_ != nullptr; }
  UINT32 ChannelCount() const { return channelCount_; }

 protected:
  CPlayer(HWND videoWindow, HWND eventWindow);
  virtual ~CPlayer();

  virtual HRESULT OnTopologyStatus(IMFMediaEvent* event);
  virtual HRESULT OnPresentationEnded(IMFMediaEvent* event);
  virtual HRESULT OnNewPresentation(IMFMediaEvent* event);
  virtual HRESULT OnSessionStarted(IMFMediaEvent* event);
  virtual HRESULT OnSessionEvent(IMFMediaEvent* event, MediaEventType type);

 private:
  CPlayer(const CPlayer&) = delete;
  CPlayer& operator=(const CPlayer&) = delete;

  HRESULT StartFromBeginning();
  HRESULT CreatePlaybackTopology(IMFPresentationDescriptor* descriptor, IMFTopology** topology);
  HRESULT AddBranch(IMFTopology* topology, IMFPresentationDescriptor* descriptor, DWORD index);
  void ReleaseServices();
  void QuietenVideoBeforeClose();

  volatile LONG refCount_ = 1;
  Microsoft::WRL::ComPtr<IMFMediaSession> session_;
  // The session whose events are wanted, for the platform thread to compare with (never to
  // use): each event request carries its own session as its state.
  std::atomic<IMFMediaSession*> current_{nullptr};
  Microsoft::WRL::ComPtr<IMFMediaSource> source_;
  Microsoft::WRL::ComPtr<IMFVideoDisplayControl> displayControl_;
  Microsoft::WRL::ComPtr<IMFAudioStreamVolume> streamVolume_;
  UINT32 channelCount_ = 0;
  Microsoft::WRL::ComPtr<IMFVideoProcessor> videoProcessor_;
  Microsoft::WRL::ComPtr<IMFVideoMixerBitmap> mixerBitmap_;
  HWND videoWindow_ = nullptr;
  HWND eventWindow_ = nullptr;
  volatile LONG state_ = Closed;
  UniqueHandle closeEvent_;
  // Set when the session reports MESessionPaused, reset when a pause is asked for.
  UniqueHandle pausedEvent_;
};
