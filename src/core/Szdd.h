#pragma once
// The classic "SZDD" compressed file format that the platform's LZ expander and
// version-installation service read: a 14-byte header (magic, method 'A', the last
// character of the expanded name, the expanded size) followed by LZSS over a
// 4,096-byte ring that starts filled with blanks and is first written at 0xFF0.
// Each flag byte announces eight tokens, low bit first: 1 a literal byte, 0 a
// two-byte reference (ring position in 12 bits, length 3 to 18 in 4 bits).
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace core {

constexpr std::size_t kSzddHeaderSize = 14;

// Runs task(0) ... task(count - 1), in any order, possibly at once on several threads.
using ParallelRun = std::function<void(std::size_t count, const std::function<void(std::size_t)>& task)>;

// The header's name byte for an expanded file name: its last byte when the last
// character is a single-byte one, 0 when it is the second byte of a double-byte
// Shift-JIS character (one byte cannot stand for a whole character).
char SzddNameByte(std::string_view expandedName);

// Compresses data into a complete SZDD file: the longest match found through a hash
// of three bytes, or a literal when the next byte starts a longer one. Large data is
// compressed in slices through run (sequentially when run is empty); the output is
// the same either way.
// False (out untouched) when the data is too large for the header's 32-bit size.
bool CompressSzdd(std::string_view data, char nameByte, std::string& out, const ParallelRun& run = {});

// True when the bytes begin with the SZDD magic and method 'A'.
bool IsSzdd(std::string_view file);

struct SzddContent {
    std::string data;              // the expanded bytes
    std::uint32_t headerSize = 0;  // the expanded size the header states
    char nameByte = 0;
    bool truncated = false;        // the data ended inside a reference
};

// Expands an SZDD file as the platform's expander does: tokens are read until the
// compressed data ends, whatever the header states. False when the bytes are no
// SZDD file.
bool ExpandSzdd(std::string_view file, SzddContent& content);

}  // namespace core
