// The media player over a Media Foundation session: open, topology, event handover to the
// window thread, looping support, and the presentation calls with their compare-first rules.
#include "engine/Player_win.h"

#include <amvideo.h>
#include <uuids.h>
#include <shlwapi.h>

#include <atomic>
#include <new>
#include <vector>

#include "base/Resources_win.h"
#include "base/ComRef_win.h"
#include "base/Messages.h"
#include "base/OsVersion_win.h"
#include "diag/Log.h"
#include "engine/CoverGeometry.h"
#include "engine/VideoFormat.h"

using Microsoft::WRL::ComPtr;

namespace {

constexpr DWORD kCloseWaitMs = 5000;
// Before a video session closes under Wine: how long the pause may take, and how long the
// renderer must have drawn no frame (checked every kSettleStepMs, for at most kSettleMaxMs).
constexpr DWORD kPauseWaitMs = 1000;
constexpr DWORD kSettleStepMs = 20;
constexpr int kSettleQuietSteps = 3;
constexpr DWORD kSettleMaxMs = 500;

// Normalized rectangle of the whole picture.
constexpr MFVideoNormalizedRect kWholePicture = {0.0f, 0.0f, 1.0f, 1.0f};

// The extension of the path's file name from its last dot ("" when there is none).
const wchar_t* FileExtension(const wchar_t* path) {
  const wchar_t* name = path;
  for (const wchar_t* p = path; *p; ++p) {
    if (*p == L'\\' || *p == L'/' || *p == L':') name = p + 1;
  }
  const wchar_t* dot = nullptr;
  for (const wchar_t* p = name; *p; ++p) {
    if (*p == L'.') dot = p;
  }
  return dot ? dot : L"";
}

// A video stream whose source offers decoded video in a format the renderer refuses (Wine's
// media source: I420) is switched to NV12 when the stream offers it. Logged once per run.
void PreferNv12(IMFMediaTypeHandler* handler) {
  ComPtr<IMFMediaType> current;
  GUID subtype{};
  if (FAILED(handler->GetCurrentMediaType(&current)) || FAILED(current->GetGUID(MF_MT_SUBTYPE, &subtype))) return;
  DWORD count = 0;
  if (FAILED(handler->GetMediaTypeCount(&count))) return;
  std::vector<uint32_t> offered;
  ComPtr<IMFMediaType> nv12;
  for (DWORD i = 0; i < count; ++i) {
    ComPtr<IMFMediaType> type;
    GUID offeredSubtype{};
    if (FAILED(handler->GetMediaTypeByIndex(i, &type)) || FAILED(type->GetGUID(MF_MT_SUBTYPE, &offeredSubtype)))
      continue;
    offered.push_back(static_cast<uint32_t>(offeredSubtype.Data1));
    if (offeredSubtype == MFVideoFormat_NV12 && !nv12) nv12 = type;
  }
  if (!nv12 || !engine::PrefersNv12(static_cast<uint32_t>(subtype.Data1), offered)) return;
  const HRESULT hr = handler->SetCurrentMediaType(nv12.Get());
  if (FAILED(hr)) {
    LogCallFailed("IMFMediaTypeHandler::SetCurrentMediaType NV12", hr);
    return;
  }
  static std::atomic<bool> logged{false};
  if (!logged.exchange(true))
    LogMessage(Info, "Video format NV12 chosen over %s", engine::FormatName(static_cast<uint32_t>(subtype.Data1)).c_str());
}

// Fetches one service of the session. A failure, or success with a null pointer (the
// mixer service under some platforms), leaves the reference empty.
template <typename T>
void FetchService(IUnknown* session, REFGUID service, ComPtr<T>& out) {
  T* pointer = nullptr;
  const HRESULT hr = MFGetService(session, service, __uuidof(T), reinterpret_cast<void**>(&pointer));
  out.Reset();
  if (SUCCEEDED(hr) && pointer) AdoptRef(out, pointer);
}

// The per-channel volume array, shared by all players and only touched on the UI thread.
std::vector<float>& VolumeBuffer() {
  static std::vector<float> buffer;
  return buffer;
}

bool SameRect(const MFVideoNormalizedRect& a, const MFVideoNormalizedRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

CPlayer::CPlayer(HWND videoWindow, HWND eventWindow) : videoWindow_(videoWindow), eventWindow_(eventWindow) {}

CPlayer::~CPlayer() { CloseSession(); }

HRESULT CPlayer::CreateInstance(HWND videoWindow, HWND eventWindow, CPlayer** player) {
  if (!player) return E_POINTER;
  *player = nullptr;
  CPlayer* created = new (std::nothrow) CPlayer(videoWindow, eventWindow);
  if (!created) return E_OUTOFMEMORY;
  created->closeEvent_.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
  created->pausedEvent_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!created->closeEvent_ || !created->pausedEvent_) {
    const HRESULT hr = HRESULT_FROM_WIN32(GetLastError());
    created->Release();
    return FAILED(hr) ? hr : E_FAIL;
  }
  *player = created;
  return S_OK;
}

// --- IUnknown / IMFAsyncCallback ---------------------------------------------------------

STDMETHODIMP CPlayer::QueryInterface(REFIID riid, void** object) {
  static const QITAB table[] = {
      {&__uuidof(IMFAsyncCallback), OFFSETOFCLASS(IMFAsyncCallback, CPlayer)},
      {nullptr, 0},
  };
  return QISearch(this, table, riid, object);
}

STDMETHODIMP_(ULONG) CPlayer::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refCount_)); }

