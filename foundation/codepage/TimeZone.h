// A time zone record: the system's zone information with its names. No behaviour of
// its own beyond the object interface.
#pragma once

#include <windows.h>

#include <cstdint>

#include "foundation/thread/Pool.h"

namespace s::str::strbuffer {
class StrBuffer;
}

namespace s::time {

class TimeZone : public base::IObject, public thread::IPoolable {
    S_POOLED(TimeZone, L"s_time_TimeZone")

public:
    TimeZone();
    ~TimeZone() override;
    TimeZone(const TimeZone&) = delete;
    TimeZone& operator=(const TimeZone&) = delete;

    // Zeroes both numbers and the record; the strings keep no storage.
    void reset() override;

    int32_t index = 0;
    str::strbuffer::StrBuffer* displayName;
    str::strbuffer::StrBuffer* standardName;
    str::strbuffer::StrBuffer* daylightName;
    int32_t bias = 0;
    TIME_ZONE_INFORMATION info;
};

}  // namespace s::time
