// Prints the decoder's record tables as a Markdown table: section, id, element, fixed length,
// children, and where each layout comes from. docs/decoder.md carries its output.
#include <stdio.h>

#include "records.h"

namespace {

void PrintKinds(const SectionKind &section, const KindTable *table, int depth, const char *parent)
{
    for (size_t i = 0; table && i < table->count; ++i) {
        const RecordKind &kind = table->kinds[i];
        const char *element = kind.layout->element ? kind.layout->element : "(attributes of its parent)";
        printf("| 0x%02X %s | %*s0x%04X | %s%s%s | 0x%X | %s | %s |\n", section.type, section.name, depth * 2, "", kind.id,
               element, kind.wrapper ? " in " : "", kind.wrapper ? kind.wrapper : "", kind.fixed, parent,
               kind.source ? kind.source : "");
        if (kind.children && kind.children != table)
            PrintKinds(section, kind.children, depth + 1, element);
    }
}

} // namespace

int main()
{
    printf("| section | id | element | fixed part | inside | layout from |\n|---|---|---|---|---|---|\n");
    for (size_t i = 0; i < SECTION_KIND_COUNT; ++i)
        PrintKinds(SECTION_KINDS[i], SECTION_KINDS[i].kinds, 0, "");
    return 0;
}
