// Prints the decoder's record tables as a Markdown table: section, id, the elements a record
// becomes, its fixed part, the record it sits in, and where its layout comes from. A table of
// children shared by several kinds is listed once, under the first. docs/decoder.md carries
// its output.
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "records.h"

namespace {

std::vector<const KindTable *> listed;

void AddElements(std::string &text, const Layout &layout, int depth);

void AddNamed(std::string &text, const char *name, const Layout &inner, int depth)
{
    if (!text.empty())
        text += ", ";
    text += name;
    std::string within;
    AddElements(within, inner, depth + 1);
    if (!within.empty() && depth < 3)
        text += " (" + within + ")";
}

/* The elements a layout writes: its own, or its parts' and items' when it has none. */
void AddElements(std::string &text, const Layout &layout, int depth)
{
    for (size_t i = 0; i < layout.partCount; ++i) {
        size_t same = 1; /* parts that write one element many times (fuels) are listed once */
        const char *element = layout.parts[i].layout->element;
        while (i + same < layout.partCount && element && layout.parts[i + same].layout->element &&
               strcmp(layout.parts[i + same].layout->element, element) == 0)
            ++same;
        if (const char *name = layout.parts[i].layout->element)
            AddNamed(text, same > 1 ? (std::string(name) + " x" + std::to_string(same)).c_str() : name,
                     *layout.parts[i].layout, depth);
        else
            AddElements(text, *layout.parts[i].layout, depth);
        i += same - 1;
    }
    for (size_t i = 0; i < layout.itemsCount; ++i)
        if (const char *name = layout.items[i].item->element)
            AddNamed(text, (std::string(name) + " items").c_str(), *layout.items[i].item, depth);
        else
            AddElements(text, *layout.items[i].item, depth);
}

std::string Elements(const RecordKind &kind)
{
    std::string text;
    const Layout &layout = *kind.layout;
    if (layout.element) {
        AddNamed(text, layout.element, layout, 0);
    } else {
        AddElements(text, layout, 0);
        if (text.empty())
            text = kind.completesPrevious ? "attributes of the element before it" : "attributes of the record it sits in";
    }
    if (kind.wrapper)
        text += " in " + std::string(kind.wrapper);
    for (size_t i = 0; i < kind.variantCount; ++i)
        text += "; or " + std::string(kind.variants[i].layout->element ? kind.variants[i].layout->element : "?");
    return text;
}

void PrintKinds(const SectionKind &section, const KindTable *table, const char *parent)
{
    for (const KindTable *seen : listed)
        if (seen == table)
            return;
    listed.push_back(table);
    for (size_t i = 0; table && i < table->count; ++i) {
        const RecordKind &kind = table->kinds[i];
        printf("| 0x%02X | 0x%04X | %s | 0x%X | %s | %s |\n", section.type, kind.id, Elements(kind).c_str(), kind.fixed,
               parent, kind.source ? kind.source : "");
    }
    for (size_t i = 0; table && i < table->count; ++i)
        if (table->kinds[i].children)
            PrintKinds(section, table->kinds[i].children,
                       table->kinds[i].layout->element ? table->kinds[i].layout->element : "(record)");
}

} // namespace

int main()
{
    printf("| section | id | element | fixed part | inside | layout from |\n|---|---|---|---|---|---|\n");
    for (size_t i = 0; i < SECTION_KIND_COUNT; ++i)
        PrintKinds(SECTION_KINDS[i], SECTION_KINDS[i].kinds, SECTION_KINDS[i].name);
    return 0;
}
