#pragma once

#include <chrono>

// The Add switch (Enb); the link kinds are scale::kLink*.
constexpr int kEnableAdd = 1;
constexpr int kDisableAdd = 2;
// Links 3 and 4 read the scale on every timer tick; Add waits there for an empty platform.
bool isContinuousLink();
