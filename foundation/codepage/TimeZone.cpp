#include "foundation/codepage/TimeZone.h"

#include <cstring>
#include <initializer_list>

#include "foundation/str/StrBuffer.h"

namespace s::time {

using str::strbuffer::StrBuffer;

TimeZone::TimeZone()
    : displayName(StrBuffer::create()), standardName(StrBuffer::create()), daylightName(StrBuffer::create()) {
    std::memset(&info, 0, sizeof info);
}

TimeZone::~TimeZone() {
    for (StrBuffer* s : {displayName, standardName, daylightName}) delete s;
}

void TimeZone::reset() {
    index = 0;
    bias = 0;
    std::memset(&info, 0, sizeof info);
    for (StrBuffer* s : {displayName, standardName, daylightName})
        if (s) s->freeStorage();
}

}  // namespace s::time
