/*
 * The stand-in decoder: a test program that the front end's tests place as morvane.exe beside
 * the program under test. It prints chosen byte patterns, records the command line it got,
 * stays silent, and reports its standard input and console, as the tests ask through
 * environment variables (the command line is the front end's to fill). It is built only with
 * the tests; the shipped morvane.exe has no such switches.
 *
 *   MORVANE_RECORD=<path>    write to <path>: line 1 the raw command line (GetCommandLineA),
 *                            then one line per argument argv[1..] as the C runtime split it;
 *                            lines end in LF, the file is written before anything else.
 *   MORVANE_EMIT=<pattern>   write exactly these bytes. Escapes: \n LF, \r CR, \0 NUL,
 *                            \\ backslash, \xHH any byte, \o write to standard output from here
 *                            (the default), \e write to standard error from here, \w wait
 *                            100 ms, \L a line of 3000 bytes.
 *   MORVANE_LINES=<n>        write n lines fast to standard output, each MORVANE_LINE_BYTES
 *                            long (default 36, CR LF included).
 *   MORVANE_STDIN=1          read standard input once and say what came: "stdin: end of
 *                            file", "stdin: <n> bytes" or "stdin: error <code>".
 *   MORVANE_CONSOLE=1        say whether this process has a console window and how it was asked
 *                            to show it: "console window: none|hidden|visible, show <n>", n the
 *                            start-up show command, or -1 when its parent gave none.
 *   MORVANE_SLEEP_MS=<n>     stay silent for n ms before exiting, the output still open.
 *   MORVANE_DECODER=<path>   with neither MORVANE_EMIT nor MORVANE_LINES: run the decoder at
 *                            <path> with this very command line and the same standard handles,
 *                            and exit with its exit code; so a test can record what the front
 *                            end passed and still judge the real decoder's output.
 * With none of the output switches it says how many arguments it got and exits with 0.
 */
#include <windows.h>

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* No wildcard expansion of the arguments: a path is recorded as it came. */
extern "C" {
int _dowildcard = 0;
}

static HANDLE StdOut()
{
    return GetStdHandle(STD_OUTPUT_HANDLE);
}

static HANDLE StdErr()
{
    return GetStdHandle(STD_ERROR_HANDLE);
}

static void WriteBytes(HANDLE stream, const char *bytes, size_t count)
{
    while (count) {
        DWORD written = 0;
        if (!WriteFile(stream, bytes, (DWORD)count, &written, NULL) || written == 0)
            return;
        bytes += written;
        count -= written;
    }
}

/* One formatted line ending in CR LF, as a decoder prints it. */
static void Say(HANDLE stream, const char *format, ...)
{
    char line[2048];
    va_list args;
    va_start(args, format);
    int length = vsnprintf(line, sizeof line - 2, format, args);
    va_end(args);
    if (length < 0)
        return;
    if ((size_t)length > sizeof line - 3)
        length = (int)sizeof line - 3;
    line[length++] = '\r';
    line[length++] = '\n';
    WriteBytes(stream, line, (size_t)length);
}

static void Record(const char *path, int argc, char **argv)
{
    FILE *file = fopen(path, "wb");
    if (!file) {
        Say(StdErr(), "stand-in decoder: cannot write the record %s", path);
        return;
    }
    fprintf(file, "%s\n", GetCommandLineA());
    for (int i = 1; i < argc; ++i)
        fprintf(file, "%s\n", argv[i]);
    fclose(file);
}

static int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

static void EmitLongLine(HANDLE stream)
{
    char line[3000];
    for (size_t i = 0; i < sizeof line; ++i)
        line[i] = (char)('a' + i % 26);
    WriteBytes(stream, line, sizeof line);
}

static void Emit(const char *pattern)
{
    HANDLE stream = StdOut();
    for (const char *p = pattern; *p; ++p) {
        if (*p != '\\' || !p[1]) {
            WriteBytes(stream, p, 1);
            continue;
        }
        char byte = 0;
        switch (*++p) {
        case 'n': byte = '\n'; break;
        case 'r': byte = '\r'; break;
        case '0': byte = '\0'; break;
        case '\\': byte = '\\'; break;
        case 'x':
            if (HexDigit(p[1]) >= 0 && HexDigit(p[2]) >= 0) {
                byte = (char)(HexDigit(p[1]) * 16 + HexDigit(p[2]));
                p += 2;
            }
            break;
        case 'o': stream = StdOut(); continue;
        case 'e': stream = StdErr(); continue;
        case 'w': Sleep(100); continue;
        case 'L': EmitLongLine(stream); continue;
        default: byte = *p; break;
        }
        WriteBytes(stream, &byte, 1);
    }
}

