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

struct Source {
    jpeg_source_mgr pub;
    CodecInput* input;
    bool startOfFile;
};

void initSource(j_decompress_ptr cinfo) { reinterpret_cast<Source*>(cinfo->src)->startOfFile = true; }

const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};

boolean fillInputBuffer(j_decompress_ptr cinfo) {
    Source* src = reinterpret_cast<Source*>(cinfo->src);
    CodecInput* in = src->input;
    if (in->fill()) {
        src->pub.next_input_byte = in->cur();
        src->pub.bytes_in_buffer = in->avail();
    } else {
        if (src->startOfFile) ERREXIT(cinfo, JERR_INPUT_EMPTY);
        WARNMS(cinfo, JWRN_JPEG_EOF);
        src->pub.next_input_byte = kEndOfImage;
        src->pub.bytes_in_buffer = 2;
    }
    src->startOfFile = false;
    return TRUE;
}

void skipInputData(j_decompress_ptr cinfo, long n) {
    Source* src = reinterpret_cast<Source*>(cinfo->src);
    if (n <= 0) return;
    while (size_t(n) > src->pub.bytes_in_buffer) {
        n -= long(src->pub.bytes_in_buffer);
        src->pub.next_input_byte += src->pub.bytes_in_buffer;
        src->pub.bytes_in_buffer = 0;
        fillInputBuffer(cinfo);
        if (src->pub.next_input_byte == kEndOfImage) return;  // the data ended
    }
    src->pub.next_input_byte += n;
    src->pub.bytes_in_buffer -= size_t(n);
}

void termSource(j_decompress_ptr) {}

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

void useSource(j_decompress_ptr cinfo, CodecInput* input) {
    Source* src = static_cast<Source*>(
        (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(Source)));
    src->pub.init_source = initSource;
    src->pub.fill_input_buffer = fillInputBuffer;
    src->pub.skip_input_data = skipInputData;
    src->pub.resync_to_restart = jpeg_resync_to_restart;
    src->pub.term_source = termSource;
    src->pub.next_input_byte = input->cur();
    src->pub.bytes_in_buffer = input->avail();
    src->input = input;
    src->startOfFile = true;
    cinfo->src = &src->pub;
}

void finishSource(j_decompress_ptr cinfo) {
    Source* src = reinterpret_cast<Source*>(cinfo->src);
    if (!src || src->pub.next_input_byte == kEndOfImage) return;
    src->input->setCursor(src->pub.next_input_byte, uint32_t(src->pub.bytes_in_buffer));
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
