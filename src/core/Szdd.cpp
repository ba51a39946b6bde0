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
constexpr unsigned kLiteralBits = 9, kReferenceBits = 17;

constexpr std::size_t kHashBits = 15;
constexpr std::size_t kChainRing = 2 * kRing;  // more than a window: live entries are never overwritten
constexpr int kMaxChain = 16;
// A match longer than this is followed on at the next position instead of searching anew.
constexpr std::size_t kGoodMatch = 12;
// Slices are parsed on their own (no reference crosses a slice's end), so they can be
// searched and encoded at once on several threads; small enough to stay in the cache.
constexpr std::size_t kSlice = std::size_t{1} << 18;

// One slice's tokens: for each, its length (1 for a literal) and, for a reference, its distance.
struct SliceTokens {
    std::vector<std::uint8_t> length;
    std::vector<std::uint16_t> distance;
    std::size_t payload = 0;  // bytes the tokens take after the flag bits
};

inline std::uint32_t HashOf(std::uint32_t v) { return (v * 2654435761u) >> (32 - kHashBits); }
inline std::uint32_t Hash3(const unsigned char* p) { return HashOf(p[0] | (p[1] << 8) | (p[2] << 16)); }
inline std::uint32_t Hash4(const unsigned char* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return HashOf(v);
}

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

