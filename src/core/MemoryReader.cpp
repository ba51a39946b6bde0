#include "core/MemoryReader.h"

#include <cstring>

namespace core {

namespace {

bool IsValid(std::string_view data, int position) {
    return position >= 0 && static_cast<size_t>(position) < data.size();
}

}  // namespace

int ReadLineAt(std::string_view data, int& position, std::string& line) {
    line.clear();
    if (!IsValid(data, position)) return 0;
    const size_t start = static_cast<size_t>(position);
    size_t end = start;
    while (end < data.size() && data[end] != '\0' && data[end] != '\n' && data[end] != '\r') ++end;
    line.assign(data.substr(start, end - start));

    size_t next = end;
    if (end < data.size()) {
        ++next;  // past the terminator
        if (data[end] == '\n' && next < data.size() && data[next] == '\r') ++next;
    }
    position = static_cast<int>(next);
    return static_cast<int>(line.size());
}

int ReadBytesAt(std::string_view data, int& position, void* buffer, int count) {
    if (position < 0 || count <= 0 || static_cast<size_t>(position) >= data.size()) return 0;
    const size_t available = data.size() - static_cast<size_t>(position);
    const size_t copied = static_cast<size_t>(count) < available ? static_cast<size_t>(count) : available;
    std::memcpy(buffer, data.data() + position, copied);
    position += static_cast<int>(copied);
    return static_cast<int>(copied);
}

int ReadFixedAt(std::string_view data, int& position, void* buffer, int size) {
    if (position < 0 || size <= 0 || static_cast<size_t>(position) > data.size() ||
        data.size() - static_cast<size_t>(position) < static_cast<size_t>(size))
        return 0;
    std::memcpy(buffer, data.data() + position, static_cast<size_t>(size));
    position += size;
    return size;
}

int SeekPosition(int current, int length, int offset, int origin) {
    long long target;
    switch (origin) {
        case 0: target = offset; break;
        case 1: target = static_cast<long long>(current) + offset; break;
        case 2: target = static_cast<long long>(length) - offset - 1; break;
        default: return -1;
    }
    return target < 0 || target >= length ? -1 : static_cast<int>(target);
}

}  // namespace core
