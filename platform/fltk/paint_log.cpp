#include "platform/fltk/paint_log.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace platform::desktop {

PaintLog::PaintLog() : enabled_(std::getenv("ORVANTA_PAINT_LOG") != nullptr) {}

void PaintLog::Paint(bool full, int label_boxes) {
  if (!enabled_) return;
  std::fprintf(stderr, "paint %s label-boxes=%d\n", full ? "full" : "part", label_boxes);
}

void PaintLog::Flushed(bool was_full) {
  if (!enabled_ || first_logged_ || !was_full) return;
  first_logged_ = true;
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const long long nanoseconds = static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
  std::fprintf(stderr, "first-paint %lld\n", nanoseconds);
}

}  // namespace platform::desktop
