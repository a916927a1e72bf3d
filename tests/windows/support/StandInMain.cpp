// stand-in: what someone on the network path would put in the main program's place. When it runs
// it leaves "stand-in-ran.txt" in its current folder, so that a test can tell it never did.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    HANDLE file = CreateFileA("stand-in-ran.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return 0;
}
