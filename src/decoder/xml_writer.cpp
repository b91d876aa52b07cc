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
    out += "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
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

/* Whether a byte needs a reference in an attribute's text. */
static bool NeedsReference(unsigned char c)
{
    return c < 0x20 || c == '&' || c == '<' || c == '>' || c == '"';
}

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
        default:
            if (c < 0x20) {
                out += "&#";
                AppendFixed(out, c, 0);
                out += ';';
            } else {
                out += (char)c;
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
