// Double buffer for one paint: draw into the memory context with the target's coordinates;
// the destructor copies the rectangle to the target in one BitBlt.
#pragma once
#include <windows.h>

#include "base/Handles_win.h"

class CBufferDC {
 public:
  CBufferDC(HDC target, const RECT& rect);
  ~CBufferDC();
  CBufferDC(const CBufferDC&) = delete;
  CBufferDC& operator=(const CBufferDC&) = delete;

  // The memory context; null when it could not be made (then nothing is copied).
  HDC dc() const { return memory_.get(); }
  operator HDC() const { return memory_.get(); }
  bool IsValid() const { return memory_ && bitmap_; }

  // Copies made to targets so far in this process (tests check one copy per paint).
  static long CopyCount();

 private:
  HDC target_;
  RECT rect_;
  UniqueHdc memory_;
  UniqueGdiObject bitmap_;
  HGDIOBJ previous_ = nullptr;
};