STDMETHODIMP_(ULONG) CPlayer::Release() {
  const LONG count = InterlockedDecrement(&refCount_);
  if (count == 0) delete this;
  return static_cast<ULONG>(count);
}

STDMETHODIMP CPlayer::GetParameters(DWORD*, DWORD*) { return E_NOTIMPL; }

// Platform thread: take the event, ask for the next one, and hand this one to the window. The
// session comes with the result (it was the request's state): the member may be changing on
// the user-interface thread, and after a timed-out close a late event of the old session must
// not touch the next one.
STDMETHODIMP CPlayer::Invoke(IMFAsyncResult* result) {
  ComPtr<IUnknown> state;
  if (FAILED(result->GetState(&state)) || !state) return S_OK;
  ComPtr<IMFMediaSession> session;
  if (FAILED(state.As(&session))) return S_OK;
  ComPtr<IMFMediaEvent> event;
  if (FAILED(session->EndGetEvent(result, &event)) || !event) return S_OK;
  MediaEventType type = MEUnknown;
  if (FAILED(event->GetType(&type))) return S_OK;
  if (session.Get() != current_.load()) return S_OK;  // a session this player has let go

  if (type == MESessionPaused) SetEvent(pausedEvent_.get());
  if (type == MESessionClosed) {
    SetEvent(closeEvent_.get());
  } else if (FAILED(session->BeginGetEvent(this, session.Get()))) {
    return S_OK;
  }

  if (InterlockedCompareExchange(&state_, Closing, Closing) != Closing) {
    IMFMediaEvent* posted = event.Get();
    posted->AddRef();
    // A window that is gone cannot take the reference; keep the event from leaking.
    if (!PostMessageW(eventWindow_, WM_APP_PLAYER_EVENT, reinterpret_cast<WPARAM>(posted), static_cast<LPARAM>(type))) {
      posted->Release();
    }
  }
  return S_OK;
}

void CPlayer::DropPendingEvents(HWND window) {
  MSG msg;
  while (PeekMessageW(&msg, window, WM_APP_PLAYER_EVENT, WM_APP_PLAYER_EVENT, PM_REMOVE)) {
    ComPtr<IUnknown> owned;
    AdoptRef(owned, reinterpret_cast<IUnknown*>(msg.wParam));
  }
}

// --- Opening ------------------------------------------------------------------------------

HRESULT CPlayer::OpenURL(const wchar_t* path) {
  const bool hasPath = path != nullptr && *path != L'\0';
  LogMessage(Info, "Open file: %S", hasPath ? FileExtension(path) : L"No Ext");

  HRESULT hr = CloseSession();
  if (SUCCEEDED(hr)) {
    LogMessage(Info, "Create media session");
    hr = MFCreateMediaSession(nullptr, &session_);
    if (FAILED(hr)) LogCallFailed("MFCreateMediaSession", hr);
  }
  if (SUCCEEDED(hr)) {
    current_ = session_.Get();
    hr = session_->BeginGetEvent(this, session_.Get());
    if (FAILED(hr)) {
      LogCallFailed("IMFMediaSession::BeginGetEvent", hr);
    } else {
      state_ = Ready;
    }
  }
  if (SUCCEEDED(hr)) {
    ComPtr<IMFSourceResolver> resolver;
    ComPtr<IUnknown> resolved;
    MF_OBJECT_TYPE objectType = MF_OBJECT_INVALID;
    hr = MFCreateSourceResolver(&resolver);
    if (SUCCEEDED(hr)) {
      hr = resolver->CreateObjectFromURL(hasPath ? path : L"", MF_RESOLUTION_MEDIASOURCE, nullptr, &objectType,
                                         &resolved);
    }
    if (FAILED(hr)) {
      LogCallFailed("MFCreateSourceResolver", hr);
    } else {
      hr = resolved.As(&source_);
      if (FAILED(hr)) {
        LogCallFailed("Get the IMFMediaSource interface", hr);
      }
    }
  }
  ComPtr<IMFPresentationDescriptor> descriptor;
  if (SUCCEEDED(hr)) {
    hr = source_->CreatePresentationDescriptor(&descriptor);
    if (FAILED(hr)) {
      LogCallFailed("IMFMediaSource::CreatePresentationDescriptor", hr);
    }
  }
  ComPtr<IMFTopology> topology;
  if (SUCCEEDED(hr)) hr = CreatePlaybackTopology(descriptor.Get(), &topology);
  if (SUCCEEDED(hr)) {
    hr = session_->SetTopology(0, topology.Get());
    if (FAILED(hr)) {
      LogCallFailed("IMFMediaSession::SetTopology", hr);
    } else {
      state_ = OpenPending;
      return S_OK;
    }
  }

  // A session created above stays held until the next CloseSession.
  state_ = Closed;
  LogCallFailed("OpenURL", hr);
  return hr;
}

