// Entry point of tolmaro.exe.
#include <windows.h>

#include "ui/shell.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return RunTolmaro(instance);
}
