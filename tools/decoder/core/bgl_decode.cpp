/*
 * The container of a BGL file and the records this decoder reads, written out as XML.
 *
 * Container (the wiki's "BGL Common Format"): a 0x38-byte header (magic 0x19920201 at 0,
 * the number of sections at 0x14), then one 20-byte pointer per section: type, a word whose
 * bit 16 gives the size of the section's subsection entries (((word & 0x10000) | 0x40000)
 * >> 14: 16 or 20 bytes), the number of subsections, their file offset and their total size.
 * A subsection entry ends with the number of records, the file offset of its data and the
 * data size. Records are framed by a 16-bit id and a 32-bit size that counts the 6 framing
 * bytes; an airport's or navaid's children follow its fixed part inside its size.
 *
 * The records are walked by the data size, not by the record count: in files of the newest
 * generation a navaid section holds many small records (id 0x00DB) besides its VOR/ILS
 * record, and the descriptions do not say whether the count includes them. A count that
 * could not fit the data is still refused as damage.
 *
 * Sections of other types are skipped whole by their pointers and never walked as records:
 * some (0x25, 0x28, 0x2A, 0x65) hold data not framed as records at all.
 */
#include "bgl_decode.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include <vector>

namespace {

const uint32_t BGL_MAGIC = 0x19920201u;
const uint32_t BGL_MAGIC2 = 0x08051803u;
const size_t HEADER_BYTES = 0x38;
const size_t SECTION_POINTER_BYTES = 20;
const size_t RECORD_HEADER_BYTES = 6;
const size_t XML_FLUSH_BYTES = 1 << 16;

const uint32_t SECTION_AIRPORT = 0x03, SECTION_NAV = 0x13, SECTION_NDB = 0x17, SECTION_WAYPOINT = 0x22;

struct Skipped {
    uint32_t section;
    uint16_t id;
    unsigned long count;
    unsigned long long bytes;
};

struct Decoder {
    const unsigned char *bytes;
    size_t size;
    const DecodeOptions *options;
    const DecodeOutput *output;
    DecodeResult *result;
    std::string xml;
    std::vector<Skipped> skipped;
    unsigned long partialAirports; /* airports of the layout whose children cannot be found */
};

uint16_t Le16(const Decoder &d, size_t at)
{
    return (uint16_t)(d.bytes[at] | d.bytes[at + 1] << 8);
}

uint32_t Le32(const Decoder &d, size_t at)
{
    return (uint32_t)d.bytes[at] | (uint32_t)d.bytes[at + 1] << 8 | (uint32_t)d.bytes[at + 2] << 16 |
           (uint32_t)d.bytes[at + 3] << 24;
}

float Float32(const Decoder &d, size_t at)
{
    uint32_t bits = Le32(d, at);
    float value;
    memcpy(&value, &bits, sizeof value);
    return value;
}

/* Altitudes are stored in millimetres, signed. */
double Altitude(const Decoder &d, size_t at)
{
    return (int32_t)Le32(d, at) / 1000.0;
}

/* Idents are stored shifted left by 5 bits; regions in the low 11 bits of their DWORD. */
std::string Ident(const Decoder &d, size_t at)
{
    return BglIdent(Le32(d, at) >> 5);
}

std::string Region(const Decoder &d, size_t at)
{
    return BglIdent(Le32(d, at) & 0x7FF);
}

/* A text child: the bytes after the framing, up to the first NUL. */
std::string Text(const Decoder &d, size_t at, size_t length)
{
    const char *text = (const char *)d.bytes + at;
    const void *nul = memchr(text, '\0', length);
    return std::string(text, nul ? (size_t)((const char *)nul - text) : length);
}

bool Fail(Decoder &d, size_t offset, const char *format, ...)
{
    char message[320];
    va_list args;
    va_start(args, format);
    vsnprintf(message, sizeof message, format, args);
    va_end(args);
    d.result->ok = false;
    d.result->errorOffset = offset;
    d.result->error = message;
    return false;
}

void Note(Decoder &d, const char *format, ...)
{
    if (d.options->quiet || !d.output->note)
        return;
    char line[320];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    d.output->note(d.output->context, line);
}

void FlushXml(Decoder &d, bool always)
{
    if ((always || d.xml.size() >= XML_FLUSH_BYTES) && !d.xml.empty()) {
        d.output->writeXml(d.output->context, d.xml.data(), d.xml.size());
        d.xml.clear();
    }
}

void Skip(Decoder &d, uint32_t section, uint16_t id, uint32_t length)
{
    ++d.result->skippedRecords;
    for (Skipped &entry : d.skipped) {
        if (entry.section == section && entry.id == id) {
            ++entry.count;
            entry.bytes += length;
            return;
        }
    }
    d.skipped.push_back(Skipped{section, id, 1, length});
}

/* ---- XML attributes ---- */

void AppendEscaped(std::string &out, const std::string &text)
{
    for (unsigned char c : text) {
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

void Attr(std::string &out, const char *name, const std::string &text)
{
    out += ' ';
    out += name;
    out += "=\"";
    AppendEscaped(out, text);
    out += '"';
}

void AttrNumber(std::string &out, const char *name, double value, int decimals)
{
    out += ' ';
    out += name;
    out += "=\"";
    AppendFixed(out, value, decimals);
    out += '"';
}

/* A position as stored: raw latitude and longitude. */
struct Position {
    uint32_t latitude, longitude;
};

Position PositionAt(const Decoder &d, size_t longitudeAt)
{
    return Position{Le32(d, longitudeAt + 4), Le32(d, longitudeAt)};
}

void AttrPosition(const Decoder &d, std::string &out, Position at)
{
    if (!d.options->dms) {
        out += " lat=\"";
        AppendCoordinate(out, at.latitude, true);
        out += "\" lon=\"";
        AppendCoordinate(out, at.longitude, false);
        out += '"';
        return;
    }
    std::string text;
    AppendDms(text, at.latitude, true);
    Attr(out, "lat", text);
    text.clear();
    AppendDms(text, at.longitude, false);
    Attr(out, "lon", text);
}

/* Metres as stored, or feet with the compiler's "F" suffix. */
void AttrAltitude(const Decoder &d, std::string &out, const char *name, double metres)
{
    out += ' ';
    out += name;
    out += "=\"";
    if (d.options->feet) {
        AppendFixed(out, metres / 0.3048, 3);
        out += 'F';
    } else {
        AppendFixed(out, metres, 3);
    }
    out += '"';
}

/* A navaid's range: metres as stored, or statute miles. */
void AttrRange(const Decoder &d, std::string &out, double metres)
{
    AttrNumber(out, "range", d.options->miles ? metres / 1609.344 : metres, 3);
}

void AttrBool(std::string &out, const char *name, bool value)
{
    Attr(out, name, value ? "TRUE" : "FALSE");
}

std::string Named(unsigned value, const char *const *names, size_t count)
{
    if (value < count && names[value])
        return names[value];
    char text[16];
    snprintf(text, sizeof text, "%u", value);
    return text;
}

#define NAMES(array) array, sizeof array / sizeof array[0]

const char *const SURFACES[] = {"CONCRETE", "GRASS",      "WATER",    "GRASS_BUMPY", "ASPHALT",     "SHORT_GRASS",
                                "LONG_GRASS", "HARD_TURF", "SNOW",    "ICE",         "URBAN",       "FOREST",
                                "DIRT",     "CORAL",      "GRAVEL",   "OIL_TREATED", "STEEL_MATS",  "BITUMINUS",
                                "BRICK",    "MACADAM",    "PLANKS",   "SAND",        "SHALE",       "TARMAC"};
const char *const DESIGNATORS[] = {"NONE", "LEFT", "RIGHT", "CENTER", "WATER", "A", "B"};
const char *const COM_TYPES[] = {NULL,         "ATIS",       "MULTICOM",  "UNICOM", "CTAF", "GROUND",
                                 "TOWER",      "CLEARANCE",  "APPROACH",  "DEPARTURE", "CENTER", "FSS",
                                 "AWOS",       "ASOS",       "CLEARANCE_PRE_TAXI", "REMOTE_CLEARANCE_DELIVERY"};
const char *const START_TYPES[] = {NULL, "RUNWAY", "WATER", "HELIPAD"};
const char *const HELIPAD_TYPES[] = {"NONE", "H", "SQUARE", "CIRCLE", "MEDICAL"};
const char *const WAYPOINT_TYPES[] = {NULL, "NAMED", "UNNAMED", "VOR", "NDB", "OFF_ROUTE", "IAF", "FAF"};
const char *const VOR_TYPES[] = {NULL, "TERMINAL", "LOW", "HIGH", "ILS", "VOT"};
const char *const NDB_TYPES[] = {"COMPASS_POINT", "MH", "H", "HH"};

/* Runway numbers 1..36 as two digits; 37..44 stand for the compass points. */
std::string RunwayNumber(unsigned number)
{
    static const char *const compass[] = {"NORTH", "NORTHEAST", "EAST", "SOUTHEAST",
                                          "SOUTH", "SOUTHWEST", "WEST", "NORTHWEST"};
    if (number >= 37 && number <= 44)
        return compass[number - 37];
    char text[16];
    snprintf(text, sizeof text, "%02u", number);
    return text;
}

/* Within the radius of a partial decode; a negative radius is taken as 0. */
bool Inside(Decoder &d, Position at)
{
    if (!d.options->partial)
        return true;
    double radius = d.options->radius > 0 ? d.options->radius : 0;
    if (GreatCircleDistance(d.options->centerLatitude, d.options->centerLongitude, BglLatitude(at.latitude),
                            BglLongitude(at.longitude), d.options->miles) <= radius)
        return true;
    ++d.result->outside;
    return false;
}

/* ---- record framing ---- */

/* The record at `at`, which must end by `end`. */
bool Frame(Decoder &d, size_t at, size_t end, uint16_t *id, uint32_t *length)
{
    if (end - at < RECORD_HEADER_BYTES)
        return Fail(d, at, "damaged record at offset 0x%zX: %zu bytes left before 0x%zX, a record header needs 6", at,
                    end - at, end);
    *id = Le16(d, at);
    *length = Le32(d, at + 2);
    if (*length < RECORD_HEADER_BYTES)
        return Fail(d, at + 2, "damaged record at offset 0x%zX: id 0x%04X with size %u, smaller than its header", at,
                    *id, *length);
    if (*length > end - at)
        return Fail(d, at + 2, "damaged record at offset 0x%zX: id 0x%04X of %u bytes runs past 0x%zX", at, *id,
                    *length, end);
    return true;
}

bool Needs(Decoder &d, size_t at, uint16_t id, uint32_t length, uint32_t layout)
{
    if (length >= layout)
        return true;
    return Fail(d, at + 2, "damaged record at offset 0x%zX: id 0x%04X is %u bytes, its layout needs %u", at, id,
                length, layout);
}

/* ---- airports ---- */

struct AirportParts {
    std::string name, children;
    unsigned long counts[KIND_COUNT];
};

void RunwayElement(const Decoder &d, size_t at, std::string &out)
{
    out += "    <Runway";
    AttrPosition(d, out, PositionAt(d, at + 0x14));
    AttrAltitude(d, out, "alt", Altitude(d, at + 0x1C));
    Attr(out, "surface", Named(Le16(d, at + 6), NAMES(SURFACES)));
    AttrNumber(out, "heading", Float32(d, at + 0x28), 3);
    AttrNumber(out, "length", Float32(d, at + 0x20), 3);
    AttrNumber(out, "width", Float32(d, at + 0x24), 3);
    Attr(out, "number", RunwayNumber(d.bytes[at + 8]));
    Attr(out, "designator", Named(d.bytes[at + 9], NAMES(DESIGNATORS)));
    AttrAltitude(d, out, "patternAltitude", Float32(d, at + 0x2C));
    out += "/>\r\n";
}

void StartElement(const Decoder &d, size_t at, std::string &out)
{
    unsigned packed = d.bytes[at + 7];
    out += "    <Start";
    Attr(out, "type", Named(packed >> 4, NAMES(START_TYPES)));
    AttrPosition(d, out, PositionAt(d, at + 8));
    AttrAltitude(d, out, "alt", Altitude(d, at + 0x10));
    AttrNumber(out, "heading", Float32(d, at + 0x14), 3);
    Attr(out, "number", RunwayNumber(d.bytes[at + 6]));
    Attr(out, "designator", Named(packed & 0x0F, NAMES(DESIGNATORS)));
    out += "/>\r\n";
}

void ComElement(const Decoder &d, size_t at, uint32_t length, std::string &out)
{
    out += "    <Com";
    AttrNumber(out, "frequency", Le32(d, at + 8) / 1e6, 3);
    Attr(out, "type", Named(Le16(d, at + 6), NAMES(COM_TYPES)));
    Attr(out, "name", Text(d, at + 0x0C, length - 0x0C));
    out += "/>\r\n";
}

void HelipadElement(const Decoder &d, size_t at, std::string &out)
{
    unsigned packed = d.bytes[at + 7];
    out += "    <Helipad";
    AttrPosition(d, out, PositionAt(d, at + 0x0C));
    AttrAltitude(d, out, "alt", Altitude(d, at + 0x14));
    Attr(out, "surface", Named(d.bytes[at + 6], NAMES(SURFACES)));
    AttrNumber(out, "heading", Float32(d, at + 0x20), 3);
    AttrNumber(out, "length", Float32(d, at + 0x18), 3);
    AttrNumber(out, "width", Float32(d, at + 0x1C), 3);
    Attr(out, "type", Named(packed & 0x0F, NAMES(HELIPAD_TYPES)));
    AttrBool(out, "transparent", packed & 0x10);
    AttrBool(out, "closed", packed & 0x20);
    out += "/>\r\n";
}

/* One child of an airport; those this decoder does not read are counted as skipped. */
bool AirportChild(Decoder &d, size_t at, uint16_t id, uint32_t length, AirportParts &parts)
{
    switch (id) {
    case 0x0019:
        parts.name = Text(d, at + 6, length - 6);
        return true;
    case 0x0004: /* the classic runway */
    case 0x00CE: /* the newest generation's runway, read by the same leading fields */
        if (!Needs(d, at, id, length, 0x30))
            return false;
        RunwayElement(d, at, parts.children);
        ++parts.counts[KIND_RUNWAY];
        return true;
    case 0x0011:
        if (!Needs(d, at, id, length, 0x18))
            return false;
        StartElement(d, at, parts.children);
        ++parts.counts[KIND_START];
        return true;
    case 0x0012:
        if (!Needs(d, at, id, length, 0x0C))
            return false;
        ComElement(d, at, length, parts.children);
        ++parts.counts[KIND_COM];
        return true;
    case 0x0026:
        if (!Needs(d, at, id, length, 0x24))
            return false;
        HelipadElement(d, at, parts.children);
        ++parts.counts[KIND_HELIPAD];
        return true;
    default:
        Skip(d, SECTION_AIRPORT, id, length);
        return true;
    }
}

/* The fixed part of each airport layout, after which the children begin. Id 0x0003 is the
 * classic layout (0x38 bytes), 0x0056 the newest generation's (0x44 bytes, up to its painted
 * hatched area count at 0x42). Id 0x0113 shares the leading fields (child counts from 6,
 * longitude at 0x0C, latitude at 0x10); no description gives the length of its fixed part,
 * so its children cannot be found. Its altitude, magnetic variation, ident and region are
 * read at the offsets of 0x0056, which no description confirms for 0x0113. */
size_t AirportFixedPart(uint16_t id)
{
    return id == 0x0003 ? 0x38 : id == 0x0056 ? 0x44 : 0x30;
}

bool DecodeAirport(Decoder &d, size_t at, uint16_t id, uint32_t length)
{
    size_t fixed = AirportFixedPart(id);
    if (!Needs(d, at, id, length, (uint32_t)fixed))
        return false;
    AirportParts parts = {};
    if (id == 0x0113) {
        ++d.partialAirports;
    } else {
        for (size_t child = at + fixed, end = at + length; child < end;) {
            uint16_t childId;
            uint32_t childLength;
            if (!Frame(d, child, end, &childId, &childLength) || !AirportChild(d, child, childId, childLength, parts))
                return false;
            child += childLength;
        }
    }
    Position position = PositionAt(d, at + 0x0C);
    if (!Inside(d, position))
        return true;
    std::string &out = d.xml;
    out += "  <Airport";
    Attr(out, "region", Region(d, at + 0x2C));
    if (!parts.name.empty())
        Attr(out, "name", parts.name);
    AttrPosition(d, out, position);
    AttrAltitude(d, out, "alt", Altitude(d, at + 0x14));
    AttrNumber(out, "magvar", Float32(d, at + 0x24), 3);
    Attr(out, "ident", Ident(d, at + 0x28));
    if (parts.children.empty()) {
        out += "/>\r\n";
    } else {
        out += ">\r\n";
        out += parts.children;
        out += "  </Airport>\r\n";
    }
    ++d.result->written[KIND_AIRPORT];
    for (int kind = 0; kind < KIND_COUNT; ++kind)
        d.result->written[kind] += parts.counts[kind];
    return true;
}

/* ---- waypoints ---- */

bool DecodeWaypoint(Decoder &d, size_t at, uint16_t id, uint32_t length)
{
    if (!Needs(d, at, id, length, 0x1C))
        return false;
    Position position = PositionAt(d, at + 8);
    if (!Inside(d, position))
        return true;
    std::string &out = d.xml;
    out += "  <Waypoint";
    AttrPosition(d, out, position);
    Attr(out, "waypointType", Named(d.bytes[at + 6], NAMES(WAYPOINT_TYPES)));
    AttrNumber(out, "magvar", Float32(d, at + 0x10), 3);
    Attr(out, "waypointRegion", Region(d, at + 0x18));
    Attr(out, "waypointIdent", Ident(d, at + 0x14));
    out += "/>\r\n";
    ++d.result->written[KIND_WAYPOINT];
    return true;
}

/* ---- VOR, ILS, DME and NDB ---- */

struct NavParts {
    std::string name, children;
    bool localizer;
    double heading, width;
};

void DmeElement(const Decoder &d, size_t at, std::string &out)
{
    out += "    <Dme";
    AttrPosition(d, out, PositionAt(d, at + 8));
    AttrAltitude(d, out, "alt", Altitude(d, at + 0x10));
    AttrRange(d, out, Float32(d, at + 0x14));
    out += "/>\r\n";
}

void GlideSlopeElement(const Decoder &d, size_t at, std::string &out)
{
    out += "    <GlideSlope";
    AttrPosition(d, out, PositionAt(d, at + 8));
    AttrAltitude(d, out, "alt", Altitude(d, at + 0x10));
    AttrNumber(out, "pitch", Float32(d, at + 0x18), 3);
    AttrRange(d, out, Float32(d, at + 0x14));
    out += "/>\r\n";
}

bool NavChild(Decoder &d, uint32_t section, size_t at, uint16_t id, uint32_t length, NavParts &parts)
{
    switch (id) {
    case 0x0019:
        parts.name = Text(d, at + 6, length - 6);
        return true;
    case 0x0014: /* localizer: runway number and designator, heading, width */
        if (!Needs(d, at, id, length, 0x10))
            return false;
        parts.localizer = true;
        parts.heading = Float32(d, at + 8);
        parts.width = Float32(d, at + 0x0C);
        return true;
    case 0x0015:
        if (!Needs(d, at, id, length, 0x1C))
            return false;
        GlideSlopeElement(d, at, parts.children);
        return true;
    case 0x0016:
        if (!Needs(d, at, id, length, 0x18))
            return false;
        DmeElement(d, at, parts.children);
        return true;
    default:
        Skip(d, section, id, length);
        return true;
    }
}

bool NavChildren(Decoder &d, uint32_t section, size_t at, uint32_t fixed, uint32_t length, NavParts &parts)
{
    for (size_t child = at + fixed, end = at + length; child < end;) {
        uint16_t childId;
        uint32_t childLength;
        if (!Frame(d, child, end, &childId, &childLength) || !NavChild(d, section, child, childId, childLength, parts))
            return false;
        child += childLength;
    }
    return true;
}

void CloseElement(std::string &out, const char *name, const std::string &children)
{
    if (children.empty()) {
        out += "/>\r\n";
        return;
    }
    out += ">\r\n";
    out += children;
    out += "  </";
    out += name;
    out += ">\r\n";
}

/* VOR and ILS share one record (id 0x0013): type 4 is an ILS. Flags at 7: bit 0 DME only,
 * bit 2 back course, bit 3 glide slope, bit 4 DME, bit 5 NAV. */
bool DecodeVorIls(Decoder &d, size_t at, uint16_t id, uint32_t length)
{
    NavParts parts = {};
    if (!Needs(d, at, id, length, 0x28) || !NavChildren(d, SECTION_NAV, at, 0x28, length, parts))
        return false;
    Position position = PositionAt(d, at + 8);
    if (!Inside(d, position))
        return true;
    unsigned type = d.bytes[at + 6], flags = d.bytes[at + 7];
    bool ils = type == 4;
    const char *element = ils ? "Ils" : "Vor";
    std::string &out = d.xml;
    out += "  <";
    out += element;
    AttrPosition(d, out, position);
    AttrAltitude(d, out, "alt", Altitude(d, at + 0x10));
    if (ils && parts.localizer)
        AttrNumber(out, "heading", parts.heading, 3);
    if (!ils)
        Attr(out, "type", Named(type, NAMES(VOR_TYPES)));
    AttrNumber(out, "frequency", Le32(d, at + 0x14) / 1e6, 3);
    AttrRange(d, out, Float32(d, at + 0x18));
    AttrNumber(out, "magvar", Float32(d, at + 0x1C), 3);
    Attr(out, "region", Region(d, at + 0x24));
    Attr(out, "ident", Ident(d, at + 0x20));
    if (ils && parts.localizer)
        AttrNumber(out, "width", parts.width, 3);
    if (!parts.name.empty())
        Attr(out, "name", parts.name);
    if (ils) {
        AttrBool(out, "backCourse", flags & 0x04);
    } else {
        AttrBool(out, "dme", flags & 0x10);
        AttrBool(out, "nav", flags & 0x20);
        AttrBool(out, "dmeOnly", flags & 0x01);
    }
    CloseElement(out, element, parts.children);
    ++d.result->written[ils ? KIND_ILS : KIND_VOR];
    return true;
}

bool DecodeNdb(Decoder &d, size_t at, uint16_t id, uint32_t length)
{
    NavParts parts = {};
    if (!Needs(d, at, id, length, 0x28) || !NavChildren(d, SECTION_NDB, at, 0x28, length, parts))
        return false;
    Position position = PositionAt(d, at + 0x0C);
    if (!Inside(d, position))
        return true;
    std::string &out = d.xml;
    out += "  <Ndb";
    AttrPosition(d, out, position);
    AttrAltitude(d, out, "alt", Altitude(d, at + 0x14));
    Attr(out, "type", Named(Le16(d, at + 6), NAMES(NDB_TYPES)));
    AttrNumber(out, "frequency", Le32(d, at + 8) / 1e3, 3);
    AttrRange(d, out, Float32(d, at + 0x18));
    AttrNumber(out, "magvar", Float32(d, at + 0x1C), 3);
    Attr(out, "region", Region(d, at + 0x24));
    Attr(out, "ident", Ident(d, at + 0x20));
    if (!parts.name.empty())
        Attr(out, "name", parts.name);
    CloseElement(out, "Ndb", parts.children);
    ++d.result->written[KIND_NDB];
    return true;
}

/* ---- sections ---- */

const char *SectionName(uint32_t type)
{
    switch (type) {
    case 0x01: return "copyright";
    case 0x02: return "guid";
    case 0x03: return "airports";
    case 0x13: return "VOR/ILS";
    case 0x17: return "NDB";
    case 0x18: return "markers";
    case 0x20: return "boundaries";
    case 0x22: return "waypoints";
    case 0x23: return "geopolitical";
    case 0x25: return "scenery objects";
    case 0x27: return "name list";
    case 0x28: return "VOR/ILS index";
    case 0x29: return "NDB index";
    case 0x2A: return "waypoint index";
    case 0x2B: return "model data";
    case 0x2C: return "airport summary";
    case 0x2D: return "exclusions";
    case 0x2E: return "time zones";
    case 0x65: return "terrain vectors";
    default: return type >= 0x66 ? "terrain" : "unknown";
    }
}

bool Decodable(uint32_t type)
{
    return type == SECTION_AIRPORT || type == SECTION_NAV || type == SECTION_NDB || type == SECTION_WAYPOINT;
}

bool DecodeRecord(Decoder &d, uint32_t section, size_t at, uint16_t id, uint32_t length)
{
    if (section == SECTION_AIRPORT && (id == 0x0003 || id == 0x0056 || id == 0x0113))
        return DecodeAirport(d, at, id, length);
    if (section == SECTION_WAYPOINT && id == 0x0022)
        return DecodeWaypoint(d, at, id, length);
    if (section == SECTION_NAV && id == 0x0013)
        return DecodeVorIls(d, at, id, length);
    if (section == SECTION_NDB && id == 0x0017)
        return DecodeNdb(d, at, id, length);
    Skip(d, section, id, length);
    return true;
}

bool DecodeSubsection(Decoder &d, uint32_t section, size_t entry, size_t entryBytes)
{
    size_t countAt = entry + entryBytes - 12, offsetAt = entry + entryBytes - 8;
    uint32_t records = Le32(d, countAt), offset = Le32(d, offsetAt), bytes = Le32(d, entry + entryBytes - 4);
    if (offset > d.size || bytes > d.size - offset)
        return Fail(d, offsetAt, "damaged subsection at offset 0x%zX: its %u bytes of data at 0x%X run past the end of "
                                 "the file (%zu bytes)", entry, bytes, offset, d.size);
    if ((uint64_t)records * RECORD_HEADER_BYTES > bytes)
        return Fail(d, countAt, "damaged subsection at offset 0x%zX: %u records cannot fit its %u bytes", entry,
                    records, bytes);
    for (size_t at = offset, end = (size_t)offset + bytes; at < end;) {
        uint16_t id;
        uint32_t length;
        if (!Frame(d, at, end, &id, &length) || !DecodeRecord(d, section, at, id, length))
            return false;
        at += length;
        FlushXml(d, false);
    }
    return true;
}

bool DecodeSection(Decoder &d, unsigned index)
{
    size_t pointer = HEADER_BYTES + index * SECTION_POINTER_BYTES;
    uint32_t type = Le32(d, pointer), sizeWord = Le32(d, pointer + 4), count = Le32(d, pointer + 8);
    uint32_t offset = Le32(d, pointer + 12), bytes = Le32(d, pointer + 16);
    if (offset > d.size || bytes > d.size - offset)
        return Fail(d, pointer + 12, "damaged section pointer %u at offset 0x%zX: %u bytes at 0x%X run past the end "
                                     "of the file (%zu bytes)", index, pointer, bytes, offset, d.size);
    if (!Decodable(type)) {
        Note(d, "section %u: type 0x%X (%s), %u subsections in %u bytes, skipped", index, type, SectionName(type),
             count, bytes);
        ++d.result->skippedSections;
        return true;
    }
    size_t entryBytes = ((sizeWord & 0x10000) | 0x40000) >> 14;
    if ((uint64_t)count * entryBytes > bytes)
        return Fail(d, pointer + 8, "damaged section pointer %u at offset 0x%zX: %u subsections of %zu bytes cannot "
                                    "fit its %u bytes", index, pointer, count, entryBytes, bytes);
    Note(d, "section %u: type 0x%X (%s), %u subsections", index, type, SectionName(type), count);
    for (uint32_t i = 0; i < count; ++i)
        if (!DecodeSubsection(d, type, offset + i * entryBytes, entryBytes))
            return false;
    return true;
}

bool DecodeHeader(Decoder &d, uint32_t *sections)
{
    if (d.size < HEADER_BYTES)
        return Fail(d, d.size, "truncated header at offset 0x%zX: the file has %zu bytes, a BGL header needs 56", d.size, d.size);
    if (Le32(d, 0) != BGL_MAGIC)
        return Fail(d, 0, "not a BGL file of the second generation: magic number 0x%08X at offset 0x0", Le32(d, 0));
    *sections = Le32(d, 0x14);
    if (*sections > (d.size - HEADER_BYTES) / SECTION_POINTER_BYTES)
        return Fail(d, 0x14, "damaged header: %u sections at offset 0x14 need %llu bytes of section pointers, the file "
                             "has %zu bytes", *sections,
                    (unsigned long long)HEADER_BYTES + (unsigned long long)*sections * SECTION_POINTER_BYTES, d.size);
    Note(d, "BGL header: %u sections", *sections);
    /* The descriptions give 0x08051803 as the second magic number; other values are read on. */
    if (Le32(d, 0x10) != BGL_MAGIC2)
        Note(d, "header: second magic number 0x%08X at offset 0x10, 0x%08X expected", Le32(d, 0x10), BGL_MAGIC2);
    return true;
}

void NoteSkipped(Decoder &d)
{
    for (const Skipped &entry : d.skipped)
        Note(d, "skipped %lu records of id 0x%04X in sections of type 0x%X, %llu bytes", entry.count, entry.id,
             entry.section, entry.bytes);
    if (d.partialAirports)
        Note(d, "%lu airports of id 0x0113: their children (name, runways, starts, COM) are not decoded",
             d.partialAirports);
}

} // namespace

bool DecodeBgl(const unsigned char *bytes, size_t size, const DecodeOptions &options, const DecodeOutput &output,
               DecodeResult *result)
{
    *result = DecodeResult();
    result->ok = true;
    Decoder d = {bytes, size, &options, &output, result, std::string(), std::vector<Skipped>(), 0};
    uint32_t sections = 0;
    if (!DecodeHeader(d, &sections))
        return false;
    d.xml = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
            "<FSData version=\"9.0\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
            "xsi:noNamespaceSchemaLocation=\"bglcomp.xsd\">\r\n";
    for (uint32_t i = 0; i < sections; ++i)
        if (!DecodeSection(d, i))
            return false;
    d.xml += "</FSData>\r\n";
    FlushXml(d, true);
    NoteSkipped(d);
    return true;
}

std::string DecodeSummary(const DecodeResult &result)
{
    static const char *const names[KIND_COUNT] = {"airports", "runways",   "starts", "COM",
                                                  "helipads", "waypoints", "VOR",    "ILS", "NDB"};
    std::string line = "written:";
    for (int kind = 0; kind < KIND_COUNT; ++kind) {
        line += kind ? ", " : " ";
        AppendFixed(line, (double)result.written[kind], 0);
        line += ' ';
        line += names[kind];
    }
    char rest[160];
    snprintf(rest, sizeof rest, "; skipped: %lu records, %lu sections, %lu outside the radius", result.skippedRecords,
             result.skippedSections, result.outside);
    return line + rest;
}