HRESULT CPlayer::CreatePlaybackTopology(IMFPresentationDescriptor* descriptor, IMFTopology** topology) {
  ComPtr<IMFTopology> created;
  HRESULT hr = MFCreateTopology(&created);
  if (FAILED(hr)) {
    LogCallFailed("MFCreateTopology", hr);
    return hr;
  }
  DWORD streams = 0;
  hr = descriptor->GetStreamDescriptorCount(&streams);
  if (FAILED(hr)) {
    LogCallFailed("IMFPresentationDescriptor::GetStreamDescriptorCount", hr);
    return hr;
  }
  for (DWORD i = 0; i < streams; ++i) {
    hr = AddBranch(created.Get(), descriptor, i);
    if (FAILED(hr)) return hr;
  }
  *topology = created.Detach();
  return S_OK;
}

HRESULT CPlayer::AddBranch(IMFTopology* topology, IMFPresentationDescriptor* descriptor, DWORD index) {
  BOOL selected = FALSE;
  ComPtr<IMFStreamDescriptor> stream;
  HRESULT hr = descriptor->GetStreamDescriptorByIndex(index, &selected, &stream);
  if (FAILED(hr)) {
    LogCallFailed("IMFPresentationDescriptor::GetStreamDescriptorByIndex", hr);
    return hr;
  }
  if (!selected) return S_OK;

  // The renderer for the stream's major type.
  ComPtr<IMFMediaTypeHandler> handler;
  hr = stream->GetMediaTypeHandler(&handler);
  if (FAILED(hr)) {
    LogCallFailed("IMFStreamDescriptor::GetMediaTypeHandler", hr);
    return hr;
  }
  GUID majorType = GUID_NULL;
  hr = handler->GetMajorType(&majorType);
  if (FAILED(hr)) {
    LogCallFailed("IMFMediaTypeHandler::GetMajorType", hr);
    return hr;
  }
  ComPtr<IMFActivate> renderer;
  if (majorType == MFMediaType_Audio) {
    hr = MFCreateAudioRendererActivate(&renderer);
    if (FAILED(hr)) {
      LogCallFailed("MFCreateAudioRendererActivate", hr);
      return hr;
    }
  } else if (majorType == MFMediaType_Video) {
    PreferNv12(handler.Get());
    hr = MFCreateVideoRendererActivate(videoWindow_, &renderer);
    if (FAILED(hr)) {
      LogCallFailed("MFCreateVideoRendererActivate", hr);
      return hr;
    }
  } else {
    LogMessage(Error, "Unknown stream type");
    return E_FAIL;
  }

  // Source node.
  ComPtr<IMFTopologyNode> sourceNode;
  hr = MFCreateTopologyNode(MF_TOPOLOGY_SOURCESTREAM_NODE, &sourceNode);
  if (FAILED(hr)) {
    LogCallFailed("MFCreateTopologyNode MF_TOPOLOGY_SOURCESTREAM_NODE", hr);
    return hr;
  }
  hr = sourceNode->SetUnknown(MF_TOPONODE_SOURCE, source_.Get());
  if (FAILED(hr)) {
    LogCallFailed("IMFTopologyNode set MF_TOPONODE_SOURCE", hr);
    return hr;
  }
  hr = sourceNode->SetUnknown(MF_TOPONODE_PRESENTATION_DESCRIPTOR, descriptor);
  if (FAILED(hr)) {
    LogCallFailed("IMFTopologyNode set MF_TOPONODE_PRESENTATION_DESCRIPTOR", hr);
    return hr;
  }
  hr = sourceNode->SetUnknown(MF_TOPONODE_STREAM_DESCRIPTOR, stream.Get());
  if (FAILED(hr)) {
    LogCallFailed("IMFTopologyNode set MF_TOPONODE_STREAM_DESCRIPTOR", hr);
    return hr;
  }
  hr = topology->AddNode(sourceNode.Get());
  if (FAILED(hr)) {
    LogCallFailed("IMFTopology::AddNode", hr);
    return hr;
  }

  // Output node.
  ComPtr<IMFTopologyNode> outputNode;
  hr = MFCreateTopologyNode(MF_TOPOLOGY_OUTPUT_NODE, &outputNode);
  if (FAILED(hr)) {
    LogCallFailed("MFCreateTopologyNode MF_TOPOLOGY_OUTPUT_NODE", hr);
    return hr;
  }
  hr = outputNode->SetObject(renderer.Get());
  if (FAILED(hr)) {
    LogCallFailed("IMFTopologyNode::SetObject IMFActivate", hr);
    return hr;
  }
  hr = outputNode->SetUINT32(MF_TOPONODE_STREAMID, 0);
  if (FAILED(hr)) {
    LogCallFailed("IMFTopologyNode::SetUINT32 MF_TOPONODE_STREAMID", hr);
    return hr;
  }
  // The renderer is shut down with the topology.
  hr = outputNode->SetUINT32(MF_TOPONODE_NOSHUTDOWN_ON_REMOVE, FALSE);
  if (FAILED(hr)) {
    LogCallFailed("IMFTopologyNode::SetUINT32 MF_TOPONODE_NOSHUTDOWN_ON_REMOVE", hr);
    return hr;
  }
  hr = topology->AddNode(outputNode.Get());
  if (FAILED(hr)) {
    LogCallFailed("IMFTopology::AddNode IMFTopologyNode", hr);
    return hr;
  }
  return sourceNode->ConnectOutput(0, outputNode.Get(), 0);
}

