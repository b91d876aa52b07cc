/*
 * Reads resources back out of a built executable as they are stored: dialog templates (classic
 * and extended), the version block with its entries in stored order, and the icon group.
 */
#ifndef VANTREL_RESOURCE_READER_H
#define VANTREL_RESOURCE_READER_H

#include <windows.h>

#include <string>
#include <vector>

/* Fields in an order that lets a table of expected values leave the usual zeros out. */
struct TemplateItem {
    int id;
    std::string className; /* predefined classes by name: BUTTON, EDIT, STATIC, ... */
    std::string text;      /* "#1012" for a resource given by number */
    DWORD style;
    int x, y, cx, cy;
    DWORD exStyle = 0, helpId = 0;
    WORD extraCount = 0;
};

struct DialogTemplate {
    bool extended;
    DWORD style, exStyle;
    int cx, cy;
    std::string caption;
    int pointSize;
    std::string font;
    int charset; /* extended templates only, as are weight and italic */
    std::vector<TemplateItem> items;
    int x = 0, y = 0;
    DWORD helpId = 0;
    std::string menu = "", className = "";
    int weight = 0, italic = 0;
};

struct VersionBlock {
    std::vector<DWORD> fixed; /* VS_FIXEDFILEINFO, field by field */
    /* Every leaf below the root in stored order, as "path/key=value"; binary values as hex words. */
    std::vector<std::string> entries;
};

/* The raw bytes of a resource of language English (United States); empty when missing. */
std::string ReadResource(HMODULE module, LPCSTR type, LPCSTR name);
bool ParseDialogTemplate(const std::string &data, DialogTemplate *out);
bool ParseVersionBlock(const std::string &data, VersionBlock *out);
/* "WIDTHxHEIGHTxBITS" of each image of an icon group, from the images' own bitmap headers. */
std::vector<std::string> IconImageSizes(HMODULE module, LPCSTR name);

#endif
