/*
 * Centring a top-level window on the screen, and reading the program's own version strings.
 */
#include <windows.h>

#include <stdlib.h>
#include <string.h>

#include "ui/core/centering.h"
#include "ui/core/version_text.h"
#include "ui/ui.h"

void CenterWindow(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    HDC dc = GetDC(window);
    int screenWidth = GetDeviceCaps(dc, HORZRES);
    int screenHeight = GetDeviceCaps(dc, VERTRES);
    ReleaseDC(window, dc);

    ScreenPoint origin = CenteredOrigin(screenWidth, screenHeight, rect.right - rect.left, rect.bottom - rect.top);
    SetWindowPos(window, NULL, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

static void QueryVersionValue(const void *block, const char *name, char *field)
{
    char query[80];
    wsprintfA(query, "\\StringFileInfo\\040904B0\\%s", name);
    char *text = NULL;
    UINT length = 0;
    if (block && VerQueryValueA(block, query, (void **)&text, &length))
        CopyVersionValue(field, 256, text, length);
}

void ReadVersionStrings(VersionStrings *record)
{
    char path[2048];
    DWORD pathLength = GetModuleFileNameA(NULL, path, sizeof path);
    if (pathLength >= sizeof path) /* a cut path is not terminated on every system */
        path[sizeof path - 1] = '\0';

    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    void *block = size ? malloc(size) : NULL;
    if (block && !GetFileVersionInfoA(path, 0, size, block)) {
        free(block);
        block = NULL;
    }

    memset(record, 0, sizeof *record);
    QueryVersionValue(block, "ProductName", record->ProductName);
    QueryVersionValue(block, "FileVersion", record->FileVersion);
    QueryVersionValue(block, "LegalCopyRight", record->LegalCopyRight);
    free(block);
}
