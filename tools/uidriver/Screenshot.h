#pragma once
// Whole-screen captures with GDI, saved as 24-bit BMP files.
#include <string>

namespace uidriver {

// Captures the screen into path (a .bmp file). False with a reason on failure.
bool SaveScreenshot(const std::string& path, std::string& error);

}  // namespace uidriver
