// Entry point of tolmaro.exe.
#include <windows.h>

#include "app/dialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return RunTolmaro(instance);
}
