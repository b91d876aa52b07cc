/*
 * morvane.exe, the BGL decoder shipped with Vantrel: it decodes a BGL file of the second
 * generation into XML in the scenery compiler's vocabulary (the decoding itself is in
 * core/, free of Windows), and honours exactly the command line the front end builds.
 *
 * Command line (as the front end builds it, options in this order, each at most once):
 *   morvane.exe [-t] [-m] [-f] [-d] [-rN -n[S]D.DD -e[W]D.DD] "input" "output"
 *   -t quiet (only errors and the summary line), -m statute miles (navaid ranges and the
 *   radius), -f altitudes in feet, -d latitude/longitude as degrees/minutes/seconds;
 *   -r radius (an integer, nautical miles, or statute miles with -m), -n center latitude
 *   (S for south), -e center longitude (W for west), both with exactly two decimals: only
 *   records within the radius of the centre are written. The three partial options come
 *   together or not at all. Anything else is refused with a message on standard error and
 *   exit code 1.
 *
 * It prints what it does on standard output and errors on standard error, as lines ending
 * in CR LF; its last line on standard output is a summary of what was written and skipped.
 * It reads no standard input. Exit codes: 0 done, 1 bad command line, 2 input not readable,
 * 3 output not writable, 4 input not a BGL file of this generation, or damaged (the message
 * names the offset; no output file is left).
 *
 * Switches for tests, by environment variable (never by command line, which the front end
 * owns):
 *   MORVANE_RECORD=<path>    write to <path>: line 1 the raw command line (GetCommandLineA),
 *                            then one line per argument argv[1..] as the C runtime split it;
 *                            lines end in LF, the file is written before anything else.
 *   MORVANE_EMIT=<pattern>   instead of the normal run, write exactly these bytes. Escapes:
 *                            \n LF, \r CR, \0 NUL, \\ backslash, \xHH any byte, \o write to
 *                            standard output from here (the default), \e write to standard
 *                            error from here, \w wait 100 ms, \L a line of 3000 bytes.
 *   MORVANE_LINES=<n>        instead of the normal run, write n lines fast to standard output,
 *                            each MORVANE_LINE_BYTES long (default 36, CR LF included).
 *   MORVANE_STDIN=1          read standard input once and say what came: "stdin: end of
 *                            file", "stdin: <n> bytes" or "stdin: error <code>".
 *   MORVANE_CONSOLE=1        say whether this process has a console window and how it was asked
 *                            to show it: "console window: none|hidden|visible, show <n>", n the
 *                            start-up show command, or -1 when its parent gave none.
 *   MORVANE_SLEEP_MS=<n>     stay silent for n ms before exiting, the output still open.
 */
#include <windows.h>

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "core/bgl_decode.h"

/* No wildcard expansion of the arguments: a path is passed on as it came. */
extern "C" {
int _dowildcard = 0;
}

struct Request {
    bool quiet, miles, feet, dms, partial;
    const char *radius;
    const char *latitude;
    const char *longitude;
    const char *input;
    const char *output;
};

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

static HANDLE StdOut()
{
    return GetStdHandle(STD_OUTPUT_HANDLE);
}

static HANDLE StdErr()
{
    return GetStdHandle(STD_ERROR_HANDLE);
}

static void Record(const char *path, int argc, char **argv)
{
    FILE *file = fopen(path, "wb");
    if (!file) {
        Say(StdErr(), "morvane: cannot write the record %s", path);
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
        case 'L': {
            char line[3000];
            for (size_t i = 0; i < sizeof line; ++i)
                line[i] = (char)('a' + i % 26);
            WriteBytes(stream, line, sizeof line);
            continue;
        }
        default: byte = *p; break;
        }
        WriteBytes(stream, &byte, 1);
    }
}

