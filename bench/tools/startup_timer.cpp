/*
 * startup_timer.exe PROGRAM TITLE [RUNS]: starts PROGRAM RUNS times and prints, for each run,
 * the milliseconds from just before CreateProcess until a visible top-level window titled
 * TITLE exists; then the median. Each run's window is closed with WM_CLOSE and, if the
 * program does not end within 5 s, the process is ended.
 */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <vector>

static double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return (double)(to.QuadPart - from.QuadPart) * 1000.0 / (double)frequency.QuadPart;
}

static double TimeOneStart(const char *program, const char *title)
{
    char commandLine[1024];
    snprintf(commandLine, sizeof commandLine, "\"%s\"", program);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};

    LARGE_INTEGER start, now;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(NULL, commandLine, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
        return -1.0;

    double elapsed = -1.0;
    for (;;) {
        HWND window = FindWindowA(NULL, title);
        QueryPerformanceCounter(&now);
        if (window && IsWindowVisible(window)) {
            elapsed = Milliseconds(start, now);
            PostMessageA(window, WM_CLOSE, 0, 0);
            break;
        }
        if (Milliseconds(start, now) > 30000.0 || WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0)
            break;
        Sleep(1);
    }
    if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

int main(int argc, char **argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: startup_timer PROGRAM TITLE [RUNS]\n");
        return 2;
    }
    int runs = argc > 3 ? atoi(argv[3]) : 7;
    std::vector<double> times;
    for (int i = 0; i < runs; i++) {
        double ms = TimeOneStart(argv[1], argv[2]);
        if (ms < 0) {
            fprintf(stderr, "startup_timer: %s showed no window \"%s\"\n", argv[1], argv[2]);
            return 1;
        }
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    printf("%.1f\n", times[times.size() / 2]);
    return 0;
}
