/*
 * Figures for the Result window, printed one per line as "name value":
 *   result_bench tight N      N decoder lines drained from the pipe in 16 KiB reads (the limit)
 *   result_bench bytewise N   the same pipe drained one byte per read, as a plain loop would
 *   result_bench listbox N    the same lines, read the same way, added to a hidden list box with
 *                             redrawing off: what listing them costs at the least
 *   result_bench window N     N lines through RunDecoder into the Result window, until OK is
 *                             enabled; then the entry count and the process's peak memory
 *   result_bench wait S       processor time used while the Result window waits S seconds
 * The stand-in decoder must sit beside this program as morvane.exe (its MORVANE_LINES switch
 * makes the lines): the build puts both in bin/tests.
 */
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "panel/panel.h"
#include "resource.h"
#include "run/child_process.h"
#include "run/core/lines.h"
#include "run/run.h"

static double Now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return (double)counter.QuadPart / (double)frequency.QuadPart;
}

static double ProcessorSeconds()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    ULARGE_INTEGER k, u;
    k.LowPart = kernel.dwLowDateTime;
    k.HighPart = kernel.dwHighDateTime;
    u.LowPart = user.dwLowDateTime;
    u.HighPart = user.dwHighDateTime;
    return (double)(k.QuadPart + u.QuadPart) / 1e7;
}

static void SetLines(long lines)
{
    char text[32];
    snprintf(text, sizeof text, "%ld", lines);
    SetEnvironmentVariableA("MORVANE_LINES", text);
}

static int Drain(long lines, DWORD readSize)
{
    SetLines(lines);
    char commandLine[] = "morvane.exe \"in.bgl\" \"out.xml\"";
    HANDLE pipe = NULL, process = NULL;
    double start = Now();
    if (!StartCapturedChild(commandLine, &pipe, &process)) {
        fprintf(stderr, "result_bench: morvane.exe did not start\n");
        return 1;
    }
    static char block[16384];
    DWORD count = 0;
    unsigned long long bytes = 0;
    while (ReadFile(pipe, block, readSize, &count, NULL) && count)
        bytes += count;
    double seconds = Now() - start;
    CloseHandle(pipe);
    CloseHandle(process);
    printf("seconds %.3f\nbytes %llu\nlines_per_second %.0f\n", seconds, bytes, lines / seconds);
    return 0;
}

/* What the timer callback watches and records. */
static HWND Owner;
static double Started, OutputEnded, WaitSeconds, WaitStartCpu, WaitEndCpu;
static int Entries = -1;
static UINT_PTR Timer;

static HWND ResultWindowOf(HWND owner)
{
    HWND window = NULL;
    while ((window = FindWindowExA(NULL, window, NULL, "Result")) != NULL)
        if (GetWindow(window, GW_OWNER) == owner)
            return window;
    return NULL;
}

static void CALLBACK DismissWhenDone(HWND, UINT, UINT_PTR, DWORD)
{
    HWND result = ResultWindowOf(Owner);
    HWND ok = result ? GetDlgItem(result, IDOK) : NULL;
    if (!ok || !IsWindowEnabled(ok))
        return;
    OutputEnded = Now();
    Entries = (int)SendMessageA(FindWindowExA(result, NULL, "LISTBOX", NULL), LB_GETCOUNT, 0, 0);
    KillTimer(NULL, Timer);
    PostMessageA(ok, BM_CLICK, 0, 0);
}

static void CALLBACK EndTheWait(HWND, UINT, UINT_PTR, DWORD)
{
    WaitEndCpu = ProcessorSeconds();
    KillTimer(NULL, Timer);
    HWND result = ResultWindowOf(Owner);
    if (result)
        PostMessageA(GetDlgItem(result, IDOK), BM_CLICK, 0, 0);
}

static void CALLBACK StartTheWait(HWND, UINT, UINT_PTR, DWORD)
{
    HWND result = ResultWindowOf(Owner);
    HWND ok = result ? GetDlgItem(result, IDOK) : NULL;
    if (!ok || !IsWindowEnabled(ok))
        return;
    KillTimer(NULL, Timer);
    WaitStartCpu = ProcessorSeconds();
    /* The only thing left to wake the loop is this one timer. */
    Timer = SetTimer(NULL, 0, (UINT)(WaitSeconds * 1000), EndTheWait);
}

