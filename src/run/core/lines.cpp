/*
 * Byte-by-byte assembly of the decoder's output lines.
 */
#include "run/core/lines.h"

void LineAssemblyReset(LineAssembly *assembly)
{
    assembly->length = 0;
    assembly->cut = false;
    assembly->pending = false;
    assembly->line[0] = '\0';
}

static void HandOn(LineAssembly *assembly, LineSink sink, void *context)
{
    assembly->line[assembly->length] = '\0';
    sink(context, assembly->line);
    assembly->length = 0;
}

void LineAssemblyFeed(LineAssembly *assembly, const char *bytes, size_t count, LineSink sink, void *context)
{
    for (size_t i = 0; i < count; ++i) {
        char byte = bytes[i];
        if (byte == '\r')
            continue;
        if (byte == '\n') {
            HandOn(assembly, sink, context);
            assembly->cut = false;
            assembly->pending = false;
            continue;
        }
        assembly->pending = true;
        if (byte == '\0')
            assembly->cut = true;
        if (assembly->cut)
            continue;
        if (assembly->length == RESULT_LINE_SIZE - 1)
            HandOn(assembly, sink, context);
        assembly->line[assembly->length++] = byte;
    }
}

void LineAssemblyFinish(LineAssembly *assembly, LineSink sink, void *context)
{
    if (assembly->pending)
        HandOn(assembly, sink, context);
    LineAssemblyReset(assembly);
}
