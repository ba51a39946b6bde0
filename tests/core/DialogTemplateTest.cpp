#include "core/DialogTemplate.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Word(Bytes& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}
void Dword(Bytes& out, std::uint32_t value) {
    Word(out, static_cast<std::uint16_t>(value & 0xFFFF));
    Word(out, static_cast<std::uint16_t>(value >> 16));
}
void Text(Bytes& out, const std::u16string& text) {
    for (char16_t unit : text) Word(out, static_cast<std::uint16_t>(unit));
    Word(out, 0);
}
void Align(Bytes& out) {
    while (out.size() % 4) out.push_back(0);
}

std::size_t g_controlsLength = 0;  // bytes of the two controls of the last template made

// A template with a title, a font and two controls: a button by ordinal class with
// creation data, and a static by class name.
Bytes MakeTemplate(bool extended, bool withFont, const std::u16string& face) {
    Bytes out;
    const std::uint32_t style = 0x80C80000u | (withFont ? 0x40u : 0u);
    if (extended) {
        Word(out, 1);
        Word(out, 0xFFFF);
        Dword(out, 0);  // help id
        Dword(out, 0);  // extended style
        Dword(out, style);
    } else {
        Dword(out, style);
        Dword(out, 0);
    }
    Word(out, 2);  // controls
    for (int i = 0; i < 4; ++i) Word(out, 10);
    Word(out, 0);      // no menu
    Word(out, 0);      // default class
    Text(out, u"Wizard");
    if (withFont) {
        Word(out, 8);
        if (extended) {
            Word(out, 400);
            Word(out, 0x0100);  // not italic, charset 1
        }
        Text(out, face);
    }
    Align(out);
    const std::size_t controlsStart = out.size();
    for (int item = 0; item < 2; ++item) {
        Align(out);
        if (extended) Dword(out, 0);
        if (extended) {
            Dword(out, 0);
            Dword(out, 0x50000000);
        } else {
            Dword(out, 0x50000000);
            Dword(out, 0);
        }
        for (int i = 0; i < 4; ++i) Word(out, static_cast<std::uint16_t>(5 + item));
        if (extended) Dword(out, 100u + item); else Word(out, static_cast<std::uint16_t>(100 + item));
        if (item == 0) {
            Word(out, 0xFFFF);
            Word(out, 0x0080);  // button
            Text(out, u"OK");
            Word(out, 4);  // creation data
            Dword(out, 0xDEADBEEF);
        } else {
            Text(out, u"Static");
            Word(out, 0xFFFF);
            Word(out, 7);
            Word(out, 0);
        }
    }
    g_controlsLength = out.size() - controlsStart;
    return out;
}

// The controls as the tail of a template that ends with them.
Bytes Tail(const Bytes& tmpl, std::size_t length) { return Bytes(tmpl.end() - static_cast<long>(length), tmpl.end()); }

}  // namespace

TEST(DialogTemplate, ReplacesTheFontAndKeepsTheControls) {
    for (bool extended : {false, true}) {
        SCOPED_TRACE(extended ? "DLGTEMPLATEEX" : "DLGTEMPLATE");
        const Bytes original = MakeTemplate(extended, true, u"MS Shell Dlg");
        ASSERT_EQ(core::DialogTemplateLength(original.data(), original.size()), original.size());
        const auto font = core::ReadDialogTemplateFont(original.data(), original.size());
        ASSERT_TRUE(font);
        EXPECT_EQ(font->face, u"MS Shell Dlg");
        EXPECT_EQ(font->pointSize, 8);

        core::DialogFont gothic;
        gothic.pointSize = 9;
        gothic.weight = 400;
        gothic.charset = 128;
        gothic.face = u"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF";  // ＭＳ Ｐゴシック
        const Bytes rewritten = core::ReplaceDialogTemplateFont(original.data(), original.size(), gothic);
        ASSERT_FALSE(rewritten.empty());
        EXPECT_LT(rewritten.size(), original.size());
        EXPECT_EQ(core::DialogTemplateLength(rewritten.data(), rewritten.size()), rewritten.size());
        const auto read = core::ReadDialogTemplateFont(rewritten.data(), rewritten.size());
        ASSERT_TRUE(read);
        EXPECT_EQ(read->face, gothic.face);
        EXPECT_EQ(read->pointSize, 9);
        if (extended) {
            EXPECT_EQ(read->charset, 128);
        }
        const std::size_t controls = g_controlsLength;
        EXPECT_EQ(rewritten.size() % 4, original.size() % 4);
        EXPECT_EQ(Tail(rewritten, controls), Tail(original, controls));

        // A longer face grows the template; the controls still follow intact.
        gothic.face = u"A much longer face name than before";
        const Bytes longer = core::ReplaceDialogTemplateFont(original.data(), original.size(), gothic);
        EXPECT_EQ(core::DialogTemplateLength(longer.data(), longer.size()), longer.size());
        EXPECT_EQ(Tail(longer, controls), Tail(original, controls));
    }
}

TEST(DialogTemplate, RefusesTemplatesWithoutFontOrCutShort) {
    const Bytes plain = MakeTemplate(false, false, u"");
    EXPECT_FALSE(core::ReadDialogTemplateFont(plain.data(), plain.size()));
    EXPECT_TRUE(core::ReplaceDialogTemplateFont(plain.data(), plain.size(), core::DialogFont{}).empty());
    EXPECT_EQ(core::DialogTemplateLength(plain.data(), plain.size()), plain.size());

    const Bytes full = MakeTemplate(true, true, u"Face");
    for (std::size_t cut : {std::size_t{0}, std::size_t{10}, full.size() / 2, full.size() - 1}) {
        EXPECT_EQ(core::DialogTemplateLength(full.data(), cut), 0u) << cut;
        EXPECT_TRUE(core::ReplaceDialogTemplateFont(full.data(), cut, core::DialogFont{}).empty()) << cut;
    }
    EXPECT_EQ(core::DialogTemplateLength(nullptr, 100), 0u);
}
