#include "imaging/codec/CodecStream.h"

#include <cstdlib>
#include <cstring>

namespace s::image {

uint64_t bytesLeft(io::IInputStream* in) {
    if (!in || !in->isSeekable()) return UINT64_MAX;
    uint64_t pos = in->getPosition();
    uint64_t end = in->seekToEnd();
    in->seek(pos);
    return end >= pos ? end - pos : 0;
}

// ---------------------------------------------------------------- CodecInput

CodecInput::CodecInput(io::IInputStream* in) : in_(in) {
    buffer_ = static_cast<uint8_t*>(std::malloc(kChunk));
    cur_ = buffer_;
    if (!in_ || !buffer_) {
        failed_ = true;
        return;
    }
    if (in_->isSeekable()) {
        start_ = in_->getPosition();
        length_ = bytesLeft(in_);
    }
}

CodecInput::~CodecInput() { std::free(buffer_); }

uint64_t CodecInput::remaining() const {
    if (length_ == UINT64_MAX) return UINT64_MAX;
    uint64_t c = consumed();
    return c < length_ ? length_ - c : 0;
}

bool CodecInput::fill() {
    consumedBefore_ += uint64_t(cur_ - buffer_) + avail_;
    cur_ = buffer_;
    avail_ = 0;
    if (failed_ || finished_) return false;
    uint32_t k = 0;
    if (!in_->read(buffer_, kChunk, k) || k == 0) {
        if (in_->hasError()) failed_ = true;
        return false;
    }
    avail_ = k;
    return true;
}

bool CodecInput::read(void* dst, uint32_t n) {
    uint8_t* d = static_cast<uint8_t*>(dst);
    while (n) {
        if (avail_ == 0 && !fill()) return false;
        uint32_t k = n < avail_ ? n : avail_;
        std::memcpy(d, cur_, k);
        d += k;
        cur_ += k;
        avail_ -= k;
        n -= k;
    }
    return true;
}

bool CodecInput::skip(uint64_t n) {
    if (n <= avail_) {
        cur_ += n;
        avail_ -= uint32_t(n);
        return true;
    }
    n -= avail_;
    cur_ += avail_;
    avail_ = 0;
    if (in_ && in_->isSeekable() && !failed_) {
        if (n > remaining()) return false;
        // The chunk is used up: the stream stands at its end, so skip there.
        consumedBefore_ += uint64_t(cur_ - buffer_) + n;
        cur_ = buffer_;
        in_->skip(n);
        return true;
    }
    while (n) {
        if (!fill()) return false;
        uint32_t k = n < avail_ ? uint32_t(n) : avail_;
        cur_ += k;
        avail_ -= k;
        n -= k;
    }
    return true;
}

bool CodecInput::skipTo(uint64_t offset) {
    uint64_t c = consumed();
    if (offset < c) return false;
    return skip(offset - c);
}

void CodecInput::finish() {
    if (finished_) return;
    finished_ = true;
    if (avail_ && in_ && in_->isSeekable()) in_->skipBack(avail_);
    consumedBefore_ += uint64_t(cur_ - buffer_);
    cur_ = buffer_;
    avail_ = 0;
}

// ---------------------------------------------------------------- CodecOutput

CodecOutput::CodecOutput(io::IOutputStream* out) : out_(out) {
    buffer_ = static_cast<uint8_t*>(std::malloc(kChunk));
    if (!out_) failed_ = true;
}

CodecOutput::~CodecOutput() { std::free(buffer_); }

bool CodecOutput::emit(uint32_t n) {
    if (!ok()) return false;
    if (!io::IOutputStream::writeFully(out_, buffer_, n)) failed_ = true;
    return !failed_;
}

bool CodecOutput::write(const void* data, uint32_t n) {
    if (!ok()) return false;
    const uint8_t* p = static_cast<const uint8_t*>(data);
    while (n) {
        if (used_ == kChunk) {
            if (!emit(used_)) return false;
            used_ = 0;
        }
        uint32_t k = kChunk - used_;
        if (k > n) k = n;
        std::memcpy(buffer_ + used_, p, k);
        used_ += k;
        p += k;
        n -= k;
    }
    return true;
}

bool CodecOutput::flush() {
    if (!ok()) return false;
    if (used_ && !emit(used_)) return false;
    used_ = 0;
    return true;
}

}  // namespace s::image