// Searches the longest match of each of the count bytes at text + kRing (the kRing
// bytes before them are the ring's content when the first is written), then picks the
// cheapest tokens that cover exactly those bytes: a shortest path over the positions,
// where a literal costs 9 bits and a reference 17.
void ParseSlice(const unsigned char* text, std::size_t count, SliceTokens& tokens) {
    // Matches of four bytes and more are searched along a chain of earlier positions
    // with the same four-byte hash; a three-byte match costs the same at any distance,
    // so for it the latest position with those three bytes is enough.
    std::vector<std::int32_t> head(std::size_t{1} << kHashBits, -1);
    std::vector<std::int32_t> latest3(std::size_t{1} << kHashBits, -1);
    std::vector<std::int32_t> chain(kChainRing, -1);
    const std::size_t end = kRing + count;
    auto insert = [&](std::size_t at) {
        if (at + kMinMatch > end) return;
        latest3[Hash3(text + at)] = static_cast<std::int32_t>(at);
        if (at + 4 > end) return;
        std::uint32_t h = Hash4(text + at);
        chain[at % kChainRing] = head[h];
        head[h] = static_cast<std::int32_t>(at);
    };
    for (std::size_t at = 0; at < kRing; ++at) insert(at);

    std::vector<std::uint8_t> best(count);
    std::vector<std::uint16_t> bestDistance(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = kRing + i;
        const std::size_t limit = std::min(kMaxMatch, end - at);
        const unsigned char* here = text + at;
        std::size_t length = 0, distance = 0;
        // Inside a long match the same distance goes on matching: take it without a search.
        if (i > 0 && best[i - 1] > kGoodMatch && limit >= kMinMatch) {
            distance = bestDistance[i - 1];
            length = CommonLength(here - distance, here, limit);
        } else if (limit >= 4) {
            std::int32_t candidate = head[Hash4(here)];
            for (int steps = 0; candidate >= 0 && steps < kMaxChain; ++steps) {
                const std::size_t d = at - static_cast<std::size_t>(candidate);
                if (d > kMaxDistance) break;
                const unsigned char* there = text + candidate;
                if (there[length] == here[length]) {
                    const std::size_t common = CommonLength(there, here, limit);
                    if (common > length) {
                        length = common;
                        distance = d;
                        if (length == limit) break;
                    }
                }
                candidate = chain[static_cast<std::size_t>(candidate) % kChainRing];
            }
        }
        if (length < kMinMatch && limit >= kMinMatch) {
            const std::int32_t candidate = latest3[Hash3(here)];
            if (candidate >= 0 && at - static_cast<std::size_t>(candidate) <= kMaxDistance &&
                CommonLength(text + candidate, here, kMinMatch) == kMinMatch) {
                length = kMinMatch;
                distance = at - static_cast<std::size_t>(candidate);
            }
        }
        best[i] = static_cast<std::uint8_t>(length >= kMinMatch ? length : 0);
        bestDistance[i] = static_cast<std::uint16_t>(distance);
        insert(at);
    }

    // cost[i]: the fewest bits that encode the bytes from i to the end of the slice.
    std::vector<std::uint32_t> cost(count + 1, 0);
    for (std::size_t i = count; i-- > 0;) {
        std::uint32_t bits = cost[i + 1] + kLiteralBits;
        if (best[i]) {
            std::uint32_t after = cost[i + kMinMatch];
            for (std::size_t length = kMinMatch + 1; length <= best[i]; ++length) after = std::min(after, cost[i + length]);
            bits = std::min(bits, after + kReferenceBits);
        }
        cost[i] = bits;
    }
    tokens.length.clear();
    tokens.distance.clear();
    for (std::size_t i = 0; i < count;) {
        std::size_t length = 1;
        if (cost[i] != cost[i + 1] + kLiteralBits) {
            length = best[i];  // the longest reference that reaches the cheapest rest
            while (cost[i + length] + kReferenceBits != cost[i]) --length;
            tokens.distance.push_back(bestDistance[i]);
        }
        tokens.length.push_back(static_cast<std::uint8_t>(length));
        tokens.payload += length > 1 ? 2 : 1;
        i += length;
    }
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
    });

    // 2. Where each slice's tokens go: token t's payload follows the flag bytes of
    // groups 0 .. t / 8 and the payload of the tokens before it.
    std::vector<std::size_t> firstToken(slices + 1, 0), payloadBefore(slices + 1, 0);
    for (std::size_t s = 0; s < slices; ++s) {
        firstToken[s + 1] = firstToken[s] + parts[s].length.size();
        payloadBefore[s + 1] = payloadBefore[s] + parts[s].payload;
    }
    const std::size_t tokenCount = firstToken[slices];
    std::string result(kSzddHeaderSize + payloadBefore[slices] + (tokenCount + 7) / 8, '\0');
    std::memcpy(result.data(), kMagic, sizeof kMagic);
    result[8] = 'A';
    result[9] = nameByte;
    for (int b = 0; b < 4; ++b) result[10 + b] = static_cast<char>((n >> (8 * b)) & 0xFF);

    // 3. Each slice writes its payload and the flag bytes of the groups that start in
    // it; the bits of a group begun by the slice before are kept for step 4.
    auto* output = reinterpret_cast<unsigned char*>(result.data());
    std::vector<unsigned char> carried(slices, 0);
    parallel([&](std::size_t s) {
        const SliceTokens& part = parts[s];
        std::size_t t = firstToken[s], position = s * kSlice, reference = 0;
        std::size_t at = kSzddHeaderSize + payloadBefore[s] + (t + 7) / 8;  // after the flag bytes so far
        unsigned char* flags = nullptr;  // the flag byte of the current group, once it is this slice's
        for (std::uint8_t length : part.length) {
            if (t % 8 == 0) {
                flags = output + at;
                ++at;
            }
            if (length == 1) {
                if (flags) {
                    *flags = static_cast<unsigned char>(*flags | (1u << (t % 8)));
                } else {
                    carried[s] = static_cast<unsigned char>(carried[s] | (1u << (t % 8)));
                }
                output[at++] = bytes[position];
            } else {
                const std::size_t slot = (kRingStart + position - part.distance[reference++]) % kRing;
                output[at++] = static_cast<unsigned char>(slot & 0xFF);
                output[at++] = static_cast<unsigned char>(((slot >> 4) & 0xF0) | (length - kMinMatch));
            }
            position += length;
            ++t;
        }
    });
    // 4. The carried bits go into the flag byte of the group they belong to.
    for (std::size_t s = 0; s < slices; ++s) {
        if (!carried[s]) continue;
        const std::size_t group = firstToken[s] / 8;
        // The group's flag byte precedes the payload of its first token.
        std::size_t owner = s;
        while (owner > 0 && firstToken[owner] > group * 8) --owner;
        std::size_t payload = payloadBefore[owner];
        for (std::size_t k = 0, t = firstToken[owner]; t < group * 8; ++k, ++t)
            payload += parts[owner].length[k] > 1 ? 2 : 1;
        output[kSzddHeaderSize + payload + group] |= carried[s];
    }
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
