#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    MessageBoxA(nullptr, "SETUP.INFが見つかりません", "セットアップ", MB_OK);
    return 0;
}
