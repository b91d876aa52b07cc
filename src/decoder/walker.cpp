/*
 * The one walker every record kind goes through. It takes the container's sections and
 * framed records (container.cpp), finds each record's kind in the tables (records_*.cpp), and
 * writes it as the kind's layout says: the element and its attributes in the table's order,
 * then the elements written from the same bytes, the item arrays and the child records. No
 * record kind has code of its own here.
 */
#include "decoder.h"

#include <stdarg.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include "coded_steps.h"
#include "container.h"
#include "encodings.h"
#include "records.h"
#include "xml_writer.h"

namespace {

const size_t XML_FLUSH_BYTES = 1 << 18;
const int MAX_LEVELS = 24; /* nesting the tables allow is far less; a damaged file cannot recurse deeper */
const size_t MAX_SECTION_TABLES = 8;

struct Skipped {
    uint32_t section;
    uint16_t id;
    unsigned long count;
    unsigned long long bytes;
};

/* A C_REMEMBER field's integer and text. */
struct Remembered {
    uint32_t key;
    const char *text;
};

struct Walk {
    Bgl file;
    const DecodeOptions *options;
    const DecodeOutput *output;
    DecodeResult *result;
    XmlUnits units;
    std::string xml;
    std::vector<Skipped> skipped;
    std::string scratch[MAX_LEVELS][2]; /* attributes and body of each nesting level, reused */
    std::vector<const char *> opened[MAX_LEVELS + 1]; /* the wrappers written at each level */
    uint32_t section;                   /* the type of the section being walked */
    bool newest;                        /* a file of the newest generation */
    double originLatitude;              /* where the C_METRES_EAST_NORTH fields measure from */
    double originLongitude;
    double cellSouth, cellWest;         /* the cell the C_PACKED_LAT and C_PACKED_LON fields place points in */
    double cellHeight, cellWidth;
    Span record;                        /* the top-level record being written: where IS_INDIRECT offsets lead */
    uint32_t point;                     /* inside IS_PACKED_RING items, the point's number; 0 elsewhere */
    const std::vector<int32_t> *steppedPoints; /* inside IS_CODED_STEPS items, x and y of each point in the
                                                  cell's grid; NULL elsewhere */
    std::vector<Remembered> remembered; /* what the C_REMEMBER fields of the top-level record kept */
    const std::string *lastOut;         /* where the last element was written, */
    size_t lastAttributesEnd;           /* and where its attributes end there */
    Damage damage;
};

/* The records a run of bytes may hold, and how they are framed. */
struct Tables {
    const KindTable *tables[MAX_SECTION_TABLES];
    size_t count;
    uint8_t framing;
    bool tentative;
};

bool Fail(Walk &w, size_t offset, const char *format, ...)
{
    char message[320];
    va_list args;
    va_start(args, format);
    vsnprintf(message, sizeof message, format, args);
    va_end(args);
    w.damage.offset = offset;
    w.damage.message = message;
    return false;
}

void Note(Walk &w, const char *format, ...)
{
    if (w.options->quiet || !w.output->note)
        return;
    char line[320];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    w.output->note(w.output->context, line);
}

void FlushXml(Walk &w, bool always)
{
    if ((always || w.xml.size() >= XML_FLUSH_BYTES) && !w.xml.empty()) {
        w.output->writeXml(w.output->context, w.xml.data(), w.xml.size());
        w.xml.clear();
    }
}

void CountWritten(Walk &w, const char *element)
{
    for (ElementCount &entry : w.result->written)
        if (entry.element == element || strcmp(entry.element, element) == 0) {
            ++entry.count;
            return;
        }
    w.result->written.push_back(ElementCount{element, 1});
}

void Skip(Walk &w, uint16_t id, size_t length)
{
    ++w.result->skippedRecords;
    for (Skipped &entry : w.skipped)
        if (entry.section == w.section && entry.id == id) {
            ++entry.count;
            entry.bytes += length;
            return;
        }
    w.skipped.push_back(Skipped{w.section, id, 1, length});
}

/* ---- reading fields; every read is checked against the bytes of its record ---- */

bool Reach(Walk &w, Span span, size_t offset, size_t width)
{
    if (offset <= span.size && width <= span.size - offset)
        return true;
    return Fail(w, span.at, "damaged record at offset 0x%zX: its %zu bytes end before the %zu bytes its layout reads "
                            "at +0x%zX", span.at, span.size, width, offset);
}

const unsigned char *At(const Walk &w, Span span, size_t offset)
{
    return w.file.bytes + span.at + offset;
}

uint32_t Unsigned(const unsigned char *p, uint8_t width)
{
    return width == 1 ? p[0] : width == 2 ? Le16(p) : Le32(p);
}

float Float32(const unsigned char *p)
{
    uint32_t bits = Le32(p);
    float value;
    memcpy(&value, &bits, sizeof value);
    return value;
}

/* The integer a field or condition reads: masked, shifted, and sign-extended when signed. */
long long Integer(const unsigned char *p, uint8_t width, uint32_t mask, uint8_t shift, bool signedness)
{
    uint32_t raw = Unsigned(p, width);
    if (mask)
        raw &= mask;
    raw >>= shift;
    if (signedness && width < 4 && !mask) {
        uint32_t sign = 1u << (width * 8 - 1);
        return (long long)(int32_t)((raw ^ sign) - sign);
    }
    return signedness ? (long long)(int32_t)raw : (long long)raw;
}

/* The 16 bytes of GUID at `p` as the sources write one: {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}. */
const size_t GUID_TEXT_BYTES = 40;
void FormatGuid(char *text, const unsigned char *p)
{
    snprintf(text, GUID_TEXT_BYTES, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", (unsigned)Le32(p),
             (unsigned)Le16(p + 4), (unsigned)Le16(p + 6), p[8], p[9], p[10], p[11], p[12], p[13], p[14], p[15]);
}

/* The entry `guids` has for the 16 bytes of GUID at `p`, or NULL. */
const GuidName *FindGuid(const GuidTable *guids, const unsigned char *p)
{
    char text[GUID_TEXT_BYTES];
    FormatGuid(text, p);
    for (size_t i = 0; guids && i < guids->count; ++i)
        if (strcmp(guids->entries[i].guid, text) == 0)
            return &guids->entries[i];
    return nullptr;
}

bool Holds(Walk &w, const Condition &when, Span span, bool *holds)
{
    if (when.test == T_ALWAYS) {
        *holds = true;
        return true;
    }
    if (!Reach(w, span, when.offset, when.width))
        return false;
    uint32_t value = Unsigned(At(w, span, when.offset), when.width) & (when.mask ? when.mask : 0xFFFFFFFFu);
    switch (when.test) {
    case T_SET: *holds = value != 0; break;
    case T_CLEAR: *holds = value == 0; break;
    case T_EQUALS: *holds = value == when.value; break;
    case T_DIFFERS: *holds = value != when.value; break;
    case T_KNOWN_GUID: *holds = FindGuid(when.guids, At(w, span, when.offset)) != nullptr; break;
    default: *holds = true; break;
    }
    return true;
}

size_t CodingWidth(const Field &field)
{
    switch (field.coding) {
    case C_CONST:
    case C_INDEX:
    case C_TEXT_LIST: return 0;
    case C_METRES_EAST_NORTH: return 8;
    case C_PACKED_LAT:
    case C_PACKED_LON: return 1;
    case C_GUID_NAME:
    case C_GUID_TYPE: return 16;
    case C_GUID_VALUE: return 20;
    case C_ANGLE16: return 2;
    case C_GUID: return 16;
    case C_DOUBLE: return 8;
    case C_RUNWAY_NUMBER: return 1;
    case C_INT:
    case C_HEX:
    case C_ENUM:
    case C_FLAG:
    case C_SCALED:
    case C_REMEMBER:
    case C_RECALL:
    case C_TEXT: return field.width;
    default: return 4;
    }
}

/* 360/65536 degrees a step; signed angles lie in [-180, 180), half a turn written as -180 as
 * the newest sources write it (KDKX/KDKX.xml: 113 objects at -180, none at 180). */
double Angle16(uint16_t raw, bool signedness)
{
    if (signedness && raw >= 0x8000)
        return ((int)raw - 0x10000) * (360.0 / 65536.0);
    return raw * (360.0 / 65536.0);
}

void AppendName(std::string &out, const char *attribute, const NameTable *names, long long value)
{
    if (names && value >= 0 && (size_t)value < names->count && names->names[value]) {
        const char *name = names->names[value];
        XmlText(out, attribute, name, strlen(name));
    } else {
        XmlNumber(out, attribute, (double)value, 0);
    }
}

void AppendGuid(std::string &out, const char *attribute, const unsigned char *p)
{
    char text[GUID_TEXT_BYTES];
    FormatGuid(text, p);
    XmlText(out, attribute, text, strlen(text));
}

void AppendRunwayNumber(std::string &out, const char *attribute, unsigned number)
{
    static const char *const compass[] = {"NORTH", "NORTHEAST", "EAST", "SOUTHEAST",
                                          "SOUTH", "SOUTHWEST", "WEST", "NORTHWEST"};
    char text[16];
    if (number >= 37 && number <= 44)
        snprintf(text, sizeof text, "%s", compass[number - 37]);
    else
        snprintf(text, sizeof text, "%02u", number);
    XmlText(out, attribute, text, strlen(text));
}

/* Texts of `width` bytes each, up to their first NUL, as the compiler lists them: "ARV, 787". */
void AppendTextList(std::string &out, const char *attribute, const unsigned char *p, size_t length, uint8_t width)
{
    std::string list;
    for (size_t at = 0; width && length - at >= width; at += width) {
        const void *nul = memchr(p + at, '\0', width);
        if (!list.empty())
            list += ", ";
        list.append((const char *)p + at, nul ? (size_t)((const unsigned char *)nul - (p + at)) : width);
    }
    XmlText(out, attribute, list.data(), list.size());
}

/* The `bits` bits from bit `at` of `p`, packed from the least significant bit of each byte. */
uint32_t PackedBits(const unsigned char *p, size_t at, unsigned bits)
{
    uint32_t value = 0;
    for (unsigned i = 0; i < bits; ++i, ++at)
        value |= (uint32_t)((p[at >> 3] >> (at & 7)) & 1) << i;
    return value;
}

/* The cell of a quad cell id: below its highest set bit, two bits a level (column bit, row bit)
 * from the finest level up, then the column and row among the 3 x 2 cells of level 0 (corpus:
 * the vertices of EDGX/EDGX.bgl and KPSC/KPSC.bgl against their sources). */
void SetCell(Walk &w, uint32_t id)
{
    int top = 31;
    while (top > 0 && !(id >> top & 1))
        --top;
    int levels = top >= 5 ? (top - 5) / 2 : 0;
    uint32_t column = 0, row = 0;
    for (int i = 0; i < levels; ++i) {
        column |= (id >> (2 * i) & 1) << i;
        row |= (id >> (2 * i + 1) & 1) << i;
    }
    uint32_t root = id >> (2 * levels);
    column |= (root & 3) << levels;
    row |= (root >> 2 & 1) << levels;
    w.cellWidth = 360.0 / (3.0 * (1u << levels));
    w.cellHeight = 180.0 / (2.0 * (1u << levels));
    w.cellWest = -180.0 + column * w.cellWidth;
    w.cellSouth = 90.0 - (row + 1) * w.cellHeight;
}

/* A packed point's coordinate, at the centre of its unit of the cell's grid; `end` is where the
 * packed bytes up to it end. */
bool PackedCoordinate(Walk &w, const Field &field, Span span, double *degrees, size_t *end)
{
    size_t point = (size_t)field.shift + w.point;
    bool latitude = field.coding == C_PACKED_LAT;
    double unit;
    if (w.steppedPoints) {
        if (2 * point + 1 >= w.steppedPoints->size())
            return Fail(w, span.at, "damaged record at offset 0x%zX: no point %zu among the points coded as steps",
                        span.at, point);
        unit = (*w.steppedPoints)[2 * point + (latitude ? 1 : 0)];
        *end = 0;
    } else {
        unsigned bits = *At(w, span, field.offset);
        size_t last = (2 * (point + 1) * bits + 7) / 8;
        if (bits == 0 || bits > 32)
            return Fail(w, span.at, "damaged record at offset 0x%zX: packed points of %u bits", span.at, bits);
        if (!Reach(w, span, field.offset + 1u, last))
            return false;
        unit = PackedBits(At(w, span, field.offset + 1u), (2 * point + (latitude ? 1 : 0)) * bits, bits);
        *end = field.offset + 1u + last;
    }
    *degrees = latitude ? w.cellSouth + (unit + 0.5) * w.cellHeight / 32768.0
                        : w.cellWest + (unit + 0.5) * w.cellWidth / 32768.0;
    return true;
}

/* An attribute's value (uint32 size, then its bytes, after the GUID at `p`) as its type says. */
void AppendGuidValue(std::string &out, const char *attribute, const GuidName *entry, const unsigned char *p,
                     size_t size)
{
    const char *type = entry ? entry->type : "";
    if (strcmp(type, "GUID") == 0 && size >= 16)
        AppendGuid(out, attribute, p);
    else if (strcmp(type, "FLOAT32") == 0 && size >= 4)
        XmlNumber(out, attribute, Float32(p), 6);
    else if (strcmp(type, "UINT32") == 0 && size >= 4)
        XmlNumber(out, attribute, Le32(p), 0);
    else if (strcmp(type, "UINT8") == 0 && size >= 1)
        XmlNumber(out, attribute, p[0], 0);
    else {
        const void *nul = memchr(p, '\0', size);
        XmlText(out, attribute, (const char *)p, nul ? (size_t)((const unsigned char *)nul - p) : size);
    }
}

bool WriteField(Walk &w, const Field &field, Span span, uint32_t index, std::string &out, size_t *end)
{
    size_t width = field.coding == C_TEXT && field.width == 0 ? 0 : CodingWidth(field);
    if (!Reach(w, span, field.offset, width))
        return false;
    *end = field.coding == C_TEXT && field.width == 0 ? span.size : field.offset + width;
    const unsigned char *p = At(w, span, field.offset);
    const char *name = field.attribute;
    switch (field.coding) {
    case C_LAT: XmlCoordinate(out, name, Le32(p), true, w.units); break;
    case C_LON: XmlCoordinate(out, name, Le32(p), false, w.units); break;
    case C_ALT_MM: XmlAltitude(out, name, (int32_t)Le32(p) / 1000.0, w.units); break;
    case C_ALT_M: XmlAltitude(out, name, Float32(p), w.units); break;
    case C_RANGE: XmlRange(out, name, Float32(p), w.units); break;
    case C_LENGTH:
    case C_FLOAT: XmlNumber(out, name, Float32(p), 3); break;
    case C_ANGLE16: XmlNumber(out, name, Angle16(Le16(p), field.signedness && w.newest), 3); break;
    case C_ANGLE32: XmlNumber(out, name, Le32(p) * (360.0 / 4294967296.0), 3); break;
    case C_INT:
        XmlNumber(out, name, (double)Integer(p, field.width, field.mask, field.shift, field.signedness), 0);
        break;
    case C_HEX: {
        char text[16];
        snprintf(text, sizeof text, "0x%X", (unsigned)Integer(p, field.width, field.mask, field.shift, false));
        XmlText(out, name, text, strlen(text));
        break;
    }
    case C_SCALED:
        XmlNumber(out, name, (double)Integer(p, field.width, 0, 0, field.signedness) * field.scale, 3);
        break;
    case C_ENUM: AppendName(out, name, field.names, Integer(p, field.width, field.mask, field.shift, false)); break;
    case C_FLAG: {
        bool set = (Unsigned(p, field.width) & (field.mask ? field.mask : 0xFFFFFFFFu)) != 0;
        XmlBool(out, name, set != field.invert);
        break;
    }
    case C_IDENT:
    case C_REGION: {
        char text[16];
        size_t length = FormatIdent(text, field.coding == C_IDENT ? Le32(p) >> field.shift : Le32(p) & 0x7FF);
        XmlText(out, name, text, length);
        break;
    }
    case C_FREQ_MHZ: XmlNumber(out, name, Le32(p) / 1e6, 3); break;
    case C_FREQ_KHZ: XmlNumber(out, name, Le32(p) / 1e3, 3); break;
    case C_TEXT: {
        size_t length = field.width ? field.width : span.size - field.offset;
        const void *nul = memchr(p, '\0', length);
        XmlText(out, name, (const char *)p, nul ? (size_t)((const unsigned char *)nul - p) : length);
        break;
    }
    case C_GUID: AppendGuid(out, name, p); break;
    case C_RUNWAY_NUMBER: AppendRunwayNumber(out, name, p[0]); break;
    case C_CONST: XmlText(out, name, field.constant, strlen(field.constant)); break;
    case C_INDEX: XmlNumber(out, name, index, 0); break;
    case C_DOUBLE: {
        uint64_t bits = (uint64_t)Le32(p) | (uint64_t)Le32(p + 4) << 32;
        double value;
        memcpy(&value, &bits, sizeof value);
        XmlNumber(out, name, value, 8);
        break;
    }
    case C_TEXT_LIST: AppendTextList(out, name, p, span.size - field.offset, field.width); break;
    case C_ORIGIN_LAT: w.originLatitude = BglLatitude(Le32(p)); break;
    case C_ORIGIN_LON: w.originLongitude = BglLongitude(Le32(p)); break;
    case C_CELL: SetCell(w, Le32(p)); break;
    case C_REMEMBER:
        w.remembered.push_back({(uint32_t)Integer(p, field.width, field.mask, 0, false), field.constant});
        break;
    case C_RECALL: {
        uint32_t key = (uint32_t)Integer(p, field.width, field.mask, 0, false);
        for (const Remembered &kept : w.remembered)
            if (kept.key == key) {
                XmlText(out, name, kept.text, strlen(kept.text));
                break;
            }
        break;
    }
    case C_PACKED_LAT:
    case C_PACKED_LON: {
        double degrees = 0;
        if (!PackedCoordinate(w, field, span, &degrees, end))
            return false;
        bool latitude = field.coding == C_PACKED_LAT;
        XmlCoordinate(out, name, latitude ? BglRawLatitude(degrees) : BglRawLongitude(degrees), latitude, w.units);
        break;
    }
    case C_GUID_NAME:
    case C_GUID_TYPE: {
        const GuidName *entry = FindGuid(field.guids, p);
        const char *text = !entry ? "" : field.coding == C_GUID_NAME ? entry->name : entry->type;
        XmlText(out, name, text, strlen(text));
        break;
    }
    case C_GUID_VALUE: {
        size_t size = Le32(p + 16);
        if (!Reach(w, span, field.offset + 20u, size))
            return false;
        AppendGuidValue(out, name, FindGuid(field.guids, p), p + 20, size);
        *end = field.offset + 20u + size;
        break;
    }
    case C_METRES_EAST_NORTH: {
        double latitude, longitude;
        OffsetByMetres(w.originLatitude, w.originLongitude, Float32(p), Float32(p + 4), &latitude, &longitude);
        XmlCoordinate(out, "lat", BglRawLatitude(latitude), true, w.units);
        XmlCoordinate(out, "lon", BglRawLongitude(longitude), false, w.units);
        break;
    }
    default: break;
    }
    return true;
}

/* The layout's fields; `end` grows to where the furthest of them ends. */
bool WriteFields(Walk &w, const Layout &layout, Span span, uint32_t index, std::string &out, size_t *end)
{
    for (size_t i = 0; i < layout.fieldCount; ++i) {
        size_t fieldEnd = 0;
        if (!WriteField(w, layout.fields[i], span, index, out, &fieldEnd))
            return false;
        if (fieldEnd > *end)
            *end = fieldEnd;
    }
    return true;
}

/* ---- elements ---- */

/* The bytes of the item at `at`: its stride, plus the units its count of extra bytes says, or
 * plus its padded NUL-ended text. */
bool ItemLength(Walk &w, const Items &items, Span span, size_t at, size_t *length)
{
    *length = items.stride;
    if (items.extraWidth) {
        if (!Reach(w, span, at + items.extraOffset, items.extraWidth))
            return false;
        *length += (size_t)Unsigned(At(w, span, at + items.extraOffset), items.extraWidth) * items.extraUnit;
    } else if (items.extraUnit) {
        size_t text = at + items.extraOffset;
        if (!Reach(w, span, text, 1))
            return false;
        const void *nul = memchr(At(w, span, text), '\0', span.size - text);
        if (!nul)
            return Fail(w, span.at + text, "damaged record at offset 0x%zX: the text at +0x%zX has no end", span.at, text);
        size_t padded = (size_t)((const unsigned char *)nul - At(w, span, text)) + 1;
        padded += (items.extraUnit - padded % items.extraUnit) % items.extraUnit;
        *length = items.extraOffset + padded;
    }
    return Reach(w, span, at, *length);
}

struct ChildRecords {
    const Tables *tables;
    size_t at; /* from the start of the span: where the child records begin */
};

bool WriteRecords(Walk &w, const Tables &tables, Span range, int level, int depth, std::string &out,
                  std::string &parentAttributes);

bool WriteLayout(Walk &w, const Layout &layout, Span span, uint32_t index, int level, int depth, std::string &out,
                 std::string &parentAttributes, const ChildRecords *children, size_t *consumed);

/* Items that give their own size in a field, as many as there is room for. */
bool SizedByThemselves(const Items &items)
{
    return items.sizing == IS_BYTES && !items.countWidth && !items.stride && items.extraWidth;
}

/* Items that are the points of a ring, packed or coded as steps: each reads the shared bytes
 * at their start, and the last closes the ring and is not written. */
bool PointsOfARing(const Items &items)
{
    return items.sizing == IS_PACKED_RING || items.sizing == IS_CODED_STEPS;
}

/* Where the items begin, and how many there are. */
bool LocateItems(Walk &w, const Items &items, Span span, size_t *at, uint32_t *count)
{
    *at = items.start;
    if (items.startWidth) {
        if (!Reach(w, span, items.startOffset, items.startWidth))
            return false;
        *at += Unsigned(At(w, span, items.startOffset), items.startWidth);
    }
    if (!Reach(w, span, items.countOffset, items.countWidth))
        return false;
    *count = items.countWidth ? Unsigned(At(w, span, items.countOffset), items.countWidth)
             : SizedByThemselves(items) ? UINT32_MAX
             : items.stride && *at < span.size ? (uint32_t)((span.size - *at) / items.stride)
                                               : 0;
    if (PointsOfARing(items) && *count)
        --*count; /* the last point closes the ring on the first */
    return true;
}

const uint32_t MAX_STEPPED_POINTS = 1u << 20;

/* The points of IS_CODED_STEPS items at `at`: the first, the first step, then a count of bytes
 * and the bytes coding the changes of every further step (coded_steps.cpp); `end` is where those
 * bytes end. */
bool SteppedPoints(Walk &w, Span span, size_t at, uint32_t count, std::vector<int32_t> &points, size_t *end)
{
    if (!Reach(w, span, at, 20) || !Reach(w, span, at + 20, Le32(At(w, span, at + 16))))
        return false;
    const unsigned char *p = At(w, span, at);
    size_t size = Le32(p + 16);
    *end = at + 20 + size;
    std::vector<int32_t> changes;
    /* Every point but the first adds a step; the change into the closing step is coded too. A few
     * bytes can code a long run of equal steps: the count is bounded so that a damaged one cannot
     * ask for more memory than a 32-bit process has. */
    if (count > MAX_STEPPED_POINTS || !DecodeStepChanges(p + 20, size, count ? 2 * (size_t)(count - 1) : 0, changes))
        return Fail(w, span.at + at, "damaged record at offset 0x%zX: points coded as steps do not decode", span.at);
    /* Sums wrap as the file's 32-bit words would rather than overflow. */
    uint32_t x = Le32(p), y = Le32(p + 4), dx = Le32(p + 8), dy = Le32(p + 12);
    points.clear();
    for (uint32_t n = 0; n < count; ++n) {
        points.push_back((int32_t)x);
        points.push_back((int32_t)y);
        x += dx;
        y += dy;
        if (n + 1 < count) {
            dx += (uint32_t)changes[2 * n];
            dy += (uint32_t)changes[2 * n + 1];
        }
    }
    return true;
}

/* One array of items; `end` grows to where the last of them ends. */
bool WriteItems(Walk &w, const Items &items, Span span, int level, int depth, std::string &body,
                std::string &attributes, size_t *end)
{
    size_t at;
    uint32_t count;
    if (!LocateItems(w, items, span, &at, &count))
        return false;
    bool sizedByThemselves = SizedByThemselves(items);
    std::vector<int32_t> stepped;
    if (items.sizing == IS_CODED_STEPS) {
        size_t codeEnd;
        if (!SteppedPoints(w, span, at, count, stepped, &codeEnd))
            return false;
        *end = codeEnd > *end ? codeEnd : *end;
    }
    for (uint32_t n = 0; n < count; ++n) {
        /* Items that give their own size: as many as have room for that size before the end. */
        if (sizedByThemselves && (at > span.size || span.size - at < (size_t)items.extraOffset + items.extraWidth ||
                                  Unsigned(At(w, span, at + items.extraOffset), items.extraWidth) == 0))
            break;
        size_t length = 0;
        Span bytes;
        if (items.sizing == IS_AS_READ || PointsOfARing(items)) {
            if (!Reach(w, span, at, 0))
                return false;
            bytes = Span{span.at + at, span.size - at};
        } else if (items.sizing == IS_INDIRECT) {
            if (!Reach(w, span, at, 4))
                return false;
            size_t entry = (size_t)items.extraOffset + Le32(At(w, span, at));
            Span record = w.record;
            if (!Reach(w, record, entry, 20) || !Reach(w, record, entry + 20, Le32(At(w, record, entry + 16))))
                return false;
            bytes = Span{record.at + entry, 20 + (size_t)Le32(At(w, record, entry + 16))};
            length = items.stride;
        } else {
            if (!ItemLength(w, items, span, at, &length))
                return false;
            bytes = Span{span.at + at, length};
        }
        size_t read = 0;
        bool placed = PointsOfARing(items);
        w.point = placed ? n : 0;
        w.steppedPoints = items.sizing == IS_CODED_STEPS ? &stepped : nullptr;
        bool written = WriteLayout(w, *items.item, bytes, n, level + 1, depth, body, attributes, nullptr, &read);
        w.point = 0;
        w.steppedPoints = nullptr;
        if (!written)
            return false;
        if (items.sizing == IS_AS_READ)
            length = read;
        /* An item of no bytes would let a count read from the file spin the walk for nothing. */
        if (length == 0 && !placed)
            return Fail(w, span.at + at, "damaged record at offset 0x%zX: item %u of an array at +0x%zX takes no bytes",
                        span.at, n, at);
        if (items.sizing == IS_PACKED_RING)
            *end = at + read > *end ? at + read : *end;
        else if (!placed)
            at += length;
    }
    if (items.sizing == IS_PACKED_RING && count && at < span.size) {
        /* the closing point is not written, but its bits are part of the items */
        unsigned bits = *At(w, span, at);
        size_t all = at + 1 + (2 * ((size_t)count + 1) * bits + 7) / 8;
        if (all > *end)
            *end = all;
    }
    if (!PointsOfARing(items) && at > *end)
        *end = at;
    return true;
}

bool Opened(const std::vector<const char *> &opened, const char *name)
{
    for (const char *wrapper : opened)
        if (strcmp(wrapper, name) == 0)
            return true;
    return false;
}

/* One element (or, for a layout without one, its parent's attributes and children) from the
 * bytes of `span`; `consumed` is where the furthest of what it read ends. */
bool WriteLayout(Walk &w, const Layout &layout, Span span, uint32_t index, int level, int depth, std::string &out,
                 std::string &parentAttributes, const ChildRecords *children, size_t *consumed)
{
    *consumed = 0;
    if (level >= MAX_LEVELS)
        return Fail(w, span.at, "damaged record at offset 0x%zX: records nested more than %d deep", span.at, MAX_LEVELS);
    bool leaf = !layout.partCount && !layout.itemsCount && !layout.containers && !layout.then &&
                (!children || !children->tables->count || children->at >= span.size);
    if (layout.element && leaf) { /* most elements: written in place, nothing to gather first */
        XmlOpenTag(out, depth, layout.element);
        if (!WriteFields(w, layout, span, index, out, consumed))
            return false;
        w.lastOut = &out;
        w.lastAttributesEnd = out.size();
        XmlEndTag(out, false);
        CountWritten(w, layout.element);
        return true;
    }
    std::string &attributes = layout.element ? w.scratch[level][0] : parentAttributes;
    std::string &body = w.scratch[level][1];
    if (layout.element)
        attributes.clear();
    body.clear();
    int inner = layout.element ? depth + 1 : depth;
    if (!WriteFields(w, layout, span, index, attributes, consumed))
        return false;
    for (size_t i = 0; i < layout.partCount; ++i) {
        const Part &part = layout.parts[i];
        bool holds;
        if (!Holds(w, part.when, span, &holds) || !Reach(w, span, part.offset, 0))
            return false;
        size_t read = 0;
        if (holds && !WriteLayout(w, *part.layout, Span{span.at + part.offset, span.size - part.offset}, index,
                                  level + 1, inner, body, attributes, nullptr, &read))
            return false;
        if (holds && part.offset + read > *consumed)
            *consumed = part.offset + read;
    }
    size_t after = children ? children->at : 0;
    for (size_t i = 0; i < layout.itemsCount; ++i)
        if (!WriteItems(w, layout.items[i], span, level, inner, body, attributes, &after))
            return false;
    if (after > *consumed)
        *consumed = after;
    w.opened[level + 1].clear();
    if (children && children->tables->count && after < span.size &&
        !WriteRecords(w, *children->tables, Span{span.at + after, span.size - after}, level + 1, inner, body,
                      attributes))
        return false;
    for (const char *const *name = layout.containers; name && *name; ++name)
        if (!Opened(w.opened[level + 1], *name)) {
            XmlOpenTag(body, inner, *name);
            XmlEndTag(body, false);
            CountWritten(w, *name);
        }
    if (layout.then) {
        size_t from = *consumed, read = 0;
        if (!Reach(w, span, from, 0) ||
            !WriteLayout(w, *layout.then, Span{span.at + from, span.size - from}, index, level + 1, inner, body,
                         attributes, nullptr, &read))
            return false;
        *consumed = from + read;
    }
    if (!layout.element) {
        out += body;
        return true;
    }
    XmlOpenTag(out, depth, layout.element);
    out += attributes;
    w.lastOut = &out;
    w.lastAttributesEnd = out.size();
    XmlEndTag(out, !body.empty());
    if (!body.empty()) {
        out += body;
        XmlCloseTag(out, depth, layout.element);
    }
    CountWritten(w, layout.element);
    return true;
}

const RecordKind *KindOf(const Tables &tables, uint16_t id)
{
    for (size_t i = 0; i < tables.count; ++i)
        if (const RecordKind *kind = FindKind(tables.tables[i], id))
            return kind;
    return nullptr;
}

bool ChooseLayout(Walk &w, const RecordKind &kind, Span span, const Layout **layout)
{
    *layout = kind.layout;
    for (size_t i = 0; i < kind.variantCount; ++i) {
        bool holds;
        if (!Holds(w, kind.variants[i].when, span, &holds))
            return false;
        if (holds) {
            *layout = kind.variants[i].layout;
            break;
        }
    }
    return true;
}

/* A top-level record's position, when its layout has one, is inside the radius. */
bool InsideRadius(Walk &w, const Layout &layout, Span span)
{
    if (!w.options->partial)
        return true;
    const Field *latitude = nullptr, *longitude = nullptr;
    for (size_t i = 0; i < layout.fieldCount; ++i) {
        Coding coding = layout.fields[i].coding;
        if ((coding == C_LAT || coding == C_ORIGIN_LAT) && !latitude)
            latitude = &layout.fields[i];
        if ((coding == C_LON || coding == C_ORIGIN_LON) && !longitude)
            longitude = &layout.fields[i];
    }
    if (!latitude || !longitude || latitude->offset + 4u > span.size || longitude->offset + 4u > span.size)
        return true;
    double radius = w.options->radius > 0 ? w.options->radius : 0;
    double distance = GreatCircleDistance(w.options->centerLatitude, w.options->centerLongitude,
                                          BglLatitude(Le32(At(w, span, latitude->offset))),
                                          BglLongitude(Le32(At(w, span, longitude->offset))), w.options->miles);
    if (distance <= radius)
        return true;
    ++w.result->outside;
    return false;
}

Tables ChildTables(const RecordKind &kind, uint8_t framing)
{
    Tables tables = {};
    tables.framing = framing;
    if (kind.children && kind.children->count)
        tables.tables[tables.count++] = kind.children;
    return tables;
}

bool WriteRecord(Walk &w, const RecordKind &kind, const Record &record, uint8_t framing, int level, int depth,
                 std::string &out, std::string &parentAttributes)
{
    if (record.bytes.size < kind.fixed)
        return Fail(w, record.bytes.at + 2, "damaged record at offset 0x%zX: id 0x%04X is %zu bytes, its layout needs %u",
                    record.bytes.at, record.id, record.bytes.size, (unsigned)kind.fixed);
    const Layout *layout;
    if (!ChooseLayout(w, kind, record.bytes, &layout))
        return false;
    if (level == 0 && !InsideRadius(w, *layout, record.bytes))
        return true;
    if (level == 0) {
        w.record = record.bytes;
        w.remembered.clear();
    }
    size_t read;
    if (!kind.children || !kind.children->count) /* most kinds: no child records to look for */
        return WriteLayout(w, *layout, record.bytes, 0, level, depth, out, parentAttributes, nullptr, &read);
    Tables tables = ChildTables(kind, framing);
    ChildRecords children = {&tables, kind.fixed};
    return WriteLayout(w, *layout, record.bytes, 0, level, depth, out, parentAttributes, &children, &read);
}

/* A record that completes the element written just before it among its siblings: its fields
 * join that element's attributes. With no such element before it, it is skipped. */
bool CompletePrevious(Walk &w, const RecordKind &kind, const Record &record, std::string &siblings)
{
    if (w.lastOut != &siblings || w.lastAttributesEnd > siblings.size()) {
        Skip(w, record.id, record.bytes.size);
        return true;
    }
    if (record.bytes.size < kind.fixed)
        return Fail(w, record.bytes.at + 2, "damaged record at offset 0x%zX: id 0x%04X is %zu bytes, its layout needs %u",
                    record.bytes.at, record.id, record.bytes.size, (unsigned)kind.fixed);
    std::string attributes;
    size_t end = 0;
    if (!WriteFields(w, *kind.layout, record.bytes, 0, attributes, &end))
        return false;
    siblings.insert(w.lastAttributesEnd, attributes);
    w.lastAttributesEnd += attributes.size();
    return true;
}

/* The framed records of `range`, each written by its kind or skipped by its size; records of
 * a kind with a wrapper go, while they follow one another, inside one wrapper element. */
bool WriteRecords(Walk &w, const Tables &tables, Span range, int level, int depth, std::string &out,
                  std::string &parentAttributes)
{
    w.lastOut = nullptr; /* nothing written yet among these siblings */
    const char *wrapper = nullptr;
    std::string wrapped;
    for (size_t at = range.at, end = range.at + range.size; at < end;) {
        Record record;
        if (!FrameRecord(w.file, at, end, tables.framing, &record, &w.damage))
            return false;
        at += record.bytes.size;
        const RecordKind *kind = KindOf(tables, record.id);
        if (kind && kind->completesPrevious) {
            if (!CompletePrevious(w, *kind, record, wrapper ? wrapped : out))
                return false;
            continue;
        }
        if (!kind) {
            Skip(w, record.id, record.bytes.size);
            continue;
        }
        if (wrapper && (!kind->wrapper || strcmp(kind->wrapper, wrapper) != 0)) {
            XmlOpenTag(out, depth, wrapper);
            XmlEndTag(out, true);
            out += wrapped;
            XmlCloseTag(out, depth, wrapper);
            CountWritten(w, wrapper);
            wrapper = nullptr;
            w.lastOut = nullptr;
        }
        if (kind->wrapper && !wrapper) {
            wrapper = kind->wrapper;
            w.lastOut = nullptr;
            w.opened[level].push_back(wrapper);
            wrapped.clear();
        }
        if (!WriteRecord(w, *kind, record, tables.framing, level, wrapper ? depth + 1 : depth, wrapper ? wrapped : out,
                         parentAttributes))
            return false;
        if (level == 0)
            FlushXml(w, false);
    }
    if (wrapper) {
        XmlOpenTag(out, depth, wrapper);
        XmlEndTag(out, !wrapped.empty());
        if (!wrapped.empty()) {
            out += wrapped;
            XmlCloseTag(out, depth, wrapper);
        }
        CountWritten(w, wrapper);
    }
    return true;
}

/* ---- sections ---- */

Tables SectionTables(uint32_t type)
{
    Tables tables = {};
    for (size_t i = 0; i < SECTION_KIND_COUNT && tables.count < MAX_SECTION_TABLES; ++i)
        if (SECTION_KINDS[i].type == type) {
            tables.framing = SECTION_KINDS[i].framing;
            tables.tentative = tables.tentative || SECTION_KINDS[i].tentative;
            tables.tables[tables.count++] = SECTION_KINDS[i].kinds;
        }
    return tables;
}

/* A section whose data is not framed as records: each subsection's data is one record of the
 * single kind of the section's table, with no header of its own. */
bool WriteUnframed(Walk &w, const Tables &tables, Span data, std::string &unused)
{
    const KindTable &table = *tables.tables[0];
    if (!table.count)
        return true;
    Record record = {table.kinds[0].id, data};
    if (!WriteRecord(w, table.kinds[0], record, 0, 0, 1, w.xml, unused))
        return false;
    FlushXml(w, false);
    return true;
}

bool WalkSection(Walk &w, unsigned index)
{
    Section section;
    if (!ReadSection(w.file, index, &section, &w.damage))
        return false;
    Tables tables = SectionTables(section.type);
    if (!tables.count) {
        Note(w, "section %u: type 0x%X (%s), %u subsections in %zu bytes, skipped", index, section.type,
             SectionName(section.type), section.subsections, section.entries.size);
        ++w.result->skippedSections;
        return true;
    }
    Note(w, "section %u: type 0x%X (%s), %u subsections", index, section.type, SectionName(section.type),
         section.subsections);
    w.section = section.type;
    std::string unused;
    bool leftOut = false;
    for (uint32_t i = 0; i < section.subsections; ++i) {
        Subsection subsection;
        if (!ReadSubsection(w.file, section, i, tables.framing, &subsection, &w.damage))
            return false; /* the container itself is damaged */
        /* What a subsection of a tentative section wrote is taken back when it cannot be read. */
        size_t mark = w.xml.size();
        DecodeResult before;
        std::vector<Skipped> skippedBefore;
        if (tables.tentative) {
            before = *w.result;
            skippedBefore = w.skipped;
        }
        bool written = tables.framing ? WriteRecords(w, tables, subsection.data, 0, 1, w.xml, unused)
                                      : WriteUnframed(w, tables, subsection.data, unused);
        if (written)
            continue;
        if (!tables.tentative || w.xml.size() < mark)
            return false;
        w.xml.resize(mark);
        *w.result = before;
        w.skipped = skippedBefore;
        Note(w, "section %u: subsection %u of type 0x%X (%s) left out, not read as this decoder knows it: %s", index, i,
             section.type, SectionName(section.type), w.damage.message.c_str());
        leftOut = true;
    }
    if (leftOut)
        ++w.result->skippedSections;
    return true;
}

/* Whether the file is of the newest generation: its first airport record is of a newest id.
 * The bytes of records both generations share are the same; only how their sources write some
 * values differs (signed angles), so a file without airports is read as the older one. */
bool NewestGeneration(const Bgl &file)
{
    for (unsigned i = 0; i < file.sections; ++i) {
        Section section;
        Subsection subsection;
        Record record;
        Damage ignored;
        if (!ReadSection(file, i, &section, &ignored) || section.type != 0x03 || !section.subsections ||
            !ReadSubsection(file, section, 0, 6, &subsection, &ignored) || !subsection.data.size ||
            !FrameRecord(file, subsection.data.at, subsection.data.at + subsection.data.size, 6, &record, &ignored))
            continue;
        for (size_t k = 0; k < NEWEST_AIRPORT_ID_COUNT; ++k)
            if (record.id == NEWEST_AIRPORT_IDS[k])
                return true;
        return false;
    }
    return false;
}

void NoteSkipped(Walk &w)
{
    for (const Skipped &entry : w.skipped)
        Note(w, "skipped %lu records of id 0x%04X in sections of type 0x%X, %llu bytes", entry.count, entry.id,
             entry.section, entry.bytes);
}

bool Refuse(Walk &w)
{
    w.result->ok = false;
    w.result->errorOffset = w.damage.offset;
    w.result->error = w.damage.message;
    return false;
}

} // namespace

