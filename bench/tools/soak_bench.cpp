/*
 * What many decodes in one session leave behind, printed after decode 1, N/2 and N:
 *   soak_bench run N    N decodes through RunDecoder over the real main dialog
 *   soak_bench go N     N decodes through "&Go!": the Save dialog answered, then the Result window
 * Each Result window is dismissed with OK from a thread timer as soon as its output has ended.
 * Every line of figures reads "decode D handles H gdi_reported G user_reported U gdi_objects O
 * windows W heap_bytes B private_reported R private_bytes P"; the *_reported figures are
 * GetGuiResources' and PrivateUsage, which Wine leaves at 0, so gdi_objects walks the GDI
 * handle table, windows counts the thread's windows and their children, and private_bytes
 * adds up the committed private regions. The stand-in decoder must sit beside this program as
 * morvane.exe (its MORVANE_LINES switch makes the output): the build puts both in bin/tests.
 */
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "panel/panel.h"
#include "resource.h"
#include "run/run.h"

/* The file-name box of the Explorer-style Save dialog. */
static const int FILE_NAME_BOX = 0x47c;
/* Each decode lists this many lines. */
static const int OUTPUT_LINES = 300;

static HWND Owner;
static HWND Answered;
static long Entries;
static char OutputPath[MAX_PATH];

/* Kernel handles by walking the handle values: GetProcessHandleCount gives 0 under Wine. */
static DWORD KernelHandles()
{
    DWORD count = 0, flags = 0;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4)
        count += GetHandleInformation((HANDLE)value, &flags) != 0;
    return count;
}

/* Live GDI objects, stock ones included. Wine takes a handle's table index alone (high word
 * 0) as the handle, so every slot can be asked for its object type. */
static DWORD GdiObjects()
{
    DWORD count = 0;
    for (ULONG_PTR index = 1; index < 0x10000; ++index)
        count += GetObjectType((HGDIOBJ)index) != 0;
    return count;
}

static BOOL CALLBACK CountWindow(HWND window, LPARAM counter)
{
    ++*(DWORD *)counter;
    EnumChildWindows(window, CountWindow, counter);
    return TRUE;
}

/* The thread's top-level windows, hidden ones included, and all their descendants. */
static DWORD ThreadWindows()
{
    DWORD count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, (LPARAM)&count);
    return count;
}

/* Bytes in busy blocks over all the process's heaps: finer than private bytes, which move by
 * whole pages. */
static unsigned long long HeapBytes()
{
    HANDLE heaps[64];
    DWORD count = GetProcessHeaps(64, heaps);
    unsigned long long bytes = 0;
    for (DWORD i = 0; i < count && i < 64; ++i) {
        if (!HeapLock(heaps[i]))
            continue;
        PROCESS_HEAP_ENTRY entry = {};
        while (HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                bytes += entry.cbData;
        HeapUnlock(heaps[i]);
    }
    return bytes;
}

static unsigned long long ReportedPrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    K32GetProcessMemoryInfo(GetCurrentProcess(), (PROCESS_MEMORY_COUNTERS *)&counters, sizeof counters);
    return counters.PrivateUsage;
}

/* Committed private memory, region by region: what PrivateUsage means, which Wine leaves at 0. */
static unsigned long long PrivateBytes()
{
    unsigned long long bytes = 0;
    MEMORY_BASIC_INFORMATION region;
    const char *address = NULL;
    while (VirtualQuery(address, &region, sizeof region) == sizeof region) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            bytes += region.RegionSize;
        const char *next = (const char *)region.BaseAddress + region.RegionSize;
        if (next <= address)
            break;
        address = next;
    }
    return bytes;
}

static void PrintFigures(int decode)
{
    HANDLE self = GetCurrentProcess();
    printf("decode %d handles %lu gdi_reported %lu user_reported %lu gdi_objects %lu windows %lu heap_bytes %llu "
           "private_reported %llu private_bytes %llu\n",
           decode, (unsigned long)KernelHandles(), (unsigned long)GetGuiResources(self, GR_GDIOBJECTS),
           (unsigned long)GetGuiResources(self, GR_USEROBJECTS), (unsigned long)GdiObjects(),
           (unsigned long)ThreadWindows(), HeapBytes(), ReportedPrivateBytes(), PrivateBytes());
}

static HWND ThreadWindowTitled(const char *title)
{
    HWND window = NULL;
    while ((window = FindWindowExA(NULL, window, NULL, title)) != NULL)
        if (GetWindowThreadProcessId(window, NULL) == GetCurrentThreadId())
            return window;
    return NULL;
}

/* Answers whichever of the decode's windows is waiting: the Save dialog with the output path,
 * the Result window with OK once its output has ended. Each window is answered once. */
static void CALLBACK AnswerWindows(HWND, UINT, UINT_PTR, DWORD)
{
    HWND save = ThreadWindowTitled("Save As");
    if (save && save != Answered) {
        Answered = save;
        SetDlgItemTextA(save, FILE_NAME_BOX, OutputPath);
        PostMessageA(save, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(save, IDOK));
        return;
    }
    HWND result = ThreadWindowTitled("Result");
    HWND ok = result ? GetDlgItem(result, IDOK) : NULL;
    if (ok && result != Answered && IsWindowEnabled(ok)) {
        Answered = result;
        Entries = (long)SendMessageA(FindWindowExA(result, NULL, "LISTBOX", NULL), LB_GETCOUNT, 0, 0);
        PostMessageA(ok, BM_CLICK, 0, 0);
    }
}

static void DispatchWaiting()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

static void Decode(bool throughGo)
{
    if (throughGo)
        SendMessageA(Owner, WM_COMMAND, MAKEWPARAM(IDC_GO, BN_CLICKED), (LPARAM)GetDlgItem(Owner, IDC_GO));
    else
        RunDecoder(Owner, "in.bgl", OutputPath, 0, 0, 0, 0);
    DispatchWaiting();
}

int main(int argc, char **argv)
{
    long decodes = argc == 3 ? strtol(argv[2], NULL, 10) : 0;
    bool throughGo = argc == 3 && strcmp(argv[1], "go") == 0;
    if (decodes < 2 || (!throughGo && strcmp(argv[1], "run") != 0)) {
        fprintf(stderr, "usage: soak_bench run|go N (N at least 2)\n");
        return 2;
    }
    setvbuf(stdout, NULL, _IONBF, 0);
    char lines[16];
    snprintf(lines, sizeof lines, "%d", OUTPUT_LINES);
    SetEnvironmentVariableA("MORVANE_LINES", lines);
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    snprintf(OutputPath, sizeof OutputPath, "%ssoak_bench_out.xml", folder);

    InitCommonControls();
    Owner = CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_MAIN), NULL, MainDlgProc, 0);
    if (!Owner) {
        fprintf(stderr, "soak_bench: no main dialog\n");
        return 1;
    }
    ShowWindow(Owner, SW_SHOW);
    DispatchWaiting();
    SetTimer(NULL, 0, 5, AnswerWindows);
    for (long decode = 1; decode <= decodes; ++decode) {
        Entries = -1;
        Decode(throughGo);
        if (Entries != OUTPUT_LINES) {
            fprintf(stderr, "soak_bench: decode %ld listed %ld lines, not %d\n", decode, Entries, OUTPUT_LINES);
            return 1;
        }
        if (decode == 1 || decode == decodes / 2 || decode == decodes)
            PrintFigures((int)decode);
    }
    DestroyWindow(Owner);
    return 0;
}