static void EmitLines(long count, long lineBytes)
{
    static char block[65536];
    /* Every line fits the block, whatever length was asked for. */
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

static bool IsDigits(const char *text, size_t minimum, size_t maximum)
{
    size_t count = strspn(text, "0123456789");
    return text[count] == '\0' && count >= minimum && count <= maximum;
}

/* The `count` digits at `digits` as the front end writes a number: no leading zero. */
static bool IsPlainNumber(const char *digits, size_t count)
{
    return count >= 1 && (count == 1 || digits[0] != '0');
}

/* "-r" and an int, written as the front end writes it: no leading zero, no "-0". */
static bool IsRadius(const char *arg)
{
    if (strncmp(arg, "-r", 2) != 0)
        return false;
    const char *digits = arg[2] == '-' ? arg + 3 : arg + 2;
    if (!IsDigits(digits, 1, 10) || !IsPlainNumber(digits, strlen(digits)) || strcmp(arg + 2, "-0") == 0)
        return false;
    double value = atof(arg + 2);
    return value >= -2147483648.0 && value <= 2147483647.0;
}

/* `prefix`, an optional `negative` letter, digits without a leading zero, a period and
 * exactly two decimals. */
static bool IsCoordinate(const char *arg, const char *prefix, char negative)
{
    size_t length = strlen(prefix);
    if (strncmp(arg, prefix, length) != 0)
        return false;
    const char *number = arg + length;
    if (*number == negative)
        ++number;
    size_t whole = strspn(number, "0123456789");
    return IsPlainNumber(number, whole) && number[whole] == '.' && IsDigits(number + whole + 1, 2, 2);
}

static bool ParseRequest(int argc, char **argv, Request *request)
{
    memset(request, 0, sizeof *request);
    if (argc < 3) {
        Say(StdErr(), "morvane: expected options, an input file and an output file");
        return false;
    }
    int options = argc - 3; /* argv[1..options] are options; the last two are the paths */
    int at = 1;
    bool *plain[] = {&request->quiet, &request->miles, &request->feet, &request->dms};
    const char *plainText[] = {"-t", "-m", "-f", "-d"};
    for (int i = 0; i < 4; ++i) {
        if (at <= options && strcmp(argv[at], plainText[i]) == 0) {
            *plain[i] = true;
            ++at;
        }
    }
    if (at <= options && strncmp(argv[at], "-r", 2) == 0) {
        if (at + 2 > options || !IsRadius(argv[at]) || !IsCoordinate(argv[at + 1], "-n", 'S') ||
            !IsCoordinate(argv[at + 2], "-e", 'W')) {
            Say(StdErr(), "morvane: a partial decode needs -rN -n[S]D.DD -e[W]D.DD, got '%s'", argv[at]);
            return false;
        }
        request->partial = true;
        request->radius = argv[at] + 2;
        request->latitude = argv[at + 1] + 2;
        request->longitude = argv[at + 2] + 2;
        at += 3;
    }
    if (at <= options) {
        Say(StdErr(), "morvane: unexpected argument '%s' (options go in the order -t -m -f -d -r -n -e)", argv[at]);
        return false;
    }
    request->input = argv[argc - 2];
    request->output = argv[argc - 1];
    return true;
}

static const char *YesNo(bool value)
{
    return value ? "yes" : "no";
}

/* "S12.25" as -12.25: the front end writes the sign as a letter. */
static double Coordinate(const char *text, char negative)
{
    return *text == negative ? -atof(text + 1) : atof(text);
}

/* The whole input in memory: the decode is one pass over it. */
static bool ReadWholeFile(const char *path, unsigned char **bytes, size_t *size)
{
    *bytes = NULL;
    *size = 0;
    FILE *file = fopen(path, "rb");
    if (!file)
        return false;
    long long length = -1;
    if (_fseeki64(file, 0, SEEK_END) == 0)
        length = _ftelli64(file);
    bool fits = length >= 0 && (unsigned long long)length < (size_t)-1 / 2 && _fseeki64(file, 0, SEEK_SET) == 0;
    if (fits) {
        *size = (size_t)length;
        *bytes = (unsigned char *)malloc(*size ? *size : 1);
        fits = *bytes && fread(*bytes, 1, *size, file) == *size;
    }
    fclose(file);
    if (!fits) {
        free(*bytes);
        *bytes = NULL;
    }
    return fits;
}

struct OutputFile {
    FILE *file;
    bool failed;
};

static void WriteXmlPiece(void *context, const char *bytes, size_t count)
{
    OutputFile *output = (OutputFile *)context;
    if (fwrite(bytes, 1, count, output->file) != count)
        output->failed = true;
}

static void SayNote(void *, const char *line)
{
    Say(StdOut(), "%s", line);
}

static void SayRequest(const Request *request)
{
    Say(StdOut(), "morvane: BGL decoder for Vantrel");
    Say(StdOut(), "options: quiet %s, miles %s, feet %s, dms %s", YesNo(request->quiet), YesNo(request->miles),
        YesNo(request->feet), YesNo(request->dms));
    if (request->partial)
        Say(StdOut(), "partial decode: radius %s %s around %s %s", request->radius,
            request->miles ? "statute miles" : "nautical miles", request->latitude, request->longitude);
    else
        Say(StdOut(), "partial decode: no");
}

static DecodeOptions OptionsOf(const Request *request)
{
    DecodeOptions options = {};
    options.quiet = request->quiet;
    options.miles = request->miles;
    options.feet = request->feet;
    options.dms = request->dms;
    options.partial = request->partial;
    if (request->partial) {
        options.radius = atof(request->radius);
        options.centerLatitude = Coordinate(request->latitude, 'S');
        options.centerLongitude = Coordinate(request->longitude, 'W');
    }
    return options;
}

static int Decode(const Request *request)
{
    if (!request->quiet) {
        SayRequest(request);
        Say(StdOut(), "reading %s", request->input);
    }
    unsigned char *bytes;
    size_t size;
    if (!ReadWholeFile(request->input, &bytes, &size)) {
        Say(StdErr(), "morvane: cannot read %s", request->input);
        return 2;
    }
    OutputFile output = {fopen(request->output, "wb"), false};
    if (!output.file) {
        free(bytes);
        Say(StdErr(), "morvane: cannot write %s", request->output);
        return 3;
    }
    if (!request->quiet)
        Say(StdOut(), "writing %s", request->output);
    DecodeOptions options = OptionsOf(request);
    DecodeOutput sink = {&output, WriteXmlPiece, SayNote};
    DecodeResult result;
    bool decoded = DecodeBgl(bytes, size, options, sink, &result);
    free(bytes);
    bool written = fclose(output.file) == 0 && !output.failed;
    if (!decoded || !written)
        remove(request->output); /* no half-written file that looks like a decode */
    if (!decoded) {
        Say(StdErr(), "morvane: %s: %s", request->input, result.error.c_str());
        Say(StdErr(), "morvane: nothing written to %s", request->output);
        return 4;
    }
    if (!written) {
        Say(StdErr(), "morvane: cannot write %s", request->output);
        return 3;
    }
    Say(StdOut(), "%s", DecodeSummary(result).c_str());
    return 0;
}

static long EnvironmentNumber(const char *name, long fallback)
{
    const char *text = getenv(name);
    return text && *text ? strtol(text, NULL, 10) : fallback;
}

int main(int argc, char **argv)
{
    const char *record = getenv("MORVANE_RECORD");
    if (record && *record)
        Record(record, argc, argv);

    int code = 0;
    const char *emit = getenv("MORVANE_EMIT");
    long lines = EnvironmentNumber("MORVANE_LINES", -1);
    if (getenv("MORVANE_STDIN"))
        ReportStdin();
    if (getenv("MORVANE_CONSOLE"))
        ReportConsole();
    if (emit) {
        Emit(emit);
    } else if (lines >= 0) {
        EmitLines(lines, EnvironmentNumber("MORVANE_LINE_BYTES", 36));
    } else {
        Request request;
        code = ParseRequest(argc, argv, &request) ? Decode(&request) : 1;
    }

    long sleep = EnvironmentNumber("MORVANE_SLEEP_MS", 0);
    if (sleep > 0)
        Sleep((DWORD)sleep);
    return code;
}
