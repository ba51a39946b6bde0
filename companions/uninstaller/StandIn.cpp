// ORVUN100.EXE as it stands for now: the installer copies it into the system
// directory and makes its program icon; it only tells the user that removing
// the product is not available yet.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    MessageBoxA(nullptr, "このバージョンではアンインストールはまだできません。", "アンインストール",
                MB_OK | MB_ICONINFORMATION);
    return 0;
}