// --- Events (UI thread) ---------------------------------------------------------------------

HRESULT CPlayer::HandleEvent(IMFMediaEvent* event, MediaEventType type) {
  if (!event) return E_POINTER;
  ComPtr<IMFMediaEvent> owned;
  AdoptRef(owned, event);  // the reference that came with the message

  HRESULT hr = S_OK;
  switch (type) {
    case MESessionStarted:
      hr = OnSessionStarted(event);
      break;
    case MESessionStopped:
      return S_OK;
    case MESessionEnded:
      LogMessage(Info, "Media session ended");
      return S_OK;
    case MEError: {
      // A read or decode failure while playing: the wallpaper stops; say why.
      HRESULT status = S_OK;
      event->GetStatus(&status);
      LogMessage(Error, "Media session error. Error 0x%08X. %S", static_cast<unsigned>(status),
                 SystemErrorText(static_cast<DWORD>(status)).c_str());
      return S_OK;
    }
    case MESessionTopologyStatus:
      hr = OnTopologyStatus(event);
      break;
    case MENewPresentation:
      hr = OnNewPresentation(event);
      break;
    case MEEndOfPresentation:
      hr = OnPresentationEnded(event);
      break;
    default:
      hr = OnSessionEvent(event, type);
      break;
  }
  if (FAILED(hr)) LogCallFailed("HandleEvent", hr);
  return hr;
}

HRESULT CPlayer::OnTopologyStatus(IMFMediaEvent* event) {
  UINT32 status = MF_TOPOSTATUS_INVALID;
  if (FAILED(event->GetUINT32(MF_EVENT_TOPOLOGY_STATUS, &status)) || status != MF_TOPOSTATUS_READY) return S_OK;
  // An event posted before a close can arrive afterwards: then there is nothing to start.
  if (!session_ || !source_) return S_OK;

  ReleaseServices();
  FetchService(session_.Get(), MR_VIDEO_RENDER_SERVICE, displayControl_);
  FetchService(session_.Get(), MR_STREAM_VOLUME_SERVICE, streamVolume_);
  FetchService(session_.Get(), MR_VIDEO_MIXER_SERVICE, videoProcessor_);
  FetchService(session_.Get(), MR_VIDEO_MIXER_SERVICE, mixerBitmap_);
  return StartFromBeginning();
}

HRESULT CPlayer::OnPresentationEnded(IMFMediaEvent*) {
  if (session_ && source_) state_ = Stopped;
  return S_OK;
}

