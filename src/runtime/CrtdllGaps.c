/* What the static C and C++ runtimes ask of the system beyond what the shipping build
 * may import (scripts/shipping-imports.txt), supplied here in terms of what it may. */
#include <errno.h>
#include <io.h>
#include <windows.h>

/* std::random_device's Unix-named file functions and rand_s, which came with later C
 * runtimes than crtdll.dll. The shipping programs never use std::random_device, but the
 * archive member holding it comes with std::string's exceptions. */
int close(int fd) { return _close(fd); }

int read(int fd, void* buffer, unsigned int count) { return _read(fd, buffer, count); }

static int __cdecl NoRandS(unsigned int* value) {
    (void)value;
    return EINVAL;
}
/* The caller reaches rand_s through an import pointer. */
int(__cdecl* _imp__rand_s)(unsigned int*) = NoRandS;

/* libgcc's thread model (mutexes of exception handling and emulated TLS) makes unnamed
 * semaphores with CreateSemaphoreW, which no documentation gives to Windows 95; the ANSI
 * function makes the same unnamed semaphore everywhere. Defined under the import
 * pointer's name, it keeps kernel32's wide function out of the import table. */
static HANDLE WINAPI CreateUnnamedSemaphore(LPSECURITY_ATTRIBUTES attributes, LONG initial, LONG maximum,
                                            LPCWSTR name) {
    if (name != NULL) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return NULL;
    }
    return CreateSemaphoreA(attributes, initial, maximum, NULL);
}
HANDLE(WINAPI* ImportedCreateSemaphoreW)(LPSECURITY_ATTRIBUTES, LONG, LONG, LPCWSTR) __asm__(
    "__imp__CreateSemaphoreW@16") = CreateUnnamedSemaphore;
