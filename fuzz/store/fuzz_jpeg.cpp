// Fuzz target: the libjpeg path (every output scale it retries) of LoadImageFile on
// arbitrary bytes, and the whole fallback order behind it.
#include "imagefuzz.h"
#include "store/pictures/jpegdecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kontavo;
    return fuzz::fuzzImageDecoder(data, size,
                                  [](const QByteArray& bytes, const DecodeControl& control) {
                                      return decodeJpeg(bytes, 4, control);
                                  });
}
