/*
 * The functions of the libraries that only a later click needs (the file dialogs, the shell's
 * drop and web-page opening, the GUID generator's COM runtime), loaded when first called. Under
 * Wine each of those libraries costs tens of milliseconds to load, and linked as imports they
 * would all be loaded before the main dialog is first painted.
 */
#include <windows.h>

#include <commdlg.h>
#include <objbase.h>
#include <shellapi.h>

#include "ui/ui.h"

enum LateFunction {
    LATE_GET_OPEN_FILE_NAME,
    LATE_GET_SAVE_FILE_NAME,
    LATE_DRAG_QUERY_FILE,
    LATE_DRAG_FINISH,
    LATE_SHELL_EXECUTE,
    LATE_CO_CREATE_GUID,
    LATE_FUNCTION_COUNT
};

static const struct {
    const char *library;
    const char *name;
} LateFunctions[LATE_FUNCTION_COUNT] = {
    {"comdlg32.dll", "GetOpenFileNameA"}, {"comdlg32.dll", "GetSaveFileNameA"}, {"shell32.dll", "DragQueryFileA"},
    {"shell32.dll", "DragFinish"},        {"shell32.dll", "ShellExecuteA"},     {"ole32.dll", "CoCreateGuid"},
};

/* Found once, then kept: a loaded library stays loaded until the program ends. A library that
 * could not be loaded is tried again at the next call. */
static FARPROC LateAddresses[LATE_FUNCTION_COUNT];

static FARPROC LateAddress(LateFunction which)
{
    if (!LateAddresses[which]) {
        HMODULE library = LoadLibraryA(LateFunctions[which].library);
        if (library)
            LateAddresses[which] = GetProcAddress(library, LateFunctions[which].name);
    }
    return LateAddresses[which];
}

/* The address as the function's own type (taken from its declaration, calling convention
 * included); NULL when it cannot be had. The detour through a plain function pointer is the
 * cast the compiler accepts between unrelated function types. */
template <typename Function> static Function *LateBound(LateFunction which)
{
    return reinterpret_cast<Function *>(reinterpret_cast<void (*)()>(LateAddress(which)));
}

BOOL LateGetOpenFileName(OPENFILENAMEA *dialogInfo)
{
    auto function = LateBound<decltype(GetOpenFileNameA)>(LATE_GET_OPEN_FILE_NAME);
    return function ? function(dialogInfo) : FALSE;
}

BOOL LateGetSaveFileName(OPENFILENAMEA *dialogInfo)
{
    auto function = LateBound<decltype(GetSaveFileNameA)>(LATE_GET_SAVE_FILE_NAME);
    return function ? function(dialogInfo) : FALSE;
}

UINT LateDragQueryFile(HDROP drop, UINT index, char *file, UINT size)
{
    auto function = LateBound<decltype(DragQueryFileA)>(LATE_DRAG_QUERY_FILE);
    return function ? function(drop, index, file, size) : 0;
}

void LateDragFinish(HDROP drop)
{
    auto function = LateBound<decltype(DragFinish)>(LATE_DRAG_FINISH);
    if (function)
        function(drop);
}

BOOL LateOpenInShell(HWND owner, const char *address)
{
    auto function = LateBound<decltype(ShellExecuteA)>(LATE_SHELL_EXECUTE);
    return function && (INT_PTR)function(owner, "open", address, NULL, NULL, SW_SHOW) > 32;
}

BOOL LateCreateGuid(GUID *guid)
{
    auto function = LateBound<decltype(CoCreateGuid)>(LATE_CO_CREATE_GUID);
    return function && SUCCEEDED(function(guid));
}
