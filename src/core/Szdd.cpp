#include "core/Szdd.h"

#include "core/ShiftJis.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace core {

namespace {

constexpr unsigned char kMagic[8] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
constexpr std::size_t kRing = 4096;
constexpr std::size_t kRingStart = 0xFF0;
// A reference reaches at most one byte less than the whole ring back, so it never
// names the slot the expander is about to write.
constexpr std::size_t kMaxDistance = kRing - 1;
constexpr std::size_t kMinMatch = 3, kMaxMatch = 18;

// Earlier positions are found through a hash of their first three bytes: the latest
// position of each hash, and for each position the one before it with the same hash.
constexpr unsigned kHashBits = 16;
constexpr int kMaxChain = 24;  // positions tried per search
// Slices are parsed on their own (no reference crosses a slice's end), so they can be
// compressed at once on several threads. Each holds a multiple of eight bytes and ends
// after a multiple of eight tokens, so its flag groups are its own and the slices'
// outputs follow one another as they are.
constexpr std::size_t kSlice = std::size_t{1} << 18;
static_assert(kSlice % 8 == 0);

// A match: the length bytes at the next position repeat those distance bytes back.
struct Match {
    std::uint16_t length;
    std::uint16_t distance;
};

// How many leading bytes of a and b agree, at most limit.
inline std::size_t CommonLength(const unsigned char* a, const unsigned char* b, std::size_t limit) {
    std::size_t length = 0;
    while (length + 8 <= limit) {
        std::uint64_t x, y;
        std::memcpy(&x, a + length, 8);
        std::memcpy(&y, b + length, 8);
        if (x != y) return length + static_cast<std::size_t>(__builtin_ctzll(x ^ y) / 8);
        length += 8;
    }
    while (length < limit && a[length] == b[length]) ++length;
    return length;
}

// The positions of one slice's text, searchable by their first three bytes. Positions
// are kept in 16 bits (the latest of each hash) and as distances back (from each
// position to the one before it with the same hash): an entry that wrapped around
// names some nearer position, which costs a comparison but finds only true matches.
class MatchFinder {
public:
    MatchFinder(const unsigned char* text, std::size_t end)
        : m_text(text), m_end(end), m_head(std::size_t{1} << kHashBits, kFar), m_previous(kRing, kFar) {}

    // Makes the position searchable; returns how far back the latest earlier position
    // with its hash lies (0 for a position too near the end to have a match).
    [[gnu::always_inline]] std::size_t Insert(std::size_t at) {
        if (at + kMinMatch > m_end) return 0;
        std::uint16_t& head = m_head[HashAt(at)];
        const std::uint16_t latest = static_cast<std::uint16_t>(at - head);
        // Slot at % kRing belonged to a position a whole ring back, which no search reaches.
        m_previous[at % kRing] = latest;
        head = static_cast<std::uint16_t>(at);
        return latest;
    }

    // The longest earlier match of the bytes at `at` (none shorter than kMinMatch),
    // then `at` itself becomes searchable. Most bytes of data that does not compress
    // have no earlier position with their hash in the ring: that way is kept short.
    [[gnu::always_inline]] Match FindAndInsert(std::size_t at) {
        const std::size_t latest = Insert(at);
        if (latest - 1 >= kMaxDistance) return Match{0, 0};  // none, or none within the ring
        return LongestMatch(at, latest);
    }

private:
    // The longest match along the chain of positions with the hash of the bytes at `at`,
    // from the one distance back.
    [[gnu::noinline]] Match LongestMatch(std::size_t at, std::size_t distance) const {
        Match best{0, 0};
        const std::size_t limit = std::min(kMaxMatch, m_end - at);
        const unsigned char* here = m_text + at;
        for (int steps = 0; distance >= 1 && distance <= kMaxDistance && steps < kMaxChain; ++steps) {
            const unsigned char* there = here - distance;
            if (there[best.length] == here[best.length]) {
                const std::size_t length = CommonLength(there, here, limit);
                if (length > best.length) {
                    best = {static_cast<std::uint16_t>(length), static_cast<std::uint16_t>(distance)};
                    if (length == limit) break;
                }
            }
            distance += m_previous[(at - distance) % kRing];
        }
        return best.length >= kMinMatch ? best : Match{0, 0};
    }

