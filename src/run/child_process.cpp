/*
 * The decoder as a hidden child process: standard output and standard error both write into
 * one anonymous pipe, whose read end the caller drains.
 */
#include "run/child_process.h"

#include <stdlib.h>

#include "run/core/decoder_path.h"

/* The child's standard input: the NUL device, which reads as end-of-file at once. A null
 * handle would not do: under Wine the child then gets a console input on which a read
 * blocks for ever, and nothing of the program runs while it waits for the child's output. */
static HANDLE OpenEmptyInput(SECURITY_ATTRIBUTES *inheritable)
{
    return CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, inheritable, OPEN_EXISTING, 0,
                       NULL);
}

static int IsFile(const char *path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

static int FindDecoderOnPath(char *path, size_t size)
{
    DWORD length = GetEnvironmentVariableA("PATH", NULL, 0);
    char *list = length ? (char *)malloc(length) : NULL;
    int found = 0;
    if (list && GetEnvironmentVariableA("PATH", list, length) < length) {
        const char *cursor = list, *entry;
        size_t entryLength;
        while (!found && NextFolderEntry(&cursor, &entry, &entryLength))
            found = DecoderPathIn(entry, entryLength, path, size) && IsFile(path);
    }
    free(list);
    return found;
}

/* The decoder's full path: beside this program first, else the first one in a folder of PATH.
 * Left to the platform, a bare "morvane.exe" would also be looked for in the current folder,
 * often the user's scenery folder, where a downloaded file of that name could be waiting. */
static int FindDecoder(char *path, size_t size)
{
    char self[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, self, sizeof self);
    if (length > 0 && length < sizeof self && DecoderPathIn(self, FolderLength(self), path, size) && IsFile(path))
        return 1;
    return FindDecoderOnPath(path, size);
}

int StartCapturedChild(char *commandLine, HANDLE *readEnd, HANDLE *process)
{
    char decoder[MAX_PATH];
    if (!FindDecoder(decoder, sizeof decoder))
        return 0;

    /* Record sizes by sizeof: they are larger in the 64-bit build than in the 32-bit one. */
    SECURITY_ATTRIBUTES inheritable = {};
    inheritable.nLength = sizeof inheritable;
    inheritable.lpSecurityDescriptor = NULL;
    inheritable.bInheritHandle = TRUE;

    HANDLE pipeRead = NULL, pipeWrite = NULL;
    if (!CreatePipe(&pipeRead, &pipeWrite, &inheritable, 0))
        return 0;
    /* Only the write end is the child's; it has no use for the read end. */
    SetHandleInformation(pipeRead, HANDLE_FLAG_INHERIT, 0);

    HANDLE input = OpenEmptyInput(&inheritable);
    if (input == INVALID_HANDLE_VALUE)
        input = NULL;

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = input;
    startup.hStdOutput = pipeWrite;
    startup.hStdError = pipeWrite;

    PROCESS_INFORMATION child = {};
    BOOL started = CreateProcessA(decoder, commandLine, NULL, NULL, TRUE, 0, NULL, NULL, &startup, &child);

    /* From here the child holds its own copies: ours would keep the pipe from ever ending. */
    if (input)
        CloseHandle(input);
    CloseHandle(pipeWrite);
    if (!started) {
        CloseHandle(pipeRead);
        return 0;
    }
    CloseHandle(child.hThread); /* nothing uses it */
    *process = child.hProcess;
    *readEnd = pipeRead;
    return 1;
}
