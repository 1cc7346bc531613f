// Double buffer: a compatible bitmap as large as the rectangle's right and bottom edges, so
// the drawing code keeps the target's coordinates.
#include "ui/CBufferDC_win.h"

#include <atomic>

namespace {
std::atomic<long> copies{0};
}

CBufferDC::CBufferDC(HDC target, const RECT& rect) : target_(target), rect_(rect) {
  if (!target_ || rect.right <= 0 || rect.bottom <= 0) return;
  memory_.reset(CreateCompatibleDC(target_));
  if (!memory_) return;
  bitmap_.reset(CreateCompatibleBitmap(target_, rect.right, rect.bottom));
  if (!bitmap_) {
    memory_.reset();
    return;
  }
  previous_ = SelectObject(memory_.get(), bitmap_.get());
}

CBufferDC::~CBufferDC() {
  if (!IsValid()) return;
  BitBlt(target_, rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top, memory_.get(),
         rect_.left, rect_.top, SRCCOPY);
  copies.fetch_add(1);
  SelectObject(memory_.get(), previous_);
}

long CBufferDC::CopyCount() { return copies.load(); }
