// The lens's figures: how long one update takes, how many it makes a second while the pointer
// moves, and what sampling costs while nothing moves. A figure that cannot be measured ends the
// benchmark with a message rather than reading as zero.
#pragma once

#include "ui_thread.h"

#include <windows.h>

#include <cstdint>
#include <string>

// Median microseconds of `updates` lens updates (capture, magnify, draw, move) in the picker
// running on `ui`, the pointer at a new point over a window of many colours each time, the lens
// sampling the square of `side` (averaged and framed when over 1).
double LensUpdateMicroseconds(testing_support::UiThread& ui, HWND window, int updates,
                              std::int32_t side = 1);

// Updates a second of that picker's lens, by its own timer, while another thread moves the
// pointer continuously for `seconds`.
double LensUpdatesPerSecond(testing_support::UiThread& ui, HWND window, double seconds);

// Tintview (`program`, in its own process) sampling for `seconds` with a still pointer over a
// still screen: its CPU time as a percentage of one core.
double SamplingIdleCpuPercent(const std::string& program, double seconds);
