// The benchmarks' clock under Windows: milliseconds since it was made, from
// the performance counter.
#pragma once

#include "platform/win32/win.h"

namespace bench {

class Clock {
 public:
  Clock() {
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&start_);
  }
  double Ms() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) / static_cast<double>(frequency_.QuadPart);
  }

 private:
  LARGE_INTEGER frequency_, start_;
};

}  // namespace bench
