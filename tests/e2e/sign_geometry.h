// Where things stand on the sign at 96 DPI, in pixels from the window's top-left corner.
#pragma once

namespace e2e {

constexpr int kCreatedX = 433;
constexpr int kCreatedY = 265;

struct Box {
  int x, y, w, h;
};
constexpr Box kDateLabel{56, 104, 217, 41};
constexpr Box kTimeLabel{56, 152, 217, 97};

// A point of the uncovered picture, clear of both labels.
constexpr int kPictureX = 20;
constexpr int kPictureY = 20;

}  // namespace e2e
