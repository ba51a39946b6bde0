// The mapped-file reads over arbitrary bytes: reading lines to the end must
// always move forward and never read outside the data.
#include "core/MemoryReader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    int position = 0;
    std::string line;
    while (position >= 0 && static_cast<size_t>(position) < bytes.size()) {
        const int before = position;
        const int length = core::ReadLineAt(bytes, position, line);
        if (position <= before || length != static_cast<int>(line.size()) ||
            static_cast<size_t>(position) > bytes.size())
            __builtin_trap();
    }
    if (core::ReadLineAt(bytes, position, line) != 0) __builtin_trap();

    // Seeks from the first bytes of the input, then fixed-size reads from there.
    if (size >= 9) {
        int offset = 0;
        __builtin_memcpy(&offset, data, sizeof offset);
        position = core::SeekPosition(static_cast<int>(data[4]), static_cast<int>(size), offset, data[8] % 4);
        if (position != -1 && (position < 0 || static_cast<size_t>(position) >= size)) __builtin_trap();
        std::int32_t value = 0;
        char buffer[16];
        core::ReadFixedAt(bytes, position, &value, sizeof value);
        core::ReadBytesAt(bytes, position, buffer, sizeof buffer);
    }
    return 0;
}
