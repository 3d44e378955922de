// The codec tests' shared helpers (memory streams, ImageMagick decodes) built into the
// GIF test program as well.
#include "imaging/codec/CodecTestSupport.cpp"
