#pragma once
// The font of an in-memory dialog template (DLGTEMPLATE or DLGTEMPLATEEX), read and
// replaced byte by byte. A property sheet uses this to take the font of its pages, so
// that both convert dialog units to pixels alike and the pages fit the frame.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace core {

struct DialogFont {
    std::uint16_t pointSize = 0;
    std::uint16_t weight = 0;      // extended templates only
    std::uint8_t italic = 0;       // extended templates only
    std::uint8_t charset = 1;      // extended templates only; DEFAULT_CHARSET
    std::u16string face;
};

// The template's font; nullopt when it names none (no DS_SETFONT) or cannot be read
// within size bytes.
std::optional<DialogFont> ReadDialogTemplateFont(const std::uint8_t* data, std::size_t size);

// The template's length in bytes, its last control included; 0 when it does not fit in
// size bytes.
std::size_t DialogTemplateLength(const std::uint8_t* data, std::size_t size);

// A copy of the template with the font replaced; empty when the template names no font
// or cannot be read within size bytes.
std::vector<std::uint8_t> ReplaceDialogTemplateFont(const std::uint8_t* data, std::size_t size, const DialogFont& font);

}  // namespace core
