/*
 * Starting the decoder as a hidden child with its standard output and standard error in one
 * pipe.
 */
#ifndef VANTREL_CHILD_PROCESS_H
#define VANTREL_CHILD_PROCESS_H

#include <windows.h>

/* Starts the decoder with `commandLine` (writable; the platform may change it during the
 * call). The decoder is the morvane.exe beside this program, else the first one in a folder
 * of PATH; never one in the current folder. On success returns 1 and hands over the pipe's
 * read end and the child's process handle, both the caller's to close. On failure (no
 * decoder found among them too) returns 0 and leaves no handle of this call open. */
int StartCapturedChild(char *commandLine, HANDLE *readEnd, HANDLE *process);

#endif
