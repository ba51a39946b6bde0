#include "core/DialogTemplate.h"

namespace core {

namespace {

constexpr std::uint32_t kSetFont = 0x40;  // DS_SETFONT (DS_SHELLFONT includes it)

// The parts of a template that matter here, as byte offsets.
struct Layout {
    bool extended = false;
    std::size_t fontStart = 0;   // where the font data begins (after the title)
    std::size_t fontEnd = 0;     // just after the face name
    std::size_t itemsStart = 0;  // first control, DWORD aligned
    std::size_t end = 0;         // just after the last control
    bool hasFont = false;
};

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool ok() const { return m_ok; }
    std::size_t pos() const { return m_pos; }
    void seek(std::size_t pos) {
        if (pos > m_size) m_ok = false;
        else m_pos = pos;
    }
    void skip(std::size_t bytes) { seek(m_pos + bytes); }
    void align4() { seek((m_pos + 3) & ~static_cast<std::size_t>(3)); }
    std::uint16_t word() {
        if (m_pos + 2 > m_size) {
            m_ok = false;
            return 0;
        }
        const std::uint16_t value = static_cast<std::uint16_t>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
        m_pos += 2;
        return value;
    }
    std::uint32_t dword() {
        const std::uint32_t low = word();
        return low | (static_cast<std::uint32_t>(word()) << 16);
    }
    std::u16string string() {
        std::u16string text;
        for (;;) {
            const std::uint16_t unit = word();
            if (!m_ok || unit == 0) break;
            text += static_cast<char16_t>(unit);
        }
        return text;
    }
    // A name or an ordinal (menu, class, title of a control).
    void nameOrOrdinal() {
        const std::uint16_t first = word();
        if (first == 0xFFFF) word();
        else if (first != 0) string();
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
    bool m_ok = true;
};

std::optional<Layout> Parse(const std::uint8_t* data, std::size_t size, DialogFont* font) {
    if (!data) return std::nullopt;
    Reader in(data, size);
    Layout layout;
    in.word();
    layout.extended = in.word() == 0xFFFF;
    in.seek(0);
    std::uint32_t style = 0;
    std::uint16_t count = 0;
    if (layout.extended) {
        in.skip(4 + 4 + 4);  // version and signature, help id, extended style
        style = in.dword();
        count = in.word();
        in.skip(8);  // x, y, cx, cy
    } else {
        style = in.dword();
        in.skip(4);  // extended style
        count = in.word();
        in.skip(8);
    }
    in.nameOrOrdinal();  // menu
    in.nameOrOrdinal();  // class
    in.string();         // title
    layout.fontStart = in.pos();
    layout.hasFont = (style & kSetFont) != 0;
    if (layout.hasFont) {
        DialogFont read;
        read.pointSize = in.word();
        if (layout.extended) {
            read.weight = in.word();
            const std::uint16_t italicAndCharset = in.word();
            read.italic = static_cast<std::uint8_t>(italicAndCharset & 0xFF);
            read.charset = static_cast<std::uint8_t>(italicAndCharset >> 8);
        }
        read.face = in.string();
        if (font) *font = read;
    }
    layout.fontEnd = in.pos();
    in.align4();
    layout.itemsStart = in.pos();
    for (std::uint16_t item = 0; item < count && in.ok(); ++item) {
        in.align4();
        in.skip(layout.extended ? 24 : 18);
        in.nameOrOrdinal();  // class
        in.nameOrOrdinal();  // title
        const std::uint16_t extra = in.word();
        in.skip(extra);
    }
    layout.end = in.pos();
    if (!in.ok()) return std::nullopt;
    return layout;
}

void PutWord(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

}  // namespace

std::optional<DialogFont> ReadDialogTemplateFont(const std::uint8_t* data, std::size_t size) {
    DialogFont font;
    const std::optional<Layout> layout = Parse(data, size, &font);
    if (!layout || !layout->hasFont) return std::nullopt;
    return font;
}

std::size_t DialogTemplateLength(const std::uint8_t* data, std::size_t size) {
    const std::optional<Layout> layout = Parse(data, size, nullptr);
    return layout ? layout->end : 0;
}

std::vector<std::uint8_t> ReplaceDialogTemplateFont(const std::uint8_t* data, std::size_t size, const DialogFont& font) {
    const std::optional<Layout> layout = Parse(data, size, nullptr);
    if (!layout || !layout->hasFont) return {};
    std::vector<std::uint8_t> out(data, data + layout->fontStart);
    PutWord(out, font.pointSize);
    if (layout->extended) {
        PutWord(out, font.weight);
        PutWord(out, static_cast<std::uint16_t>(font.italic | (font.charset << 8)));
    }
    for (char16_t unit : font.face) PutWord(out, static_cast<std::uint16_t>(unit));
    PutWord(out, 0);
    // Controls start on a DWORD boundary; their inner alignment moves with them.
    while (out.size() % 4 != 0) out.push_back(0);
    out.insert(out.end(), data + layout->itemsStart, data + layout->end);
    return out;
}

}  // namespace core