bool DecodeBgl(const unsigned char *bytes, size_t size, const DecodeOptions &options, const DecodeOutput &output,
               DecodeResult *result)
{
    *result = DecodeResult();
    result->ok = true;
    Walk w;
    w.options = &options;
    w.output = &output;
    w.result = result;
    w.units = XmlUnits{options.feet, options.miles, options.dms};
    w.lastOut = nullptr;
    w.section = 0;
    w.originLatitude = w.originLongitude = 0;
    w.cellSouth = w.cellWest = w.cellHeight = w.cellWidth = 0;
    w.record = Span{0, 0};
    w.point = 0;
    w.steppedPoints = nullptr;
    if (!ReadHeader(bytes, size, &w.file, &w.damage))
        return Refuse(w);
    Note(w, "BGL header: %u sections", w.file.sections);
    /* The descriptions give 0x08051803 as the second magic number; other values are read on. */
    if (w.file.magic2 != 0x08051803u)
        Note(w, "header: second magic number 0x%08X at offset 0x10, 0x08051803 expected", w.file.magic2);
    w.newest = NewestGeneration(w.file);
    XmlDocumentStart(w.xml);
    for (uint32_t i = 0; i < w.file.sections; ++i)
        if (!WalkSection(w, i))
            return Refuse(w);
    XmlDocumentEnd(w.xml);
    FlushXml(w, true);
    NoteSkipped(w);
    return true;
}

unsigned long WrittenCount(const DecodeResult &result, const char *element)
{
    for (const ElementCount &entry : result.written)
        if (strcmp(entry.element, element) == 0)
            return entry.count;
    return 0;
}

std::string DecodeSummary(const DecodeResult &result)
{
    std::string line = "written:";
    if (result.written.empty())
        line += " nothing";
    for (size_t i = 0; i < result.written.size(); ++i) {
        line += i ? ", " : " ";
        AppendFixed(line, (double)result.written[i].count, 0);
        line += ' ';
        line += result.written[i].element;
    }
    char rest[160];
    snprintf(rest, sizeof rest, "; skipped: %lu records, %lu sections; %lu outside the radius", result.skippedRecords,
             result.skippedSections, result.outside);
    return line + rest;
}
