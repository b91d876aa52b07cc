/*
 * Reads resources back out of a built executable, as they are stored: dialog templates
 * (classic and extended), the version block with its keys in stored order, the manifest and
 * the icon group. The resource check compares them with the values the program is built to.
 */
#ifndef VANTREL_RESOURCE_READER_H
#define VANTREL_RESOURCE_READER_H

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

struct TemplateItem {
    DWORD helpId;
    DWORD exStyle;
    DWORD style;
    int x, y, cx, cy;
    int id;
    std::string className; /* predefined classes by name: BUTTON, EDIT, STATIC, ... */
    std::string text;      /* "#1012" for a resource given by number */
    WORD extraCount;
};

struct DialogTemplate {
    bool extended;
    DWORD helpId;
    DWORD exStyle;
    DWORD style;
    int x, y, cx, cy;
    std::string menu;
    std::string className;
    std::string caption;
    int pointSize;
    int weight;
    int italic;
    int charset;
    std::string font;
    std::vector<TemplateItem> items;
};

struct VersionBlock {
    VS_FIXEDFILEINFO fixed;
    std::string tableName;
    std::vector<std::pair<std::string, std::string>> strings; /* in stored order */
    std::vector<WORD> translation;
};

struct IconImage {
    int width;
    int height;
    int bitCount; /* from the image's own bitmap header */
};

/* The raw bytes of a resource of language English (United States); empty when missing. */
std::string ReadResource(HMODULE module, LPCSTR type, LPCSTR name);
bool ParseDialogTemplate(const std::string &data, DialogTemplate *out);
bool ParseVersionBlock(const std::string &data, VersionBlock *out);
std::vector<IconImage> ReadIconGroup(HMODULE module, LPCSTR name);

#endif
