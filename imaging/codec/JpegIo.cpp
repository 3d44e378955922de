#include "imaging/codec/JpegIo.h"

#include <cstring>

#include <jerror.h>

namespace s::image::jpg {

namespace {

void trapErrorExit(j_common_ptr cinfo) {
    JpegErrorTrap* trap = reinterpret_cast<JpegErrorTrap*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, trap->message);
    __builtin_longjmp(trap->jump, 1);
}

void silentOutput(j_common_ptr) {}

struct Destination {
    jpeg_destination_mgr pub;
    CodecOutput* output;
};

void initDestination(j_compress_ptr cinfo) {
    Destination* d = reinterpret_cast<Destination*>(cinfo->dest);
    d->pub.next_output_byte = d->output->buffer();
    d->pub.free_in_buffer = CodecOutput::kChunk;
}

boolean emptyOutputBuffer(j_compress_ptr cinfo) {
    Destination* d = reinterpret_cast<Destination*>(cinfo->dest);
    if (!d->output->emit(CodecOutput::kChunk)) ERREXIT(cinfo, JERR_FILE_WRITE);
    d->pub.next_output_byte = d->output->buffer();
    d->pub.free_in_buffer = CodecOutput::kChunk;
    return TRUE;
}

void termDestination(j_compress_ptr cinfo) {
    Destination* d = reinterpret_cast<Destination*>(cinfo->dest);
    uint32_t n = uint32_t(CodecOutput::kChunk - d->pub.free_in_buffer);
    if (n && !d->output->emit(n)) ERREXIT(cinfo, JERR_FILE_WRITE);
}

}  // namespace

jpeg_error_mgr* initErrorTrap(JpegErrorTrap* trap) {
    jpeg_std_error(&trap->mgr);
    trap->mgr.error_exit = trapErrorExit;
    trap->mgr.output_message = silentOutput;
    trap->message[0] = '\0';
    return &trap->mgr;
}

__attribute__((noinline)) bool runTrapped(JpegErrorTrap* trap, void (*body)(void*), void* arg) {
    if (__builtin_setjmp(trap->jump)) return false;
    body(arg);
    return true;
}

void useDestination(j_compress_ptr cinfo, CodecOutput* output) {
    Destination* d = static_cast<Destination*>(
        (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(Destination)));
    d->pub.init_destination = initDestination;
    d->pub.empty_output_buffer = emptyOutputBuffer;
    d->pub.term_destination = termDestination;
    d->output = output;
    cinfo->dest = &d->pub;
}

}  // namespace s::image::jpg
