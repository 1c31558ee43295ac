// The sign's layout as created, in twips (15 twips make a pixel at 96 DPI).
#pragma once

namespace sign::layout {

constexpr float kFormLeft = 6495;
constexpr float kFormTop = 3975;
constexpr float kFormSize = 4260;

constexpr float kLabelLeft = 840;
constexpr float kLabelWidth = 3255;
constexpr float kLabel1Top = 1560;
constexpr float kLabel1Height = 615;
constexpr float kLabel1Points = 24;
constexpr float kLabel2Top = 2280;
constexpr float kLabel2Height = 1455;
constexpr float kLabel2Points = 44.25F;

constexpr int kClockIntervalMs = 1000;
constexpr int kBounceIntervalMs = 20;

}  // namespace sign::layout
