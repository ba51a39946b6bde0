#pragma once
// Reading a block of bytes in memory with a position, as the mapped-file classes
// do. The position is an int; -1 marks an invalid position.
#include <string>
#include <string_view>

namespace core {

// Reads one line from the position: the bytes up to the first 0, LF or CR, or
// to the end of the data. The position moves past the terminator; an LF directly
// followed by a CR takes that CR along, while a CR followed by an LF leaves the
// LF to end an empty line on the next call. Returns the line's length. At the
// end of the data, or with an invalid position, the line is empty, the result 0
// and the position stays.
int ReadLineAt(std::string_view data, int& position, std::string& line);

// Copies up to count bytes from the position (never past the data) and moves
// the position on; returns the number copied, 0 with an invalid position.
int ReadBytesAt(std::string_view data, int& position, void* buffer, int count);

// Copies exactly size bytes when that many remain and moves the position on;
// returns size, or 0 (nothing copied, position kept) when fewer remain.
int ReadFixedAt(std::string_view data, int& position, void* buffer, int size);

// The position after a seek: origin 0 takes the offset, 1 adds it to the current
// position, 2 counts back from the last byte (length - offset - 1). A result
// below 0 or at or beyond the length, or an unknown origin, gives -1.
int SeekPosition(int current, int length, int offset, int origin);

}  // namespace core
