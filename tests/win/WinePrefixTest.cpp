// The test prefix as the installer's windows need it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

// Caption buttons are glyphs of Marlett; without it the close box shows a letter.
TEST(WinePrefix, CaptionButtonsHaveTheirSymbolFont) {
    LOGFONTA wanted = {};
    wanted.lfHeight = -13;
    wanted.lfCharSet = SYMBOL_CHARSET;
    lstrcpyA(wanted.lfFaceName, "Marlett");
    HFONT font = CreateFontIndirectA(&wanted);
    ASSERT_NE(font, nullptr);
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    char face[LF_FACESIZE] = "";
    GetTextFaceA(dc, LF_FACESIZE, face);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    EXPECT_EQ(std::string(face), "Marlett");
}

// With no window manager on the test display, a managed window's closing waits for one.
TEST(WinePrefix, X11DriverManagesNoWindows) {
    char value[8] = "";
    DWORD size = sizeof value;
    ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", "Managed", RRF_RT_REG_SZ, nullptr, value,
                           &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(value, "N");
}
