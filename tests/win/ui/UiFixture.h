// The fixture the control-kit window tests share, and the painting check every control passes.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>

#include <vector>

#include "UiTestKit.h"

namespace uitest {

// A test whose controls are children of the shared host window.
class HostTest : public testing::Test {
 protected:
  Host& host = SharedHost();
  // Runs the pending messages, then returns the host's notes of one message and clears its log.
  std::vector<Note> Take(UINT message);
};

// The control ignores WM_ERASEBKGND (claims it, draws nothing) and a full repaint makes
// exactly one buffered copy to the screen.
void ExpectPaintsWithoutErasingInOneCopy(HWND control);

}  // namespace uitest
