#pragma once
// Arithmetic of the main window's background: the blue gradient bands and where a
// logo text sits in its corner.
#include <string>
#include <string_view>

namespace core {

// The gradient over a client area: `count` bands of `height` pixels, the blue
// falling by `step` from one band to the next.
struct GradientBands {
    int count;
    int height;
    int step;
};

// 16 bands when the client area's bottom is at 32 or above, else 32; each band is
// the client height / count + 1 high, so together they reach at least the bottom.
GradientBands ComputeGradientBands(int clientTop, int clientBottom);

// Blue part (0-255) of band `index`: 255 for the top band, falling by the step.
int GradientBandBlue(const GradientBands& bands, int index);

struct Point {
    int x;
    int y;
};

// Logo corners as the Logo section's keys name them.
enum LogoCorner { kLogoLeftTop = 0, kLogoLeftBottom = 1, kLogoRightTop = 2, kLogoRightBottom = 3 };

// Where a logo text of textWidth x textHeight pixels is drawn (its white copy; the
// shadow goes 4 pixels right and down) in the client rectangle. The text gets a
// 4-pixel margin on the right and at the bottom for its shadow. An unknown corner
// puts it at the top left.
Point LogoTextOrigin(int position, int left, int top, int right, int bottom, int textWidth, int textHeight);

// Character height in pixels of a font of pointSize tenths of a point on a device
// with dpiY dots per inch vertically (120 at 96 dpi: 16). Kept within -INT_MAX..INT_MAX
// so that the caller may negate it.
int LogoFontHeight(int pointSize, int dpiY);

// The face name a logo font is asked for: the first 31 bytes of the script's name (a
// font's face name holds no more), never ending in half a double-byte character.
std::string LogoFaceName(std::string_view faceName);

}  // namespace core
