/*
 * Resource parsing for the resource check. Every read is bounded by the resource's size.
 */
#include "resource_reader.h"

#include <stdio.h>
#include <string.h>

namespace {

struct Cursor {
    const BYTE *base;
    size_t size, at;
    bool ok;

    DWORD number(size_t bytes)
    {
        DWORD n = 0;
        if ((ok = ok && at + bytes <= size))
            memcpy(&n, base + at, bytes), at += bytes;
        return n;
    }
    WORD word() { return (WORD)number(2); }
    DWORD dword() { return number(4); }
    void align4() { at = (at + 3) & ~(size_t)3; }
    std::string wideString()
    {
        std::string out;
        for (WORD c = word(); ok && c; c = word())
            out += c < 0x80 ? (char)c : '?';
        return out;
    }
    /* 0x0000 none, 0xFFFF followed by a number, else a string. */
    std::string nameOrOrdinal(bool isClass)
    {
        WORD first = word();
        if (first != 0xFFFF) {
            at -= 2;
            return wideString();
        }
        WORD ordinal = word();
        static const char *classes[] = {"BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX"};
        return isClass && ordinal >= 0x80 && ordinal <= 0x85 ? classes[ordinal - 0x80] : "#" + std::to_string(ordinal);
    }
};

Cursor CursorOver(const std::string &data)
{
    return Cursor{(const BYTE *)data.data(), data.size(), 0, true};
}

/* One node of a version block at `start`: length, value length, type (1 text, whose length
 * counts characters; 0 binary), key, value, then the children up to its length. The root holds
 * the fixed part; every other node without children is one entry. Returns the node's end, or 0. */
size_t ReadVersionNode(const std::string &data, size_t start, const std::string &parent, VersionBlock *out)
{
    Cursor c = CursorOver(data);
    c.at = start;
    size_t end = start + c.word();
    WORD valueLength = c.word(), type = c.word();
    std::string key = c.wideString();
    c.align4();
    size_t valueAt = c.at, valueEnd = valueAt + (type == 1 ? 2 * valueLength : valueLength);
    bool root = start == 0;
    if (!c.ok || end > data.size() || valueEnd > end || (root && key != "VS_VERSION_INFO"))
        return 0;
    std::string path = root ? "" : parent.empty() ? key : parent + "/" + key, value;
    if (type == 1 && valueLength)
        value = c.wideString();
    for (c.at = valueAt; type == 0 && c.at + 2 <= valueEnd;) {
        char word[8];
        snprintf(word, sizeof word, value.empty() ? "%04x" : " %04x", c.word());
        value += word;
    }
    for (c.at = valueAt; root && c.at + 4 <= valueEnd;)
        out->fixed.push_back(c.dword());
    size_t child = (valueEnd + 3) & ~(size_t)3;
    if (child >= end && !root)
        out->entries.push_back(path + "=" + value);
    for (; child < end; child = (child + 3) & ~(size_t)3)
        if (!(child = ReadVersionNode(data, child, path, out)))
            return 0;
    return end;
}

/* Help id, extended style and style, as each kind of template stores them. */
void ReadStyles(Cursor &c, bool extended, DWORD *helpId, DWORD *exStyle, DWORD *style)
{
    if (extended)
        *helpId = c.dword();
    *(extended ? exStyle : style) = c.dword();
    *(extended ? style : exStyle) = c.dword();
}

void ReadBox(Cursor &c, int *x, int *y, int *cx, int *cy)
{
    *x = (short)c.word();
    *y = (short)c.word();
    *cx = (short)c.word();
    *cy = (short)c.word();
}

}

std::string ReadResource(HMODULE module, LPCSTR type, LPCSTR name)
{
    HRSRC found = FindResourceExA(module, type, name, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    const char *bytes = found ? (const char *)LockResource(LoadResource(module, found)) : NULL;
    return bytes ? std::string(bytes, SizeofResource(module, found)) : "";
}

bool ParseDialogTemplate(const std::string &data, DialogTemplate *out)
{
    Cursor c = CursorOver(data);
    *out = DialogTemplate();
    out->extended = data.size() >= 4 && c.dword() == 0xFFFF0001;
    c.at = out->extended ? 4 : 0;
    ReadStyles(c, out->extended, &out->helpId, &out->exStyle, &out->style);
    WORD count = c.word();
    ReadBox(c, &out->x, &out->y, &out->cx, &out->cy);
    out->menu = c.nameOrOrdinal(false);
    out->className = c.nameOrOrdinal(false);
    out->caption = c.wideString();
    if (out->style & DS_SETFONT) {
        out->pointSize = c.word();
        if (out->extended) {
            out->weight = c.word();
            out->italic = (BYTE)c.number(1);
            out->charset = (BYTE)c.number(1);
        }
        out->font = c.wideString();
    }
    for (WORD i = 0; i < count && c.ok; i++) {
        TemplateItem item = {};
        c.align4();
        ReadStyles(c, out->extended, &item.helpId, &item.exStyle, &item.style);
        ReadBox(c, &item.x, &item.y, &item.cx, &item.cy);
        item.id = out->extended ? (int)c.dword() : (short)c.word();
        item.className = c.nameOrOrdinal(true);
        item.text = c.nameOrOrdinal(false);
        item.extraCount = c.word();
        c.at += item.extraCount;
        out->items.push_back(item);
    }
    return c.ok;
}

bool ParseVersionBlock(const std::string &data, VersionBlock *out)
{
    *out = VersionBlock();
    return ReadVersionNode(data, 0, "", out) != 0 && out->fixed.size() == sizeof(VS_FIXEDFILEINFO) / 4;
}

std::vector<std::string> IconImageSizes(HMODULE module, LPCSTR name)
{
    std::vector<std::string> sizes;
    std::string group = ReadResource(module, RT_GROUP_ICON, name);
    Cursor c = CursorOver(group);
    c.at = 4;
    WORD count = c.word();
    for (WORD i = 0; i < count && c.ok; i++) {
        c.at += 12; /* width, height, colours, reserved, planes, bit count, size */
        std::string image = ReadResource(module, RT_ICON, MAKEINTRESOURCEA(c.word()));
        BITMAPINFOHEADER header = {};
        memcpy(&header, image.data(), image.size() < sizeof header ? image.size() : sizeof header);
        /* The colour image and its mask are stacked: the height counts both. */
        sizes.push_back(std::to_string(header.biWidth) + "x" + std::to_string(header.biHeight / 2) + "x" + std::to_string(header.biBitCount));
    }
    return sizes;
}
