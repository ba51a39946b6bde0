#include "core/BackgroundLayout.h"

#include <climits>

#include "core/ShiftJis.h"

namespace core {

namespace {
constexpr int kShadowMargin = 4;
constexpr std::size_t kMaxFaceNameBytes = 31;
}  // namespace

GradientBands ComputeGradientBands(int clientTop, int clientBottom) {
    GradientBands bands;
    bands.count = clientBottom <= 32 ? 16 : 32;
    bands.height = (clientBottom - clientTop) / bands.count + 1;
    bands.step = 256 / bands.count;
    return bands;
}

int GradientBandBlue(const GradientBands& bands, int index) { return 255 - index * bands.step; }

Point LogoTextOrigin(int position, int left, int top, int right, int bottom, int textWidth, int textHeight) {
    const int width = textWidth + kShadowMargin;
    const int height = textHeight + kShadowMargin;
    const int rightX = right - width - left;
    const int bottomY = bottom - height - top;
    switch (position) {
    case kLogoLeftBottom:
        return {0, bottomY};
    case kLogoRightTop:
        return {rightX, 0};
    case kLogoRightBottom:
        return {rightX, bottomY};
    default:  // kLogoLeftTop and anything unknown
        return {0, 0};
    }
}

int LogoFontHeight(int pointSize, int dpiY) {
    // The point size comes from the script as any number; keep the product in range.
    const long long height = static_cast<long long>(pointSize) * dpiY / 720;
    if (height > INT_MAX) return INT_MAX;
    if (height < -INT_MAX) return -INT_MAX;
    return static_cast<int>(height);
}

std::string LogoFaceName(std::string_view faceName) { return std::string(CutShiftJis(faceName, kMaxFaceNameBytes)); }

}  // namespace core
