/*
 * morvane's command line: options in any order, each at most once, then the input and the
 * output path. Pure text work, so the unit tests read it natively.
 */
#ifndef MORVANE_CMDLINE_H
#define MORVANE_CMDLINE_H

#include <string>

#include "decoder.h"

enum CommandKind { COMMAND_DECODE, COMMAND_HELP, COMMAND_REFUSED };

struct Command {
    CommandKind kind;
    DecodeOptions options;
    const char *input;
    const char *output;
    std::string error; /* why a refused command line was refused */
};

/* argv[1..argc-1] as the C runtime split them. */
Command ParseCommandLine(int argc, const char *const *argv);

/* The usage text: the options, the radius unit and the exit codes, lines ended by CR LF. */
const char *UsageText();

#endif
