#include "core/DialogTemplate.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

// Reading and rewriting a template never reads past its size, and a rewritten template
// reads back with the new font and its own length.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> copy(data, data + size);  // exact bounds for the sanitizer
    const std::size_t length = core::DialogTemplateLength(copy.data(), copy.size());
    const auto font = core::ReadDialogTemplateFont(copy.data(), copy.size());
    core::DialogFont replacement;
    replacement.pointSize = 9;
    replacement.face = u"Face";
    const std::vector<uint8_t> rewritten = core::ReplaceDialogTemplateFont(copy.data(), copy.size(), replacement);
    if (rewritten.empty()) return 0;
    if (length == 0 || !font) std::abort();
    const auto reread = core::ReadDialogTemplateFont(rewritten.data(), rewritten.size());
    if (!reread || reread->face != replacement.face) std::abort();
    if (core::DialogTemplateLength(rewritten.data(), rewritten.size()) != rewritten.size()) std::abort();
    return 0;
}