HRESULT CPlayer::OnNewPresentation(IMFMediaEvent* event) {
  PROPVARIANT value;
  PropVariantInit(&value);
  ComPtr<IMFPresentationDescriptor> descriptor;
  HRESULT hr = event->GetValue(&value);
  if (SUCCEEDED(hr)) {
    if (value.vt != VT_UNKNOWN || !value.punkVal) {
      hr = MF_E_INVALIDTYPE;
    } else {
      hr = value.punkVal->QueryInterface(__uuidof(IMFPresentationDescriptor),
                                         reinterpret_cast<void**>(descriptor.GetAddressOf()));
    }
  }
  PropVariantClear(&value);
  if (FAILED(hr)) {
    LogCallFailed("GetEventObject", hr);
    return S_OK;
  }
  if (!session_ || !source_) return S_OK;

  ComPtr<IMFTopology> topology;
  if (FAILED(CreatePlaybackTopology(descriptor.Get(), &topology))) return S_OK;
  hr = session_->SetTopology(0, topology.Get());
  if (FAILED(hr)) {
    LogCallFailed("IMFMediaSession::SetTopology", hr);
  } else {
    state_ = OpenPending;
  }
  return S_OK;
}

// The optional steps after a start (channel count, repaint preference) are logged when they
// fail but do not fail the event: owners re-apply their presentation only after a successful
// event, and some platforms do not implement the rendering preferences at all.
HRESULT CPlayer::OnSessionStarted(IMFMediaEvent* event) {
  LogMessage(Info, "Media session started");
  HRESULT status = S_OK;
  HRESULT hr = event->GetStatus(&status);
  if (FAILED(hr)) {
    LogCallFailed("IMFMediaEvent::GetStatus", hr);
    return hr;
  }
  if (FAILED(status)) {
    const std::wstring text = SystemErrorText(static_cast<DWORD>(status));
    LogMessage(Error, "Invalid status. Error 0x%08X. %S", static_cast<unsigned>(status), text.c_str());
  }

  channelCount_ = 0;
  if (streamVolume_) {
    UINT32 channels = 0;
    hr = streamVolume_->GetChannelCount(&channels);
    if (FAILED(hr)) {
      LogCallFailed("IMFAudioStreamVolume::GetChannelCount", hr);
    } else {
      channelCount_ = channels;
    }
  }
  LogMessage(Info, "Audio channels: %d", static_cast<int>(channelCount_));

  if (displayControl_) {
    DWORD prefs = 0;
    hr = displayControl_->GetRenderingPrefs(&prefs);
    if (FAILED(hr)) {
      LogCallFailed("IMFVideoDisplayControl::GetRenderingPrefs", hr);
    } else {
      prefs |= MFVideoRenderPrefs_DoNotRepaintOnStop;
      hr = displayControl_->SetRenderingPrefs(prefs);
      if (FAILED(hr)) {
        LogMessage(Error, "IMFVideoDisplayControl::SetRenderingPrefs %d failed. Error 0x%08X", static_cast<int>(prefs),
                   static_cast<unsigned>(hr));
      }
    }
  }
  return S_OK;
}

HRESULT CPlayer::OnSessionEvent(IMFMediaEvent*, MediaEventType) { return S_OK; }

// --- Playback control -------------------------------------------------------------------------

HRESULT CPlayer::StartFromBeginning() {
  LogMessage(Info, "Start media session");
  PROPVARIANT start;
  PropVariantInit(&start);
  start.vt = VT_I8;
  start.hVal.QuadPart = 0;
  const HRESULT hr = session_->Start(&GUID_NULL, &start);
  PropVariantClear(&start);
  if (FAILED(hr)) {
    LogCallFailed("IMFMediaSession::Start", hr);
  } else {
    state_ = Started;
  }
  return hr;
}

HRESULT CPlayer::Play() {
  if (state_ != Paused && state_ != Stopped) return MF_E_INVALIDREQUEST;
  if (!session_ || !source_) return E_UNEXPECTED;
  return StartFromBeginning();
}

HRESULT CPlayer::Pause() {
  if (state_ != Started) return MF_E_INVALIDREQUEST;
  if (!session_ || !source_) return E_UNEXPECTED;
  LogMessage(Info, "Pause");
  ResetEvent(pausedEvent_.get());
  const HRESULT hr = session_->Pause();
  if (FAILED(hr)) {
    LogCallFailed("IMFMediaSession::Pause", hr);
  } else {
    state_ = Paused;
  }
  return hr;
}

