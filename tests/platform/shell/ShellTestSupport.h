// Helpers of the shell tests.
#pragma once

#include <string>

#include "foundation/str/StrBuffer.h"
#include "tests/platform/file/PathTestSupport.h"

namespace shelltest {

// The text of a new pooled string, which goes back to its pool.
inline std::wstring take(s::str::strbuffer::StrBuffer* s) {
    std::wstring out = s->text();
    s->release();
    return out;
}

}  // namespace shelltest
