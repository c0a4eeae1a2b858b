#pragma once

#include "platform/clock.h"

namespace kordex {

class SystemClock : public Clock {
  public:
    double Seconds() override;
    LocalDateTime Now() override;
};

}  // namespace kordex
