// Entry point of tolmaro.exe, and the program's end when memory runs out.
#include <stdlib.h>
#include <windows.h>

#include <new>

#include "app/dialog.h"

// The program is built without exceptions. The standard containers get
// their memory here and end the program when there is none, as an
// exception nobody catches would; the library's own versions would link its
// exceptions, unwinder, threads and demangler into the program file, more
// than the program's own code.
void *operator new(size_t size)
{
    void *block = malloc(size ? size : 1);
    if (!block)
        abort();
    return block;
}
void *operator new(size_t size, const std::nothrow_t &) noexcept { return malloc(size ? size : 1); }
void operator delete(void *block) noexcept { free(block); }
void operator delete(void *block, size_t) noexcept { free(block); }
namespace std {
void __throw_length_error(const char *) { abort(); }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return RunTolmaro(instance);
}
