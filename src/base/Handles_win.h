// Move-only owners for platform handles and a scope guard. Every handle the program opens
// is released here and nowhere else.
#pragma once
#include <windows.h>

#include <utility>

// Traits: type, Invalid() and Close(value).
template <typename Traits>
class UniqueAny {
 public:
  using T = typename Traits::type;
  UniqueAny() = default;
  explicit UniqueAny(T value) : value_(value) {}
  UniqueAny(const UniqueAny&) = delete;
  UniqueAny& operator=(const UniqueAny&) = delete;
  UniqueAny(UniqueAny&& other) noexcept : value_(std::exchange(other.value_, Traits::Invalid())) {}
  UniqueAny& operator=(UniqueAny&& other) noexcept {
    if (this != &other) reset(std::exchange(other.value_, Traits::Invalid()));
    return *this;
  }
  ~UniqueAny() { reset(); }

  void reset(T value = Traits::Invalid()) {
    if (value_ != Traits::Invalid()) Traits::Close(value_);
    value_ = value;
  }
  T release() { return std::exchange(value_, Traits::Invalid()); }
  T get() const { return value_; }
  T* put() {
    reset();
    return &value_;
  }
  explicit operator bool() const { return value_ != Traits::Invalid(); }

 private:
  T value_ = Traits::Invalid();
};

template <typename H, void (*CloseFn)(H)>
struct NullTraits {
  using type = H;
  static H Invalid() { return nullptr; }
  static void Close(H h) { CloseFn(h); }
};
template <void (*CloseFn)(HANDLE)>
struct InvalidValueTraits {
  using type = HANDLE;
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { CloseFn(h); }
};

namespace handles_detail {
inline void CloseHandleFn(HANDLE h) { ::CloseHandle(h); }
inline void CloseRegKey(HKEY k) { ::RegCloseKey(k); }
inline void FreeLib(HMODULE m) { ::FreeLibrary(m); }
inline void DeleteGdiObject(HGDIOBJ o) { ::DeleteObject(o); }
inline void DeleteDc(HDC dc) { ::DeleteDC(dc); }
inline void DestroyWnd(HWND w) { ::DestroyWindow(w); }
inline void DestroyIco(HICON i) { ::DestroyIcon(i); }
inline void LocalFreeFn(HLOCAL p) { ::LocalFree(p); }
inline void GlobalFreeFn(HGLOBAL p) { ::GlobalFree(p); }
inline void FindCloseFn(HANDLE h) { ::FindClose(h); }
inline void UnhookFn(HHOOK h) { ::UnhookWindowsHookEx(h); }
}  // namespace handles_detail

using UniqueHandle = UniqueAny<NullTraits<HANDLE, handles_detail::CloseHandleFn>>;
using UniqueFileHandle = UniqueAny<InvalidValueTraits<handles_detail::CloseHandleFn>>;
using UniqueHkey = UniqueAny<NullTraits<HKEY, handles_detail::CloseRegKey>>;
using UniqueModule = UniqueAny<NullTraits<HMODULE, handles_detail::FreeLib>>;
using UniqueGdiObject = UniqueAny<NullTraits<HGDIOBJ, handles_detail::DeleteGdiObject>>;
using UniqueHdc = UniqueAny<NullTraits<HDC, handles_detail::DeleteDc>>;
using UniqueHwnd = UniqueAny<NullTraits<HWND, handles_detail::DestroyWnd>>;
using UniqueHicon = UniqueAny<NullTraits<HICON, handles_detail::DestroyIco>>;
using UniqueHlocal = UniqueAny<NullTraits<HLOCAL, handles_detail::LocalFreeFn>>;
using UniqueHglobal = UniqueAny<NullTraits<HGLOBAL, handles_detail::GlobalFreeFn>>;
using UniqueFindHandle = UniqueAny<InvalidValueTraits<handles_detail::FindCloseFn>>;
using UniqueHook = UniqueAny<NullTraits<HHOOK, handles_detail::UnhookFn>>;

template <typename F>
class ScopeExit {
 public:
  explicit ScopeExit(F f) : f_(std::move(f)) {}
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;
  ~ScopeExit() {
    if (armed_) f_();
  }
  void release() { armed_ = false; }

 private:
  F f_;
  bool armed_ = true;
};
template <typename F>
ScopeExit<F> scope_exit(F f) {
  return ScopeExit<F>(std::move(f));
}