    // The hash of the three bytes at `at`. Where a fourth byte follows, one load reads
    // them all and the fourth is shifted out (on a little-endian machine; elsewhere the
    // two ways disagree, which costs matches but never gives a wrong one).
    [[gnu::always_inline]] std::uint32_t HashAt(std::size_t at) const {
        std::uint32_t v;
        if (at + 4 <= m_end) {
            std::memcpy(&v, m_text + at, 4);
            v <<= 8;
        } else {
            v = static_cast<std::uint32_t>(m_text[at] << 8 | m_text[at + 1] << 16) | std::uint32_t{m_text[at + 2]} << 24;
        }
        return (v * 2654435761u) >> (32 - kHashBits);
    }

    // A distance beyond the ring, for "no earlier position".
    static constexpr std::uint16_t kFar = 0x8000;
    const unsigned char* m_text;
    std::size_t m_end;
    std::vector<std::uint16_t> m_head;
    std::vector<std::uint16_t> m_previous;
};

// The tokens chosen for one slice: its references, in order; every byte no reference
// covers is a literal.
struct SliceTokens {
    struct Reference {
        std::uint32_t position;  // in the slice
        Match match;
    };
    std::vector<Reference> references;
    std::size_t count = 0;    // bytes in the slice
    std::size_t covered = 0;  // bytes the references cover

    std::size_t Tokens() const { return count - covered + references.size(); }
    // Bytes in the file: the flag bytes, a byte per literal and two per reference.
    std::size_t Encoded() const { return (Tokens() + 7) / 8 + count - covered + 2 * references.size(); }
};

// The tokens of the count bytes at text + kRing (the kRing bytes before them are the
// ring's content when the first is written), chosen greedily with a one-byte lazy
// look-ahead: a match is put off for a longer one that starts at the next byte.
void ParseSlice(const unsigned char* text, std::size_t count, SliceTokens& tokens) {
    const std::size_t end = kRing + count;
    MatchFinder finder(text, end);
    for (std::size_t at = 0; at < kRing; ++at) finder.Insert(at);
    tokens.count = count;
    std::size_t at = kRing;
    Match match = finder.FindAndInsert(at);
    while (at < end) {
        if (match.length == 0) {
            match = finder.FindAndInsert(++at);
            continue;
        }
        std::size_t inserted = at + 1;  // the next position to make searchable
        if (match.length < kMaxMatch) {
            const Match next = finder.FindAndInsert(at + 1);
            ++inserted;
            if (next.length > match.length) {
                ++at;
                match = next;
                continue;
            }
        }
        tokens.references.push_back({static_cast<std::uint32_t>(at - kRing), match});
        tokens.covered += match.length;
        at += match.length;
        for (; inserted < at; ++inserted) finder.Insert(inserted);
        match = finder.FindAndInsert(at);
    }
}

// Makes the token count a multiple of eight by shortening or dropping the last
// references (each byte taken from a reference becomes a literal token). The slice's
// byte count is a multiple of eight, so the literals alone would be too: dropping
// every reference always succeeds.
void AlignTokens(SliceTokens& tokens) {
    std::size_t missing = (8 - tokens.Tokens() % 8) % 8;
    while (missing > 0) {
        Match& last = tokens.references.back().match;
        if (missing + kMinMatch <= last.length) {
            last.length = static_cast<std::uint16_t>(last.length - missing);
            tokens.covered -= missing;
            return;
        }
        missing = (missing + 8 - (last.length - 1u) % 8) % 8;
        tokens.covered -= last.length;
        tokens.references.pop_back();
    }
}

// Writes the tokens of the bytes at data (a slice `first` bytes into the file) in the
// file's format, one flag byte before each group of eight, from a group's start.
void EncodeSlice(const SliceTokens& tokens, const unsigned char* data, std::size_t first, unsigned char* output) {
    unsigned char* flags = nullptr;
    unsigned bit = 8;
    auto flagBit = [&] {  // the next token's bit in its group's flag byte
        if (bit == 8) {
            flags = output++;
            *flags = 0;
            bit = 0;
        }
        return bit++;
    };
    std::size_t position = 0;
    auto literalsUpTo = [&](std::size_t stop) {
        while (position < stop) {
            if (bit == 8 && stop - position >= 8) {  // a whole group of literals
                *output++ = 0xFF;
                std::memcpy(output, data + position, 8);
                output += 8;
                position += 8;
                continue;
            }
            const unsigned literal = flagBit();
            *flags = static_cast<unsigned char>(*flags | (1u << literal));
            *output++ = data[position++];
        }
    };
    for (const SliceTokens::Reference& reference : tokens.references) {
        literalsUpTo(reference.position);
        flagBit();
        const std::size_t slot = (kRingStart + first + position - reference.match.distance) % kRing;
        *output++ = static_cast<unsigned char>(slot & 0xFF);
        *output++ = static_cast<unsigned char>(((slot >> 4) & 0xF0) | (reference.match.length - kMinMatch));
        position += reference.match.length;
    }
    literalsUpTo(tokens.count);
}

}  // namespace

