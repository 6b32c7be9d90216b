// The real media player: the Windows Media Player control made by CoCreateInstance, without a
// window of its own, and its PlayStateChange reports taken through its event connection.
#include <windows.h>
#include <ocidl.h>
// The control's identifiers are defined here, in the one file that uses them.
#include <initguid.h>
#include <wmp.h>

#include "Handles.h"
#include "SaverDeckSeams.h"

namespace {
// The control's event interface, _WMPOCXEvents; the SDK headers name no constant for it.
const GUID kWmpEvents = {0x6bf52a51, 0x394a, 0x11d3, {0xb1, 0x53, 0x00, 0xc0, 0x4f, 0x79, 0xfa, 0xa6}};
const DISPID kOpenStateChange = 5001, kPlayStateChange = 5101;
const long kMediaOpen = 13;  // wmposMediaOpen

std::function<void(int)>& Listener() {
  static std::function<void(int)> listener;
  return listener;
}

// The numeric argument of an event; Wine passes VT_UI4 where Windows passes VT_I4.
bool EventNumber(const DISPPARAMS* p, long& value) {
  if (!p || p->cArgs < 1) return false;
  const VARIANT& v = p->rgvarg[p->cArgs - 1];
  switch (v.vt) {
    case VT_I4: value = v.lVal; return true;
    case VT_UI4: value = long(v.ulVal); return true;
    case VT_INT: value = v.intVal; return true;
    case VT_UINT: value = long(v.uintVal); return true;
    default: return false;
  }
}

BSTR Bstr(const std::wstring& s) { return SysAllocStringLen(s.data(), UINT(s.size())); }
}  // namespace

void SetPlayStateListener(std::function<void(int)> listener) { Listener() = std::move(listener); }

void MediaPlayerSeam::Report(int state) {
  if (holding_) {
    holdStopped_ = holdStopped_ || state == kPlayStateStopped;
    return;
  }
  state_ = state;
  if (Listener()) Listener()(state);
}

void MediaPlayerSeam::SetURL(const std::wstring& url) {
  url_ = url;
  // Held music is stopped music: the new media replaces it as it would a stopped one.
  if (held_) {
    held_ = false;
    Report(kPlayStateStopped);
  }
  OpenURL(url);
}

bool MediaPlayerSeam::Play() {
  if (!held_) return ControlPlay();
  if (!ControlPlay()) return false;
  held_ = false;
  // Where the control cannot seek, the music starts from its beginning.
  ControlSetPosition(heldAt_);
  return true;
}

bool MediaPlayerSeam::Pause() {
  if (ControlPause()) return true;
  // Refused: only playing music whose position is known is held; anything else stays as it is.
  double at = 0;
  if (state_ != kPlayStatePlaying || !ControlPosition(at)) return false;
  holding_ = true;
  holdStopped_ = false;
  const bool took = ControlStop();
  holding_ = false;
  if (!took && !holdStopped_) return false;
  held_ = true;
  heldAt_ = at;
  Report(kPlayStatePaused);
  return true;
}

bool MediaPlayerSeam::Stop() {
  if (held_) {
    // The control stopped at the pause already; the stop is reported as the control would.
    held_ = false;
    Report(kPlayStateStopped);
    return true;
  }
  return ControlStop();
}

// The control, its transport, and the event sink the control calls back. The sink lives as long
// as this object, which releases the control before it goes, so its counts are not kept.
struct MediaPlayerSeam::Control final : IDispatch {
  explicit Control(MediaPlayerSeam* o) : owner(o) {
    if (FAILED(CoCreateInstance(CLSID_WindowsMediaPlayer, nullptr, CLSCTX_INPROC_SERVER, IID_IWMPPlayer,
                                player.put_void())))
      return;
    player->get_controls(reinterpret_cast<IWMPControls**>(controls.put_void()));
    ComPtr<IWMPSettings> settings;
    if (SUCCEEDED(player->get_settings(reinterpret_cast<IWMPSettings**>(settings.put_void())))) {
      settings->put_autoStart(VARIANT_TRUE);
      settings->put_volume(50);
      settings->put_playCount(1);
      settings->put_enableErrorDialogs(VARIANT_FALSE);
    }
    // A cosmetic setting Wine refuses (E_NOTIMPL); it changes nothing that plays.
    BSTR full = Bstr(L"full");
    player->put_uiMode(full);
    SysFreeString(full);
    ComPtr<IConnectionPointContainer> points;
    if (SUCCEEDED(player->QueryInterface(IID_IConnectionPointContainer, points.put_void())) &&
        SUCCEEDED(points->FindConnectionPoint(kWmpEvents, reinterpret_cast<IConnectionPoint**>(point.put_void()))))
      if (FAILED(point->Advise(this, &cookie))) point.reset();
  }
  ~Control() {
    if (point) point->Unadvise(cookie);
    point.reset();
    controls.reset();
    if (player) player->close();
    player.reset();
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kWmpEvents) {
      *out = static_cast<IDispatch*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
    *n = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    long value = 0;
    if (!EventNumber(params, value)) return S_OK;
    if (id == kOpenStateChange && value == kMediaOpen) opened = true;
    if (id == kPlayStateChange) {
      if (value == kPlayStatePlaying || value == kPlayStatePaused) opened = true;
      owner->Report(int(value));
    }
    return S_OK;
  }

  MediaPlayerSeam* owner;
  ComScope com;
  ComPtr<IWMPPlayer> player;
  ComPtr<IWMPControls> controls;
  ComPtr<IConnectionPoint> point;
  DWORD cookie = 0;
  // The current media opened: only then may the transport be used.
  bool opened = false;
};

MediaPlayerSeam::~MediaPlayerSeam() { Close(); }

void MediaPlayerSeam::Close() {
  held_ = false;
  delete control_;
  control_ = nullptr;
}

void MediaPlayerSeam::OpenURL(const std::wstring& url) {
  if (!control_) control_ = new Control(this);
  if (!control_->player) return;
  control_->opened = false;
  BSTR u = Bstr(url);
  HRESULT hr = control_->player->put_URL(u);
  SysFreeString(u);
  if (FAILED(hr)) control_->opened = false;
}

bool MediaPlayerSeam::ControlPlay() {
  if (!control_ || !control_->controls || !control_->opened) return false;
  if (state_ == kPlayStatePlaying) return true;
  return SUCCEEDED(control_->controls->play());
}

bool MediaPlayerSeam::ControlPause() {
  if (!control_ || !control_->controls || !control_->opened) return false;
  return SUCCEEDED(control_->controls->pause());
}

bool MediaPlayerSeam::ControlStop() {
  if (!control_ || !control_->controls || !control_->opened) return false;
  return SUCCEEDED(control_->controls->stop());
}

// S_FALSE: the control has no media to seek in.
bool MediaPlayerSeam::ControlPosition(double& seconds) {
  if (!control_ || !control_->controls || !control_->opened) return false;
  return control_->controls->get_currentPosition(&seconds) == S_OK;
}

bool MediaPlayerSeam::ControlSetPosition(double seconds) {
  if (!control_ || !control_->controls || !control_->opened) return false;
  return control_->controls->put_currentPosition(seconds) == S_OK;
}
