/*
 * The decoder's output bytes turned into the lines of the Result window's list. Pure: no
 * windows.h.
 */
#ifndef VANTREL_LINES_H
#define VANTREL_LINES_H

#include <stddef.h>

/* One line of output is assembled in this many bytes, its NUL included. */
enum { RESULT_LINE_SIZE = 1024 };

/* The line being assembled. A CR is dropped wherever it occurs; an LF ends the line (an
 * empty one too); a NUL cuts the shown line at that byte (the rest of the line up to its LF is
 * not shown); a line longer than RESULT_LINE_SIZE - 1 bytes is handed on in consecutive
 * pieces of that size, so nothing is dropped. */
struct LineAssembly {
    char line[RESULT_LINE_SIZE];
    size_t length;
    bool cut;     /* a NUL has been seen in this line */
    bool pending; /* a byte other than CR has arrived since the last line ended */
};

/* Receives each completed line, NUL-terminated. */
typedef void (*LineSink)(void *context, const char *line);

void LineAssemblyReset(LineAssembly *assembly);

/* Takes `count` bytes of output; calls `sink` for every line they complete, in order. The
 * lines are the same whether the bytes come in one call or one at a time. */
void LineAssemblyFeed(LineAssembly *assembly, const char *bytes, size_t count, LineSink sink, void *context);

/* The output has ended: a last line without its LF is handed on too, so a decoder that ends
 * with a message and no newline is still heard. */
void LineAssemblyFinish(LineAssembly *assembly, LineSink sink, void *context);

#endif