HRESULT CPlayer::Resume() {
  if (state_ != Paused) return S_FALSE;
  if (!session_ || !source_) return E_UNEXPECTED;
  LogMessage(Info, "Resume");
  PROPVARIANT current;
  PropVariantInit(&current);  // VT_EMPTY: continue from the current position
  const HRESULT hr = session_->Start(&GUID_NULL, &current);
  if (FAILED(hr)) {
    LogCallFailed("IMFMediaSession::Start", hr);
  } else {
    state_ = Started;
  }
  return hr;
}

void CPlayer::ReleaseServices() {
  displayControl_.Reset();
  streamVolume_.Reset();
  videoProcessor_.Reset();
  mixerBitmap_.Reset();
  channelCount_ = 0;
}

// Wine's video presenter deadlocks when its clock stops while its streaming thread is busy
// with a frame: the stop holds the presenter's lock and waits for that thread, which wants
// the lock for the frame. The session is paused first (the clock holds still, no frame falls
// due) and the close waits until the renderer has drawn nothing for a moment, so that the
// stop nearly always finds the thread idle (the thread still wakes now and then to look at
// its queue, so a stop can still meet it: far less often, not never).
void CPlayer::QuietenVideoBeforeClose() {
  const LONG state = InterlockedExchange(&state_, Closing);
  if (!IsRunningOnWine() || !displayControl_ || (state != Started && state != Paused)) return;
  if (state == Started) {
    ResetEvent(pausedEvent_.get());
    if (FAILED(session_->Pause())) return;
  }
  // A session that does not pause may have a renderer stuck already; its frame count would
  // wait on that renderer's lock.
  if (WaitForSingleObject(pausedEvent_.get(), kPauseWaitMs) != WAIT_OBJECT_0) {
    LogMessage(Warn, "Closing a video that did not pause");
    return;
  }
  ComPtr<IQualProp> quality;
  if (FAILED(displayControl_->QueryInterface(IID_IQualProp, reinterpret_cast<void**>(quality.GetAddressOf())))) return;
  int last = -1;
  int quiet = 0;
  DWORD waited = 0;
  for (; waited < kSettleMaxMs && quiet < kSettleQuietSteps; waited += kSettleStepMs) {
    int drawn = 0;
    if (FAILED(quality->get_FramesDrawn(&drawn))) return;
    quiet = drawn == last ? quiet + 1 : 0;
    last = drawn;
    Sleep(kSettleStepMs);
  }
  LogMessage(Debug, "Video paused for the close: %d frames drawn, still after %lu ms", last,
             static_cast<unsigned long>(waited));
}

HRESULT CPlayer::CloseSession() {
  if (session_) QuietenVideoBeforeClose();
  ReleaseServices();
  HRESULT hr = S_OK;
  bool closeTimedOut = false;
  if (session_) {
    LogMessage(Info, "Close media session");
    InterlockedExchange(&state_, Closing);
    // A close signal left over from an earlier, timed-out close must not end this wait.
    if (closeEvent_) ResetEvent(closeEvent_.get());
    hr = session_->Close();
    if (FAILED(hr)) {
      LogCallFailed("IMFMediaSession::Close", hr);
    } else if (closeEvent_ && WaitForSingleObject(closeEvent_.get(), kCloseWaitMs) == WAIT_TIMEOUT) {
      LogMessage(Error, "CloseSession timed out");
      closeTimedOut = true;
    }
  }
  if (source_) source_->Shutdown();
  // Wine's video renderer can deadlock inside its clock stop when a session closes with frames
  // in flight; the close then times out and the session's shutdown would wait on that renderer
  // for ever. There the session is let go without a shutdown: a leak, where the other is a hang.
  if (session_ && closeTimedOut && IsRunningOnWine()) {
    LogMessage(Error, "Media session left without shutdown: its renderer does not answer");
  } else if (session_) {
    session_->Shutdown();
  }
  current_ = nullptr;
  source_.Reset();
  session_.Reset();
  state_ = Closed;
  return hr;
}

HRESULT CPlayer::Shutdown() {
  const HRESULT hr = CloseSession();
  closeEvent_.reset();
  return hr;
}

// --- Presentation -----------------------------------------------------------------------------

HRESULT CPlayer::SetVolume(float level) {
  if (!streamVolume_) return E_FAIL;
  if (channelCount_ == 0) return S_FALSE;
  float current = 0.0f;
  HRESULT hr = streamVolume_->GetChannelVolume(0, &current);
  if (FAILED(hr)) {
    LogCallFailed("IMFAudioStreamVolume::GetChannelVolume 0", hr);
    return hr;
  }
  if (current == level) return S_FALSE;

  std::vector<float>& levels = VolumeBuffer();
  levels.clear();
  levels.resize(channelCount_, level);
  LogMessage(Info, "SetVolume %.2f", static_cast<double>(level));
  hr = streamVolume_->SetAllVolumes(channelCount_, levels.data());
  if (FAILED(hr)) {
    LogCallFailed("IMFAudioStreamVolume::SetAllVolumes", hr);
  }
  return hr;
}

