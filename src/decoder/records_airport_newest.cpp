/*
 * Airports of the newest generation (ids 0x0056 and 0x0113) and their children. Layouts from
 * the FSDeveloper wiki's "FS20 BGL File Format" page.
 */
#include "names.h"

namespace {

const Field NAME_FIELDS[] = {Text(6, 0, "name")};
const Layout NAME = {nullptr, TABLE(NAME_FIELDS), nullptr, 0, nullptr, 0};

/* The newest runway (0x00CE), read by the classic runway's leading fields. */
const Field RUNWAY_FIELDS[] = {
    Lat(0x18), Lon(0x14), AltMm(0x1C), Enum(0x06, 2, "surface", &SURFACES), Float(0x28, "heading"),
    Length(0x20, "length"), Length(0x24, "width"), Coded(0x08, C_RUNWAY_NUMBER, 1, "number"),
    Enum(0x09, 1, "designator", &DESIGNATORS), AltM(0x2C, "patternAltitude"),
};
const Layout RUNWAY = {"Runway", TABLE(RUNWAY_FIELDS), nullptr, 0, nullptr, 0};

const Field START_FIELDS[] = {
    Enum(0x07, 1, "type", &START_TYPES, 0, 4), Lat(0x0C), Lon(0x08), AltMm(0x10), Float(0x14, "heading"),
    Coded(0x06, C_RUNWAY_NUMBER, 1, "number"), Enum(0x07, 1, "designator", &DESIGNATORS, 0x0F),
};
const Layout START = {"Start", TABLE(START_FIELDS), nullptr, 0, nullptr, 0};

const Field COM_FIELDS[] = {F(0x08, C_FREQ_MHZ, "frequency"), Enum(0x06, 2, "type", &COM_TYPES), Text(0x0C, 0, "name")};
const Layout COM = {"Com", TABLE(COM_FIELDS), nullptr, 0, nullptr, 0};

const Field HELIPAD_FIELDS[] = {
    Lat(0x10), Lon(0x0C), AltMm(0x14), Enum(0x06, 1, "surface", &SURFACES), Float(0x20, "heading"),
    Length(0x18, "length"), Length(0x1C, "width"), Enum(0x07, 1, "type", &HELIPAD_TYPES, 0x0F),
    Flag(0x07, 1, 0x10, "transparent"), Flag(0x07, 1, 0x20, "closed"),
};
const Layout HELIPAD = {"Helipad", TABLE(HELIPAD_FIELDS), nullptr, 0, nullptr, 0};

const RecordKind AIRPORT_CHILD_ROWS[] = {
    {0x0019, 6, &NAME, nullptr, nullptr, "FSDeveloper wiki: FS20 BGL File Format", nullptr, 0},
    {0x00CE, 0x30, &RUNWAY, nullptr, nullptr, "FSDeveloper wiki: BGL File Format (classic runway)", nullptr, 0},
    {0x0011, 0x18, &START, nullptr, nullptr, "FSDeveloper wiki: BGL File Format", nullptr, 0},
    {0x0012, 0x0C, &COM, nullptr, nullptr, "FSDeveloper wiki: BGL File Format", nullptr, 0},
    {0x0026, 0x24, &HELIPAD, nullptr, nullptr, "FSDeveloper wiki: BGL File Format", nullptr, 0},
};
const KindTable AIRPORT_CHILDREN = {TABLE(AIRPORT_CHILD_ROWS)};

const Field AIRPORT_FIELDS[] = {
    Region(0x2C), Lat(0x10), Lon(0x0C), AltMm(0x14), Float(0x24, "magvar"), Ident(0x28),
};
const Layout AIRPORT = {"Airport", TABLE(AIRPORT_FIELDS), nullptr, 0, nullptr, 0};

/* 0x0113 shares the leading fields of 0x0056; the length of its fixed part is not published,
 * so its children are not walked yet. */
const RecordKind AIRPORT_KIND_ROWS[] = {
    {0x0056, 0x44, &AIRPORT, &AIRPORT_CHILDREN, nullptr, "FSDeveloper wiki: FS20 BGL File Format", nullptr, 0},
    {0x0113, 0x30, &AIRPORT, nullptr, nullptr, "FSDeveloper wiki: FS20 BGL File Format (leading fields)", nullptr, 0},
};

} // namespace

extern const KindTable AIRPORT_NEWEST_KINDS = {TABLE(AIRPORT_KIND_ROWS)};
