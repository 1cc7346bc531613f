// The product's message box, through the seam tests can answer.
#include "base/Modal_win.h"

#include "base/ResourceIds.h"
#include "base/Resources_win.h"

namespace {
MessageBoxHook& Hook() {
  static MessageBoxHook hook;
  return hook;
}
}  // namespace

void SetMessageBoxHook(MessageBoxHook hook) { Hook() = std::move(hook); }

int ShowAppMessage(HWND owner, const std::wstring& text, UINT style) {
  std::wstring caption = LoadResString(IDS_TITLE);
  if (Hook()) return Hook()(owner, text, caption, style);
  return MessageBoxW(owner, text.c_str(), caption.c_str(), style);
}

int ShowAppMessageId(HWND owner, UINT stringId, UINT style) {
  return ShowAppMessage(owner, LoadResString(stringId), style);
}
