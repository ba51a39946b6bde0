// Compresses arbitrary input and expands it again with our reader: it must come back
// byte for byte; and any input read as a compressed file must not upset the reader.
#include "core/Szdd.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string file;
    if (!core::CompressSzdd(input, 'X', file)) std::abort();
    core::SzddContent content;
    if (!core::ExpandSzdd(file, content) || content.truncated || content.data != input ||
        content.headerSize != size || file.size() > core::kSzddHeaderSize + size + (size + 7) / 8)
        std::abort();
    core::ExpandSzdd(input, content);
    return 0;
}