static HWND CreateOwner()
{
    InitCommonControls();
    HWND owner = CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_MAIN), NULL, MainDlgProc, 0);
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    return owner;
}

static void PrintPeakMemory()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        printf("peak_working_set_kib %lu\npeak_private_kib %lu\n", (unsigned long)(counters.PeakWorkingSetSize / 1024),
               (unsigned long)(counters.PeakPagefileUsage / 1024));
}

static void AddToList(void *list, const char *line)
{
    SendMessageA((HWND)list, LB_ADDSTRING, 0, (LPARAM)line);
}

static int ThroughListBox(long lines)
{
    SetLines(lines);
    HWND owner = CreateOwner();
    HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VSCROLL | WS_HSCROLL | LBS_HASSTRINGS,
                                16, 8, 360, 270, owner, NULL, GetModuleHandleA(NULL), NULL);
    SendMessageA(list, WM_SETFONT, (WPARAM)SendMessageA(owner, WM_GETFONT, 0, 0), FALSE);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    char commandLine[] = "morvane.exe \"in.bgl\" \"out.xml\"";
    HANDLE pipe = NULL, process = NULL;
    double start = Now();
    if (!StartCapturedChild(commandLine, &pipe, &process)) {
        fprintf(stderr, "result_bench: morvane.exe did not start\n");
        return 1;
    }
    static LineAssembly assembly;
    LineAssemblyReset(&assembly);
    static char block[16384];
    DWORD count = 0;
    while (ReadFile(pipe, block, sizeof block, &count, NULL) && count)
        LineAssemblyFeed(&assembly, block, count, AddToList, list);
    LineAssemblyFinish(&assembly, AddToList, list);
    double seconds = Now() - start;
    CloseHandle(pipe);
    CloseHandle(process);
    long entries = (long)SendMessageA(list, LB_GETCOUNT, 0, 0);
    printf("seconds %.3f\nentries %ld\nlines_per_second %.0f\n", seconds, entries, lines / seconds);
    DestroyWindow(owner);
    return entries == lines ? 0 : 1;
}

static int ThroughWindow(long lines)
{
    SetLines(lines);
    Owner = CreateOwner();
    if (!Owner) {
        fprintf(stderr, "result_bench: no main dialog\n");
        return 1;
    }
    Timer = SetTimer(NULL, 0, 10, DismissWhenDone);
    Started = Now();
    RunDecoder(Owner, "in.bgl", "out.xml", 0, 0, 0, 0);
    double seconds = OutputEnded - Started;
    printf("seconds %.3f\nentries %d\nlines_per_second %.0f\n", seconds, Entries, lines / seconds);
    PrintPeakMemory();
    DestroyWindow(Owner);
    return Entries == lines ? 0 : 1;
}

static int IdleWait(double seconds)
{
    SetEnvironmentVariableA("MORVANE_EMIT", "waiting for the user\\n");
    Owner = CreateOwner();
    WaitSeconds = seconds;
    Timer = SetTimer(NULL, 0, 10, StartTheWait);
    RunDecoder(Owner, "in.bgl", "out.xml", 0, 0, 0, 0);
    printf("wait_seconds %.1f\ncpu_seconds %.3f\n", seconds, WaitEndCpu - WaitStartCpu);
    DestroyWindow(Owner);
    return 0;
}

int main(int argc, char **argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: result_bench tight|bytewise|listbox|window N, or result_bench wait SECONDS\n");
        return 2;
    }
    setvbuf(stdout, NULL, _IONBF, 0);
    long count = strtol(argv[2], NULL, 10);
    if (strcmp(argv[1], "tight") == 0)
        return Drain(count, 16384);
    if (strcmp(argv[1], "bytewise") == 0)
        return Drain(count, 1);
    if (strcmp(argv[1], "listbox") == 0)
        return ThroughListBox(count);
    if (strcmp(argv[1], "window") == 0)
        return ThroughWindow(count);
    if (strcmp(argv[1], "wait") == 0)
        return IdleWait((double)count);
    fprintf(stderr, "result_bench: unknown mode %s\n", argv[1]);
    return 2;
}
