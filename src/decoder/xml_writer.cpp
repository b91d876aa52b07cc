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
    out += ' ';
    out += attribute;
    out += "=\"";
}

void Indent(std::string &out, int depth)
{
    out.append((size_t)depth * 2, ' ');
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
    out += element;
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

void AppendEscaped(std::string &out, const char *text, size_t length)
{
    for (size_t i = 0; i < length; ++i) {
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

void XmlText(std::string &out, const char *attribute, const char *text, size_t length)
{
    AttributeStart(out, attribute);
    AppendEscaped(out, text, length);
    out += '"';
}

void XmlNumber(std::string &out, const char *attribute, double value, int decimals)
{
    AttributeStart(out, attribute);
    AppendFixed(out, value, decimals);
    out += '"';
}

void XmlBool(std::string &out, const char *attribute, bool value)
{
    AttributeStart(out, attribute);
    out += value ? "TRUE\"" : "FALSE\"";
}

void XmlCoordinate(std::string &out, const char *attribute, uint32_t raw, bool latitude, const XmlUnits &units)
{
    AttributeStart(out, attribute);
    if (units.dms) {
        std::string text;
        AppendDms(text, raw, latitude);
        AppendEscaped(out, text.data(), text.size());
    } else {
        AppendCoordinate(out, raw, latitude);
    }
    out += '"';
}

void XmlAltitude(std::string &out, const char *attribute, double metres, const XmlUnits &units)
{
    AttributeStart(out, attribute);
    if (units.feet) {
        AppendFixed(out, metres / 0.3048, 3);
        out += 'F';
    } else {
        AppendFixed(out, metres, 3);
    }
    out += '"';
}

void XmlRange(std::string &out, const char *attribute, double metres, const XmlUnits &units)
{
    XmlNumber(out, attribute, units.miles ? metres / 1609.344 : metres, 3);
}
