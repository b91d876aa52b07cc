/*
 * Starting the decoder as a hidden child with its standard output and standard error in one
 * pipe.
 */
#ifndef VANTREL_CHILD_PROCESS_H
#define VANTREL_CHILD_PROCESS_H

#include <windows.h>

/* Starts `commandLine` (writable; the platform may change it during the call). On success
 * returns 1 and hands over the pipe's read end and the child's process handle, both the
 * caller's to close. On failure returns 0 and leaves no handle of this call open. */
int StartCapturedChild(char *commandLine, HANDLE *readEnd, HANDLE *process);

#endif
