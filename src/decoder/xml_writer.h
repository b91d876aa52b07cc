/*
 * The XML the decoder writes: elements indented two spaces a level, attributes in the
 * compiler's text forms (numbers without trailing zeros, TRUE/FALSE, altitudes in metres or
 * feet with the compiler's F suffix), texts escaped, lines ended by CR LF.
 */
#ifndef MORVANE_XML_WRITER_H
#define MORVANE_XML_WRITER_H

#include <stdint.h>

#include <string>

struct XmlUnits {
    bool feet;  /* altitudes in feet, "F" suffix */
    bool miles; /* ranges in statute miles */
    bool dms;   /* latitude and longitude as degrees, minutes and seconds */
};

void XmlDocumentStart(std::string &out);
void XmlDocumentEnd(std::string &out);
void XmlOpenTag(std::string &out, int depth, const char *element); /* "<Element", attributes follow */
void XmlEndTag(std::string &out, bool children);                   /* "/>" or ">" */
void XmlCloseTag(std::string &out, int depth, const char *element);

void XmlText(std::string &out, const char *attribute, const char *text, size_t length);
void XmlNumber(std::string &out, const char *attribute, double value, int decimals);
void XmlBool(std::string &out, const char *attribute, bool value);
void XmlCoordinate(std::string &out, const char *attribute, uint32_t raw, bool latitude, const XmlUnits &units);
void XmlAltitude(std::string &out, const char *attribute, double metres, const XmlUnits &units);
void XmlRange(std::string &out, const char *attribute, double metres, const XmlUnits &units);

/* `text` with &, <, >, " and control characters as references. */
void AppendEscaped(std::string &out, const char *text, size_t length);

#endif
