/*
 * morvane.exe, the BGL decoder shipped with Vantrel, run by the front end or from a console.
 * It reads the whole input, decodes it (walker.cpp and the record tables) and writes the XML;
 * progress on standard output, errors on standard error, lines ended by CR LF. It reads no
 * standard input and no environment variable. Exit codes: 0 done, 1 command line refused,
 * 2 input not readable, 3 output not writable, 4 not a BGL file or damaged (the offset is
 * named and no output file is left).
 *
 * Plain C runtime only, so the same program builds natively for the conformance run and the
 * benchmark.
 */
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
/* No wildcard expansion of the arguments: a path is passed on as it came. */
extern "C" {
int _dowildcard = 0;
}
#endif

#include "cmdline.h"
#include "decoder.h"

namespace {


void Say(FILE *stream, const char *format, ...)
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
    fwrite(line, 1, (size_t)length, stream);
    fflush(stream);
}

/* The file's size where it can be had, so that it is read in one piece into one allocation. */
long long SizeOf(FILE *file)
{
    long long size = -1;
    if (fseek(file, 0, SEEK_END) == 0)
        size = ftell(file);
    if (fseek(file, 0, SEEK_SET) != 0)
        return -1;
    return size;
}

/* The whole input in memory: the decode is one pass over it. */
bool ReadWholeFile(const char *path, unsigned char **bytes, size_t *size)
{
    *bytes = nullptr;
    *size = 0;
    FILE *file = fopen(path, "rb");
    if (!file)
        return false;
    long long known = SizeOf(file);
    size_t capacity = known >= 0 && (unsigned long long)known < ((size_t)-1) / 4 ? (size_t)known + 1 : 1 << 16;
    size_t used = 0;
    unsigned char *buffer = (unsigned char *)malloc(capacity);
    bool good = buffer != nullptr;
    while (good) {
        if (used == capacity) {
            unsigned char *larger = capacity < ((size_t)-1) / 4 ? (unsigned char *)realloc(buffer, capacity * 2) : nullptr;
            if (!larger) {
                good = false;
                break;
            }
            buffer = larger;
            capacity *= 2;
        }
        size_t got = fread(buffer + used, 1, capacity - used, file);
        used += got;
        if (got == 0) {
            good = !ferror(file);
            break;
        }
    }
    fclose(file);
    if (!good) {
        free(buffer);
        return false;
    }
    *bytes = buffer;
    *size = used;
    return true;
}

struct OutputFile {
    FILE *file;
    bool failed;
};

void WriteXmlPiece(void *context, const char *bytes, size_t count)
{
    OutputFile *output = (OutputFile *)context;
    if (!output->failed && fwrite(bytes, 1, count, output->file) != count)
        output->failed = true;
}

void SayNote(void *, const char *line)
{
    Say(stdout, "%s", line);
}

const char *YesNo(bool value)
{
    return value ? "yes" : "no";
}

void SayRequest(const Command &command)
{
    const DecodeOptions &o = command.options;
    Say(stdout, "morvane: BGL decoder for Vantrel");
    Say(stdout, "options: quiet %s, miles %s, feet %s, dms %s", YesNo(o.quiet), YesNo(o.miles), YesNo(o.feet),
        YesNo(o.dms));
    if (o.partial)
        Say(stdout, "partial decode: radius %g %s around %.6g %.6g", o.radius,
            o.miles ? "statute miles" : "nautical miles", o.centerLatitude, o.centerLongitude);
    else
        Say(stdout, "partial decode: no");
}

int Decode(const Command &command)
{
    bool quiet = command.options.quiet;
    if (!quiet) {
        SayRequest(command);
        Say(stdout, "reading %s", command.input);
    }
    unsigned char *bytes;
    size_t size;
    if (!ReadWholeFile(command.input, &bytes, &size)) {
        Say(stderr, "morvane: cannot read %s", command.input);
        return 2;
    }
    OutputFile output = {fopen(command.output, "wb"), false};
    if (!output.file) {
        free(bytes);
        Say(stderr, "morvane: cannot write %s", command.output);
        return 3;
    }
    /* The decode hands over the XML in pieces of a quarter megabyte: written as they come, with
     * no second copy into the runtime's buffer. */
    setvbuf(output.file, nullptr, _IONBF, 0);
    if (!quiet)
        Say(stdout, "writing %s", command.output);
    DecodeOutput sink = {&output, WriteXmlPiece, SayNote};
    DecodeResult result;
    bool decoded = DecodeBgl(bytes, size, command.options, sink, &result);
    free(bytes);
    bool written = fclose(output.file) == 0 && !output.failed;
    if (!decoded || !written)
        remove(command.output); /* no half-written file that looks like a decode */
    if (!decoded) {
        Say(stderr, "morvane: %s: %s", command.input, result.error.c_str());
        Say(stderr, "morvane: nothing written to %s", command.output);
        return 4;
    }
    if (!written) {
        Say(stderr, "morvane: cannot write %s", command.output);
        return 3;
    }
    Say(stdout, "%s", DecodeSummary(result).c_str());
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    Command command = ParseCommandLine(argc, argv);
    switch (command.kind) {
    case COMMAND_HELP:
        fputs(UsageText(), stdout);
        return 0;
    case COMMAND_REFUSED:
        Say(stderr, "morvane: %s", command.error.c_str());
        fputs(UsageText(), stderr);
        return 1;
    default:
        return Decode(command);
    }
}
