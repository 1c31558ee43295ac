// A rectangle in window pixels.
#pragma once

#include <algorithm>

namespace platform::desktop {

struct TextBox {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;

  bool Empty() const { return w <= 0 || h <= 0; }
  bool operator==(const TextBox&) const = default;
};

// The part that both rectangles cover; empty when they do not meet.
inline TextBox Intersection(const TextBox& a, const TextBox& b) {
  const int left = std::max(a.x, b.x);
  const int top = std::max(a.y, b.y);
  const int right = std::min(a.x + a.w, b.x + b.w);
  const int bottom = std::min(a.y + a.h, b.y + b.h);
  return TextBox{left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

// The smallest rectangle that holds both.
inline TextBox Union(const TextBox& a, const TextBox& b) {
  const int left = std::min(a.x, b.x);
  const int top = std::min(a.y, b.y);
  const int right = std::max(a.x + a.w, b.x + b.w);
  const int bottom = std::max(a.y + a.h, b.y + b.h);
  return TextBox{left, top, right - left, bottom - top};
}

}  // namespace platform::desktop