HRESULT CPlayer::GetVolume(float* level) {
  if (!level) return E_POINTER;
  if (!streamVolume_) return E_FAIL;
  *level = 0.0f;
  if (channelCount_ == 0) return S_OK;
  const HRESULT hr = streamVolume_->GetChannelVolume(0, level);
  if (FAILED(hr)) {
    LogCallFailed("IMFAudioStreamVolume::GetChannelVolume 0", hr);
  }
  return hr;
}

HRESULT CPlayer::SetStretched(bool stretched) {
  if (!displayControl_) return E_FAIL;
  DWORD mode = MFVideoARMode_None;
  HRESULT hr = displayControl_->GetAspectRatioMode(&mode);
  if (FAILED(hr)) {
    LogCallFailed("IMFVideoDisplayControl::GetAspectRatioMode", hr);
    mode = MFVideoARMode_None;
  }
  const DWORD wanted = stretched ? MFVideoARMode_None : MFVideoARMode_PreservePicture;
  if (mode == wanted) return S_FALSE;
  LogMessage(Info, "Set Stretched %d", stretched ? 1 : 0);
  hr = displayControl_->SetAspectRatioMode(wanted);
  if (FAILED(hr)) {
    LogMessage(Error, "IMFVideoDisplayControl::SetAspectRatioMode(%d) failed. Error 0x%08X", static_cast<int>(wanted),
               static_cast<unsigned>(hr));
  }
  return hr;
}

HRESULT CPlayer::GetCoverSize(const RECT& rect, int* width, int* height) {
  if (!width || !height) return E_POINTER;
  if (!videoWindow_ || !displayControl_) return E_FAIL;
  const int windowWidth = rect.right - rect.left;
  const int windowHeight = rect.bottom - rect.top;
  if (windowWidth <= 0 || windowHeight <= 0) return E_FAIL;

  DWORD mode = MFVideoARMode_None;
  displayControl_->GetAspectRatioMode(&mode);
  if (mode == MFVideoARMode_None) {
    *width = windowWidth;
    *height = windowHeight;
    return S_OK;
  }
  SIZE native = {};
  const HRESULT hr = displayControl_->GetNativeVideoSize(&native, nullptr);
  if (FAILED(hr)) {
    LogCallFailed("IMFVideoDisplayControl::GetNativeVideoSize", hr);
    return hr;
  }
  // A renderer that knows no picture size yet gives no cover.
  if (!cover::CoverSize(windowWidth, windowHeight, native.cx, native.cy, width, height)) return E_FAIL;
  return S_OK;
}

HRESULT CPlayer::SetVideoPosition(bool coverMode, float x, float y) {
  if (!videoWindow_ || !displayControl_) return E_FAIL;
  if (!coverMode) {
    // Leaving cover: show the whole picture again. Nothing to do (and the window is not
    // read) when the source already is the whole picture.
    MFVideoNormalizedRect source = {};
    RECT destination = {};
    HRESULT hr = displayControl_->GetVideoPosition(&source, &destination);
    if (FAILED(hr) || SameRect(source, kWholePicture)) return S_FALSE;
    hr = displayControl_->SetVideoPosition(&kWholePicture, nullptr);
    if (FAILED(hr)) {
      LogMessage(Error,
                 "IMFVideoDisplayControl::SetVideoPosition failed. Rect(left = %.2f, top = %.2f, right = %.2f, "
                 "bottom = %.2f). Error 0x%08X",
                 0.0, 0.0, 1.0, 1.0, static_cast<unsigned>(hr));
    }
    return hr;
  }
  if (!cover::AnchorInRange(x) || !cover::AnchorInRange(y)) return E_INVALIDARG;

  RECT client = {};
  if (!GetClientRect(videoWindow_, &client)) return E_FAIL;
  const int windowWidth = client.right - client.left;
  const int windowHeight = client.bottom - client.top;
  if (windowWidth <= 0 || windowHeight <= 0) return E_FAIL;

  int coverWidth = 0, coverHeight = 0;
  HRESULT hr = GetCoverSize(client, &coverWidth, &coverHeight);
  if (FAILED(hr)) return hr;
  if (coverWidth <= 0 || coverHeight <= 0) return E_FAIL;
  if (coverWidth == windowWidth && coverHeight == windowHeight) return S_FALSE;

  const cover::SourceRect crop = cover::CoverSourceRect(windowWidth, windowHeight, coverWidth, coverHeight, x, y);
  const MFVideoNormalizedRect source = {crop.left, crop.top, crop.right, crop.bottom};

  MFVideoNormalizedRect currentSource = {};
  RECT currentDestination = {};
  hr = displayControl_->GetVideoPosition(&currentSource, &currentDestination);
  if (FAILED(hr)) {
    LogCallFailed("IMFVideoDisplayControl::GetVideoPosition", hr);
    return hr;
  }
  if (SameRect(currentSource, source)) return S_FALSE;

  LogMessage(Info, "Set Video Position: X: %.2f; Y: %.2f", static_cast<double>(x), static_cast<double>(y));
  hr = displayControl_->SetVideoPosition(&source, &client);
  if (FAILED(hr)) {
    LogMessage(Error,
               "IMFVideoDisplayControl::SetVideoPosition failed. Rect(left = %.2f, top = %.2f, right = %.2f, "
               "bottom = %.2f). Error 0x%08X",
               static_cast<double>(source.left), static_cast<double>(source.top), static_cast<double>(source.right),
               static_cast<double>(source.bottom), static_cast<unsigned>(hr));
  }
  return hr;
}

