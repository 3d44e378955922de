// libjpeg glue: an error manager that returns control to the codec instead of ending
// the process, and a destination manager over the codec's buffered output.
#pragma once

#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include "imaging/codec/CodecStream.h"

namespace s::image::jpg {

// Error manager: a fatal library error jumps back to the trap set by runTrapped, with
// the library's message kept; warnings are counted silently.
struct JpegErrorTrap {
    jpeg_error_mgr mgr;
    void* jump[5];
    char message[JMSG_LENGTH_MAX];
};

jpeg_error_mgr* initErrorTrap(JpegErrorTrap* trap);

// Calls body(arg) so that a fatal library error inside it returns false here. The body
// must hold no object with a destructor: its frame is abandoned on an error.
bool runTrapped(JpegErrorTrap* trap, void (*body)(void*), void* arg);

// Destination manager writing through the buffered output; a refused write is a fatal
// error.
void useDestination(j_compress_ptr cinfo, CodecOutput* output);

}  // namespace s::image::jpg