char SzddNameByte(std::string_view expandedName) {
    if (expandedName.empty()) return 0;
    // Walk the characters: the last one is double-byte when a lead byte starts it.
    std::size_t i = 0, last = 0;
    while (i < expandedName.size()) {
        last = i;
        i += IsShiftJisLeadByte(static_cast<unsigned char>(expandedName[i])) ? 2 : 1;
    }
    return last == expandedName.size() - 1 ? expandedName[last] : 0;
}

bool CompressSzdd(std::string_view data, char nameByte, std::string& out, const ParallelRun& run) {
    if (data.size() > std::numeric_limits<std::uint32_t>::max()) return false;
    const std::size_t n = data.size();
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
    const std::size_t slices = std::max<std::size_t>(1, (n + kSlice - 1) / kSlice);
    auto parallel = [&](const std::function<void(std::size_t)>& task) {
        if (run && slices > 1) {
            run(slices, task);
        } else {
            for (std::size_t s = 0; s < slices; ++s) task(s);
        }
    };

    // 1. Each slice's tokens. Before the first slice the ring holds blanks.
    std::vector<SliceTokens> parts(slices);
    parallel([&](std::size_t s) {
        const std::size_t begin = s * kSlice, count = std::min(n, begin + kSlice) - begin;
        if (s == 0) {
            std::vector<unsigned char> text(kRing + count, ' ');
            if (count) std::memcpy(text.data() + kRing, bytes, count);
            ParseSlice(text.data(), count, parts[s]);
        } else {
            ParseSlice(bytes + begin - kRing, count, parts[s]);
        }
        if (s + 1 < slices) AlignTokens(parts[s]);
    });

    // 2. The header, then each slice's tokens where the ones before end.
    std::vector<std::size_t> offset(slices + 1, kSzddHeaderSize);
    for (std::size_t s = 0; s < slices; ++s) offset[s + 1] = offset[s] + parts[s].Encoded();
    std::string result(offset[slices], '\0');
    std::memcpy(result.data(), kMagic, sizeof kMagic);
    result[8] = 'A';
    result[9] = nameByte;
    for (int b = 0; b < 4; ++b) result[10 + b] = static_cast<char>((n >> (8 * b)) & 0xFF);
    auto* output = reinterpret_cast<unsigned char*>(result.data());
    parallel([&](std::size_t s) { EncodeSlice(parts[s], bytes + s * kSlice, s * kSlice, output + offset[s]); });
    out = std::move(result);
    return true;
}

bool IsSzdd(std::string_view file) {
    return file.size() >= kSzddHeaderSize && std::memcmp(file.data(), kMagic, sizeof kMagic) == 0 && file[8] == 'A';
}

bool ExpandSzdd(std::string_view file, SzddContent& content) {
    if (!IsSzdd(file)) return false;
    content = SzddContent{};
    content.nameByte = file[9];
    for (int b = 0; b < 4; ++b)
        content.headerSize |= static_cast<std::uint32_t>(static_cast<unsigned char>(file[10 + b])) << (8 * b);

    unsigned char ring[kRing];
    std::memset(ring, ' ', sizeof ring);
    std::size_t write = kRingStart;
    std::string& out = content.data;
    out.reserve(std::min<std::size_t>(content.headerSize, file.size() * 9));
    auto put = [&](unsigned char byte) {
        out.push_back(static_cast<char>(byte));
        ring[write] = byte;
        write = (write + 1) % kRing;
    };
    std::size_t in = kSzddHeaderSize;
    while (in < file.size()) {
        const unsigned flags = static_cast<unsigned char>(file[in++]);
        for (int bit = 0; bit < 8 && in < file.size(); ++bit) {
            if (flags & (1u << bit)) {
                put(static_cast<unsigned char>(file[in++]));
                continue;
            }
            if (in + 1 >= file.size()) {
                content.truncated = true;
                return true;
            }
            const unsigned b1 = static_cast<unsigned char>(file[in]);
            const unsigned b2 = static_cast<unsigned char>(file[in + 1]);
            in += 2;
            std::size_t slot = b1 | ((b2 & 0xF0) << 4);
            for (std::size_t k = 0; k < (b2 & 0x0F) + kMinMatch; ++k) {
                put(ring[slot]);  // read before the write: overlapping runs repeat
                slot = (slot + 1) % kRing;
            }
        }
    }
    return true;
}

}  // namespace core