HRESULT CPlayer::SetOverlay(float alpha, bool enable, HBITMAP bitmap) {
  if (enable && !bitmap) return E_INVALIDARG;
  if (!mixerBitmap_) return E_FAIL;

  if (!enable) {
    const HRESULT hr = mixerBitmap_->ClearAlphaBitmap();
    if (hr == MF_E_NOT_INITIALIZED) return S_FALSE;
    if (FAILED(hr)) {
      LogCallFailed("IMFVideoMixerBitmap::ClearAlphaBitmap", hr);
    } else {
      LogMessage(Info, "SetAlphaBitmap enable: %d", 0);
    }
    return hr;
  }

  MFVideoAlphaBitmapParams current = {};
  HRESULT hr = mixerBitmap_->GetAlphaBitmapParameters(&current);
  // Before any bitmap was set the mixer answers MF_E_NOT_INITIALIZED: nothing to compare with.
  if (hr == MF_E_NOT_INITIALIZED) {
    hr = S_OK;
  } else if (FAILED(hr)) {
    LogCallFailed("IMFVideoMixerBitmap::GetAlphaBitmapParameters", hr);
    return hr;
  } else if (current.fAlpha == alpha) {
    return S_FALSE;
  }

  LogMessage(Info, "SetAlphaBitmap enable: %d; alpha: %.2f", 1, static_cast<double>(alpha));
  HDC windowDc = GetDC(videoWindow_);
  if (!windowDc) return E_FAIL;
  auto releaseWindowDc = scope_exit([&] { ReleaseDC(videoWindow_, windowDc); });
  UniqueHdc memoryDc(CreateCompatibleDC(windowDc));
  if (!memoryDc) return E_FAIL;
  BITMAP description = {};
  if (!GetObjectW(bitmap, sizeof(description), &description)) return E_INVALIDARG;
  const HGDIOBJ previous = SelectObject(memoryDc.get(), bitmap);
  if (!previous || previous == HGDI_ERROR) return E_INVALIDARG;

  MFVideoAlphaBitmap overlay = {};
  overlay.GetBitmapFromDC = TRUE;
  overlay.bitmap.hdc = memoryDc.get();
  overlay.params.dwFlags = MFVideoAlphaBitmap_DestRect | MFVideoAlphaBitmap_Alpha;
  overlay.params.clrSrcKey = 0;
  overlay.params.rcSrc = {0, 0, description.bmWidth, description.bmHeight};
  // Three times the picture each way, so the overlay covers it whatever crop is in force.
  overlay.params.nrcDest = {-1.0f, -1.0f, 2.0f, 2.0f};
  overlay.params.fAlpha = alpha;
  overlay.params.dwFilterMode = 0;
  hr = mixerBitmap_->SetAlphaBitmap(&overlay);
  if (FAILED(hr)) {
    LogCallFailed("IMFVideoMixerBitmap::SetAlphaBitmap", hr);
  }
  SelectObject(memoryDc.get(), previous);
  return hr;
}

HRESULT CPlayer::GetNativeVideoSize(SIZE* size, SIZE* aspectRatio) {
  if (!displayControl_) return E_FAIL;
  return displayControl_->GetNativeVideoSize(size, aspectRatio);
}