/* Numbered lines of `lineBytes` bytes, written in large blocks so the pipe, not this program,
 * sets the pace. */
static void EmitLines(long count, long lineBytes)
{
    static char block[65536];
    if (lineBytes < 14)
        lineBytes = 14;
    if (lineBytes > (long)sizeof block)
        lineBytes = (long)sizeof block;
    size_t used = 0;
    for (long i = 1; i <= count; ++i) {
        if (used + (size_t)lineBytes > sizeof block) {
            WriteBytes(StdOut(), block, used);
            used = 0;
        }
        char *line = block + used;
        /* The number is cut, not the CR LF, when the line is too short for all of it. */
        char number[32];
        size_t length = (size_t)snprintf(number, sizeof number, "line %07ld ", i);
        if (length > (size_t)lineBytes - 2)
            length = (size_t)lineBytes - 2;
        memcpy(line, number, length);
        memset(line + length, '.', (size_t)lineBytes - 2 - length);
        line[lineBytes - 2] = '\r';
        line[lineBytes - 1] = '\n';
        used += (size_t)lineBytes;
    }
    WriteBytes(StdOut(), block, used);
}

static void ReportStdin()
{
    char byte;
    DWORD count = 0;
    if (ReadFile(GetStdHandle(STD_INPUT_HANDLE), &byte, 1, &count, NULL))
        Say(StdOut(), count ? "stdin: %lu bytes" : "stdin: end of file", (unsigned long)count);
    else if (GetLastError() == ERROR_BROKEN_PIPE || GetLastError() == ERROR_HANDLE_EOF)
        Say(StdOut(), "stdin: end of file");
    else
        Say(StdOut(), "stdin: error %lu", (unsigned long)GetLastError());
}

static void ReportConsole()
{
    HWND console = GetConsoleWindow();
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    int show = startup.dwFlags & STARTF_USESHOWWINDOW ? startup.wShowWindow : -1;
    Say(StdOut(), "console window: %s, show %d", !console ? "none" : IsWindowVisible(console) ? "visible" : "hidden",
        show);
}

/* The decoder at `path`, given this program's own command line and standard handles; its exit
 * code, or 9 when it cannot be started. */
static int HandOver(const char *path)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = StdOut();
    startup.hStdError = StdErr();
    size_t length = strlen(GetCommandLineA());
    char *commandLine = (char *)malloc(length + 1);
    if (!commandLine)
        return 9;
    memcpy(commandLine, GetCommandLineA(), length + 1);
    PROCESS_INFORMATION child = {};
    BOOL started = CreateProcessA(path, commandLine, NULL, NULL, TRUE, 0, NULL, NULL, &startup, &child);
    free(commandLine);
    if (!started) {
        Say(StdErr(), "stand-in decoder: cannot start %s", path);
        return 9;
    }
    DWORD code = 9;
    WaitForSingleObject(child.hProcess, INFINITE);
    GetExitCodeProcess(child.hProcess, &code);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return (int)code;
}

static const char *Switch(const char *name)
{
    const char *text = getenv(name);
    return text && *text ? text : NULL;
}

static long SwitchNumber(const char *name, long fallback)
{
    const char *text = Switch(name);
    return text ? strtol(text, NULL, 10) : fallback;
}

int main(int argc, char **argv)
{
    if (const char *record = Switch("MORVANE_RECORD"))
        Record(record, argc, argv);

    int code = 0;
    /* An empty pattern is a pattern: it writes nothing. */
    const char *emit = getenv("MORVANE_EMIT");
    long lines = SwitchNumber("MORVANE_LINES", -1);
    if (getenv("MORVANE_STDIN"))
        ReportStdin();
    if (getenv("MORVANE_CONSOLE"))
        ReportConsole();
    if (emit)
        Emit(emit);
    else if (lines >= 0)
        EmitLines(lines, SwitchNumber("MORVANE_LINE_BYTES", 36));
    else if (const char *decoder = Switch("MORVANE_DECODER"))
        code = HandOver(decoder);
    else
        Say(StdOut(), "stand-in decoder: %d arguments", argc - 1);

    long sleep = SwitchNumber("MORVANE_SLEEP_MS", 0);
    if (sleep > 0)
        Sleep((DWORD)sleep);
    return code;
}
