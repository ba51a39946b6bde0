#include "Screenshot.h"

#include <windows.h>

#include <cstdio>

namespace uidriver {
namespace {

// Releases the GDI objects of one capture on every path.
struct Capture {
    HDC screen = nullptr;
    HDC memory = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    ~Capture() {
        if (previous) SelectObject(memory, previous);
        if (bitmap) DeleteObject(bitmap);
        if (memory) DeleteDC(memory);
        if (screen) ReleaseDC(nullptr, screen);
    }
};

}  // namespace

bool SaveScreenshot(const std::string& path, std::string& error) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    Capture capture;
    capture.screen = GetDC(nullptr);
    capture.memory = capture.screen ? CreateCompatibleDC(capture.screen) : nullptr;
    if (!capture.memory) {
        error = "cannot get the screen's device context";
        return false;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // positive: bottom-up rows, as BMP files store them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    capture.bitmap = CreateDIBSection(capture.screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!capture.bitmap) {
        error = "cannot create a bitmap of " + std::to_string(width) + "x" + std::to_string(height);
        return false;
    }
    capture.previous = SelectObject(capture.memory, capture.bitmap);
    if (!BitBlt(capture.memory, 0, 0, width, height, capture.screen, 0, 0, SRCCOPY)) {
        error = "BitBlt from the screen failed";
        return false;
    }
    GdiFlush();

    const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageSize;
    info.bmiHeader.biSizeImage = imageSize;

    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) {
        error = "cannot write " + path;
        return false;
    }
    bool written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                   std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
                   std::fwrite(bits, 1, imageSize, out) == imageSize;
    written = std::fclose(out) == 0 && written;
    if (!written) error = "cannot write " + path;
    return written;
}

}  // namespace uidriver
