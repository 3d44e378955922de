// Byte streams on files.
#pragma once

#include "foundation/io/Stream.h"

namespace s::file {

class IFileInputStream : public io::IInputStream {
public:
    virtual bool isOpen() const = 0;
};

class IFileOutputStream : public io::IOutputStream {
public:
    virtual bool isOpen() const = 0;
    // Finishes the file and answers whether every byte written reached it: the
    // buffered bytes are written out, the file flushed and closed, and a safe output
    // (FileOutputStream::openSafe) then replaces its target. False when any write,
    // the flush, the close or the replacement failed; a failed safe output leaves the
    // target as it was. The stream is closed afterwards in every case.
    virtual bool commit() = 0;
    // Closes without finishing: a safe output deletes its temporary file and leaves the
    // target untouched; a plain output is closed as by close().
    virtual void abort() = 0;
};

}  // namespace s::file
