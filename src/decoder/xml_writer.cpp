/*
 * Text forms of the decoded XML. Altitudes and lengths are stored in metres; with -f the
 * altitudes are written in feet with the compiler's "F" suffix, and with -m navaid ranges in
 * statute miles (the compiler has no suffix for those, so they are plain numbers).
 */
#include "xml_writer.h"

#include <string.h>

#include "encodings.h"

namespace {

void AttributeStart(std::string &out, const char *attribute)
{
    char start[64];
    size_t length = strlen(attribute);
    if (length > sizeof start - 3) {
        out += ' ';
        out += attribute;
        out += "=\"";
        return;
    }
    start[0] = ' ';
    memcpy(start + 1, attribute, length);
    start[length + 1] = '=';
    start[length + 2] = '"';
    out.append(start, length + 3);
}

void Indent(std::string &out, int depth)
{
    static const char spaces[] = "                                                ";
    size_t count = (size_t)depth * 2;
    if (count < sizeof spaces)
        out.append(spaces, count);
    else
        out.append(count, ' ');
}

} // namespace

void XmlDocumentStart(std::string &out)
{
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
           "<FSData version=\"9.0\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
           "xsi:noNamespaceSchemaLocation=\"bglcomp.xsd\">\r\n";
}

void XmlDocumentEnd(std::string &out)
{
    out += "</FSData>\r\n";
}

void XmlOpenTag(std::string &out, int depth, const char *element)
{
    Indent(out, depth);
    out += '<';
    out.append(element, strlen(element));
}

void XmlEndTag(std::string &out, bool children)
{
    out += children ? ">\r\n" : "/>\r\n";
}

void XmlCloseTag(std::string &out, int depth, const char *element)
{
    Indent(out, depth);
    out += "</";
    out += element;
    out += ">\r\n";
}

/* Whether a byte is more than itself in an attribute's text: a reference, or the start of a
 * character outside ASCII. */
static bool NeedsReference(unsigned char c)
{
    return c < 0x20 || c >= 0x80 || c == '&' || c == '<' || c == '>' || c == '"';
}

/* The length of a well-formed UTF-8 sequence of 2 to 4 bytes at `p`, or 0. */
static size_t Utf8Sequence(const unsigned char *p, size_t left)
{
    unsigned c = p[0];
    size_t n = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    if (!n || n > left)
        return 0;
    for (size_t i = 1; i < n; ++i)
        if ((p[i] & 0xC0) != 0x80)
            return 0;
    bool overlongOrSurrogate = (c == 0xE0 && p[1] < 0xA0) || (c == 0xED && p[1] >= 0xA0) ||
                               (c == 0xF0 && p[1] < 0x90) || (c == 0xF4 && p[1] >= 0x90);
    return overlongOrSurrogate ? 0 : n;
}

/* The document is UTF-8. Texts of the newest generation are stored as UTF-8 and kept; other
 * bytes above ASCII are taken as ISO-8859-1, as the older generation's compiler stored them
 * (corpus: EDDN/EDDN.bgl holds "Nürnberg" in UTF-8). Control characters XML cannot carry
 * become '?'. */
void AppendEscaped(std::string &out, const char *text, size_t length)
{
    for (size_t i = 0; i < length; ++i) {
        size_t run = i;
        while (run < length && !NeedsReference((unsigned char)text[run]))
            ++run;
        out.append(text + i, run - i); /* the plain stretch at once */
        if (run == length)
            return;
        i = run;
        unsigned char c = (unsigned char)text[i];
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\t': out += "&#9;"; break;
        case '\n': out += "&#10;"; break;
        case '\r': out += "&#13;"; break;
        default:
            if (c < 0x20) {
                out += '?';
            } else if (size_t n = Utf8Sequence((const unsigned char *)text + i, length - i)) {
                out.append(text + i, n);
                i += n - 1;
            } else {
                out += (char)(0xC0 | c >> 6);
                out += (char)(0x80 | (c & 0x3F));
            }
        }
    }
}

static void AppendFormatted(std::string &out, const char *attribute, const char *value, size_t length, char suffix);

void XmlText(std::string &out, const char *attribute, const char *text, size_t length)
{
    size_t plain = 0;
    while (plain < length && plain < FORMATTED_BYTES && !NeedsReference((unsigned char)text[plain]))
        ++plain;
    if (plain == length) { /* short and plain, as idents and names of values are: at once */
        AppendFormatted(out, attribute, text, length, 0);
        return;
    }
    AttributeStart(out, attribute);
    AppendEscaped(out, text, length);
    out += '"';
}

/* ` name="`, a formatted value, a unit suffix and `"`, appended at once. */
static void AppendFormatted(std::string &out, const char *attribute, const char *value, size_t length, char suffix)
{
    char text[96];
    size_t name = strlen(attribute);
    if (name + length + 5 > sizeof text) {
        AttributeStart(out, attribute);
        out.append(value, length);
        if (suffix)
            out += suffix;
        out += '"';
        return;
    }
    char *at = text;
    *at++ = ' ';
    memcpy(at, attribute, name);
    at += name;
    *at++ = '=';
    *at++ = '"';
    memcpy(at, value, length);
    at += length;
    if (suffix)
        *at++ = suffix;
    *at++ = '"';
    out.append(text, (size_t)(at - text));
}

static void XmlNumberWith(std::string &out, const char *attribute, double value, int decimals, char suffix)
{
    char text[FORMATTED_BYTES];
    if (size_t length = FormatFixed(text, value, decimals)) {
        AppendFormatted(out, attribute, text, length, suffix);
        return;
    }
    std::string large;
    AppendFixed(large, value, decimals);
    AppendFormatted(out, attribute, large.data(), large.size(), suffix);
}

void XmlNumber(std::string &out, const char *attribute, double value, int decimals)
{
    XmlNumberWith(out, attribute, value, decimals, 0);
}

void XmlBool(std::string &out, const char *attribute, bool value)
{
    AttributeStart(out, attribute);
    out += value ? "TRUE\"" : "FALSE\"";
}

void XmlCoordinate(std::string &out, const char *attribute, uint32_t raw, bool latitude, const XmlUnits &units)
{
    if (units.dms) {
        std::string text;
        AppendDms(text, raw, latitude);
        XmlText(out, attribute, text.data(), text.size());
        return;
    }
    char text[FORMATTED_BYTES];
    AppendFormatted(out, attribute, text, FormatCoordinate(text, raw, latitude), 0);
}

void XmlAltitude(std::string &out, const char *attribute, double metres, const XmlUnits &units)
{
    if (units.feet)
        XmlNumberWith(out, attribute, metres / 0.3048, 3, 'F');
    else
        XmlNumberWith(out, attribute, metres, 3, 0);
}

void XmlRange(std::string &out, const char *attribute, double metres, const XmlUnits &units)
{
    XmlNumber(out, attribute, units.miles ? metres / 1609.344 : metres, 3);
}
