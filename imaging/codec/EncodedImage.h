// The interface of every picture-file codec, and the operations all codecs share:
// saving to and loading from a path.
#pragma once

#include <cstdint>

namespace s::io { class IInputStream; class IOutputStream; }
namespace s::file::win { class PathWin; }
namespace s::image::win { class BufferedImage; class BufferedImageSet; }
namespace s::archive::dll::win { class Archive; }

namespace s::image {

// A codec holds one decoded picture (or the pictures to encode). A codec class also
// derives from IObject, IPoolable and IImage; its pool's release and its size getters
// serve the operations of the same names here.
class IEncodedImage {
public:
    virtual ~IEncodedImage() = default;

    // Size of the held picture (of the first image of a multi-image codec).
    virtual int getWidth() const = 0;
    virtual int getHeight() const = 0;
    // The format's file extension with its dot (".jpg").
    virtual const wchar_t* getExtension() const = 0;
    // The frame as a 32-bit image, written into dst (grown to fit) or into a new pooled
    // image that is returned; null when there is no picture or no image could be made.
    virtual win::BufferedImage* toImage(int frame, win::BufferedImage* dst) = 0;
    // A new set holding every frame with its bit depth, delay and disposal; null when
    // there is no picture.
    virtual win::BufferedImageSet* toImageSet() = 0;
    // Encodes the held picture; false when there is none or the stream refused a byte.
    virtual bool write(io::IOutputStream* out) = 0;
    // Decodes from the stream's current position, replacing what is held. False when
    // the data is not a picture this codec can decode; nothing is held then.
    virtual bool read(io::IInputStream* in) = 0;
    virtual bool hasSeveralImages() const = 0;
    virtual int getFrameCount() const = 0;

    // Writes the picture as the whole new content of the file (an existing file is
    // replaced only once everything was written). True when it was all written.
    virtual bool save(const wchar_t* path);
    virtual bool save(file::win::PathWin* path);
    // Reads the file; false (and nothing changes) when it is missing or not a file,
    // false when it cannot be decoded.
    virtual bool load(const wchar_t* path);
    virtual bool load(file::win::PathWin* path);

    // A new codec of the same format made from the set's main frame (multi-frame
    // formats override this); null when the set is empty.
    virtual IEncodedImage* newEncoderForSet(win::BufferedImageSet* set);
    // A new codec of the same format made from the image with the format's defaults.
    virtual IEncodedImage* newEncoderFor(win::BufferedImage* image) = 0;

    // Frame lookups; a single-image codec answers index 0.
    virtual bool findFrame(int w, int h, int depth, int* index) const;
    virtual bool findBestFrameByDepth(int w, int h, int depth, int* index) const;
    virtual bool findBestFrameBySize(int w, int h, int depth, int* index) const;

    // Gives the codec back to its class pool.
    virtual void release() = 0;
};

// Decodes the resource of that type and id of a module archive with the codec; false
// when there is no such resource or its bytes are not a picture of the codec's format.
bool readResourceImage(IEncodedImage* codec, archive::dll::win::Archive* archive, const wchar_t* typeName,
                       uint32_t id);

}  // namespace s::image
