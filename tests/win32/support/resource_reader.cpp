/*
 * Resource parsing for the resource check.
 */
#include "resource_reader.h"

#include <string.h>

namespace {

struct Cursor {
    const BYTE *base;
    size_t size;
    size_t at;
    bool ok;

    bool need(size_t n) { return ok = ok && at + n <= size; }
    WORD word() { WORD w = 0; if (need(2)) { memcpy(&w, base + at, 2); at += 2; } return w; }
    DWORD dword() { DWORD d = 0; if (need(4)) { memcpy(&d, base + at, 4); at += 4; } return d; }
    BYTE byte() { BYTE b = 0; if (need(1)) b = base[at++]; return b; }
    void align4() { at = (at + 3) & ~(size_t)3; }
    std::string wideString()
    {
        std::string out;
        for (WORD c = word(); ok && c; c = word())
            out += c < 0x80 ? (char)c : '?';
        return out;
    }
    /* A name or a number: 0x0000 none, 0xFFFF followed by a number, else a string. */
    std::string nameOrOrdinal(bool isClass)
    {
        WORD first = word();
        if (first == 0)
            return "";
        if (first == 0xFFFF) {
            WORD ordinal = word();
            if (isClass) {
                static const char *names[] = {"BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX"};
                if (ordinal >= 0x80 && ordinal <= 0x85)
                    return names[ordinal - 0x80];
            }
            return "#" + std::to_string(ordinal);
        }
        at -= 2;
        return wideString();
    }
};

Cursor CursorOver(const std::string &data)
{
    return Cursor{(const BYTE *)data.data(), data.size(), 0, true};
}

}

std::string ReadResource(HMODULE module, LPCSTR type, LPCSTR name)
{
    HRSRC found = FindResourceExA(module, type, name, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    if (!found)
        return "";
    HGLOBAL loaded = LoadResource(module, found);
    const char *bytes = (const char *)LockResource(loaded);
    return bytes ? std::string(bytes, SizeofResource(module, found)) : "";
}

bool ParseDialogTemplate(const std::string &data, DialogTemplate *out)
{
    Cursor c = CursorOver(data);
    *out = DialogTemplate();
    WORD count;
    if (c.size >= 4 && c.base[0] == 1 && c.base[1] == 0 && c.base[2] == 0xFF && c.base[3] == 0xFF) {
        out->extended = true;
        c.word();
        c.word();
        out->helpId = c.dword();
        out->exStyle = c.dword();
        out->style = c.dword();
    } else {
        out->extended = false;
        out->style = c.dword();
        out->exStyle = c.dword();
    }
    count = c.word();
    out->x = (short)c.word();
    out->y = (short)c.word();
    out->cx = (short)c.word();
    out->cy = (short)c.word();
    out->menu = c.nameOrOrdinal(false);
    out->className = c.nameOrOrdinal(false);
    out->caption = c.wideString();
    if (out->style & DS_SETFONT) {
        out->pointSize = c.word();
        if (out->extended) {
            out->weight = c.word();
            out->italic = c.byte();
            out->charset = c.byte();
        }
        out->font = c.wideString();
    }
    for (WORD i = 0; i < count && c.ok; i++) {
        TemplateItem item = {};
        c.align4();
        if (out->extended) {
            item.helpId = c.dword();
            item.exStyle = c.dword();
            item.style = c.dword();
        } else {
            item.style = c.dword();
            item.exStyle = c.dword();
        }
        item.x = (short)c.word();
        item.y = (short)c.word();
        item.cx = (short)c.word();
        item.cy = (short)c.word();
        item.id = out->extended ? (int)c.dword() : (short)c.word();
        item.className = c.nameOrOrdinal(true);
        item.text = c.nameOrOrdinal(false);
        item.extraCount = c.word();
        c.at += item.extraCount;
        out->items.push_back(item);
    }
    return c.ok;
}

namespace {

/* One node of a version block: length, value length, type, key, value, children. */
struct VersionNode {
    size_t start, end, valueAt;
    WORD valueLength, type;
    std::string key;
};

bool ReadVersionNode(Cursor &c, VersionNode *node)
{
    c.align4();
    node->start = c.at;
    WORD length = c.word();
    node->valueLength = c.word();
    node->type = c.word();
    node->key = c.wideString();
    c.align4();
    node->valueAt = c.at;
    node->end = node->start + length;
    return c.ok && length >= 6 && node->end <= c.size;
}

std::string WideValue(const Cursor &c, const VersionNode &node)
{
    Cursor v = c;
    v.at = node.valueAt;
    v.size = node.end;
    std::string text = node.valueLength ? v.wideString() : "";
    return text;
}

}

bool ParseVersionBlock(const std::string &data, VersionBlock *out)
{
    *out = VersionBlock();
    Cursor c = CursorOver(data);
    VersionNode root;
    if (!ReadVersionNode(c, &root) || root.key != "VS_VERSION_INFO" || root.valueLength != sizeof(VS_FIXEDFILEINFO))
        return false;
    memcpy(&out->fixed, c.base + root.valueAt, sizeof out->fixed);
    c.at = root.valueAt + root.valueLength;
    while (c.ok && c.at < root.end) {
        VersionNode section;
        if (!ReadVersionNode(c, &section))
            return false;
        c.at = section.valueAt + section.valueLength;
        while (c.ok && (c.at + 3 & ~(size_t)3) < section.end) {
            VersionNode child;
            if (!ReadVersionNode(c, &child))
                return false;
            if (section.key == "StringFileInfo") {
                out->tableName = child.key;
                c.at = child.valueAt;
                while (c.ok && (c.at + 3 & ~(size_t)3) < child.end) {
                    VersionNode entry;
                    if (!ReadVersionNode(c, &entry))
                        return false;
                    out->strings.emplace_back(entry.key, WideValue(c, entry));
                    c.at = entry.end;
                }
            } else if (section.key == "VarFileInfo" && child.key == "Translation") {
                for (size_t i = 0; i + 2 <= child.valueLength; i += 2) {
                    WORD w;
                    memcpy(&w, c.base + child.valueAt + i, 2);
                    out->translation.push_back(w);
                }
            }
            c.at = child.end;
        }
        c.at = section.end;
    }
    return c.ok;
}

std::vector<IconImage> ReadIconGroup(HMODULE module, LPCSTR name)
{
    std::vector<IconImage> images;
    std::string group = ReadResource(module, RT_GROUP_ICON, name);
    Cursor c = CursorOver(group);
    c.word();
    c.word();
    WORD count = c.word();
    for (WORD i = 0; i < count && c.ok; i++) {
        c.at += 12; /* width, height, colours, reserved, planes, bit count, size */
        WORD id = c.word();
        std::string image = ReadResource(module, RT_ICON, MAKEINTRESOURCEA(id));
        IconImage info = {0, 0, 0};
        if (image.size() >= sizeof(BITMAPINFOHEADER)) {
            BITMAPINFOHEADER header;
            memcpy(&header, image.data(), sizeof header);
            info.width = header.biWidth;
            info.height = header.biHeight / 2; /* colour and mask stacked */
            info.bitCount = header.biBitCount;
        }
        images.push_back(info);
    }
    return images;
}
