/*
 * Navaids and waypoints: waypoints (section 0x22), VOR and ILS with their localizer, glide
 * slope and DME (0x13), NDB (0x17) and markers (0x18). Layouts from the FSDeveloper wiki's
 * "BGL File Format" page.
 */
#include "names.h"

namespace {

const char *const WAYPOINT_TYPE_NAMES[] = {nullptr, "NAMED", "UNNAMED", "VOR", "NDB", "OFF_ROUTE", "IAF", "FAF"};
const char *const VOR_TYPE_NAMES[] = {nullptr, "TERMINAL", "LOW", "HIGH", "ILS", "VOT"};
const char *const NDB_TYPE_NAMES[] = {"COMPASS_POINT", "MH", "H", "HH"};
const NameTable WAYPOINT_TYPES = NAMES(WAYPOINT_TYPE_NAMES);
const NameTable VOR_TYPES = NAMES(VOR_TYPE_NAMES);
const NameTable NDB_TYPES = NAMES(NDB_TYPE_NAMES);

/* ---- waypoints ---- */

const Field WAYPOINT_FIELDS[] = {
    Lat(0x0C), Lon(0x08), Enum(0x06, 1, "waypointType", &WAYPOINT_TYPES), Float(0x10, "magvar"),
    Region(0x18, "waypointRegion"), Ident(0x14, "waypointIdent"),
};
const Layout WAYPOINT = {"Waypoint", TABLE(WAYPOINT_FIELDS), nullptr, 0, nullptr, 0};

const RecordKind WAYPOINT_KIND_ROWS[] = {
    {0x0022, 0x1C, &WAYPOINT, nullptr, nullptr, "FSDeveloper wiki: BGL File Format", nullptr, 0},
};

/* ---- VOR, ILS and their children ---- */

const Field GLIDE_SLOPE_FIELDS[] = {Lat(0x0C), Lon(0x08), AltMm(0x10), Float(0x18, "pitch"), Range(0x14)};
const Layout GLIDE_SLOPE = {"GlideSlope", TABLE(GLIDE_SLOPE_FIELDS), nullptr, 0, nullptr, 0};
const Field DME_FIELDS[] = {Lat(0x0C), Lon(0x08), AltMm(0x10), Range(0x14)};
const Layout DME = {"Dme", TABLE(DME_FIELDS), nullptr, 0, nullptr, 0};
/* The localizer gives its ILS the heading and the width of the beam. */
const Field LOCALIZER_FIELDS[] = {Float(0x08, "heading"), Float(0x0C, "width")};
const Layout LOCALIZER = {nullptr, TABLE(LOCALIZER_FIELDS), nullptr, 0, nullptr, 0};

const RecordKind NAV_CHILD_ROWS[] = {
    {0x0019, 6, &NAME_CHILD, nullptr, nullptr, "FSDeveloper wiki: BGL File Format", nullptr, 0},
    {0x0014, 0x10, &LOCALIZER, nullptr, nullptr, "FSDeveloper wiki: BGL File Format", nullptr, 0},
    {0x0015, 0x1C, &GLIDE_SLOPE, nullptr, nullptr, "FSDeveloper wiki: BGL File Format", nullptr, 0},
    {0x0016, 0x18, &DME, nullptr, nullptr, "FSDeveloper wiki: BGL File Format", nullptr, 0},
};
const KindTable NAV_CHILDREN = {TABLE(NAV_CHILD_ROWS)};

/* Flags at 7: bit 0 clear for DME only, bit 2 back course, bit 3 glide slope, bit 4 DME, bit 5 NAV.
 * LEAR's VOR PDT holds 0x31 and its source says dme TRUE, dmeOnly FALSE (corpus:
 * LEAR/LEAR_ADEX_ARV187.bgl). */
const Field VOR_FIELDS[] = {
    Lat(0x0C), Lon(0x08), AltMm(0x10), Enum(0x06, 1, "type", &VOR_TYPES), F(0x14, C_FREQ_MHZ, "frequency"),
    Range(0x18), Float(0x1C, "magvar"), Region(0x24), Ident(0x20), Flag(0x07, 1, 0x10, "dme"),
    Flag(0x07, 1, 0x20, "nav"), Flag(0x07, 1, 0x01, "dmeOnly", true),
};
const Layout VOR = {"Vor", TABLE(VOR_FIELDS), nullptr, 0, nullptr, 0};
const Field ILS_FIELDS[] = {
    Lat(0x0C), Lon(0x08), AltMm(0x10), F(0x14, C_FREQ_MHZ, "frequency"), Range(0x18), Float(0x1C, "magvar"),
    Region(0x24), Ident(0x20), Flag(0x07, 1, 0x04, "backCourse"),
};
const Layout ILS = {"Ils", TABLE(ILS_FIELDS), nullptr, 0, nullptr, 0};
/* One record (id 0x0013) holds both: type 4 is an ILS. */
const Variant VOR_VARIANTS[] = {{WhenEquals(0x06, 1, 4), &ILS}};

const RecordKind VOR_ILS_KIND_ROWS[] = {
    {0x0013, 0x28, &VOR, &NAV_CHILDREN, nullptr, "FSDeveloper wiki: BGL File Format", TABLE(VOR_VARIANTS)},
};

/* ---- NDB ---- */

const Field NDB_FIELDS[] = {
    Lat(0x10), Lon(0x0C), AltMm(0x14), Enum(0x06, 2, "type", &NDB_TYPES), F(0x08, C_FREQ_KHZ, "frequency"),
    Range(0x18), Float(0x1C, "magvar"), Region(0x24), Ident(0x20),
};
const Layout NDB = {"Ndb", TABLE(NDB_FIELDS), nullptr, 0, nullptr, 0};

const RecordKind NDB_KIND_ROWS[] = {
    {0x0017, 0x28, &NDB, &NAV_CHILDREN, nullptr, "FSDeveloper wiki: BGL File Format", nullptr, 0},
};

} // namespace

extern const KindTable WAYPOINT_KINDS = {TABLE(WAYPOINT_KIND_ROWS)};
extern const KindTable VOR_ILS_KINDS = {TABLE(VOR_ILS_KIND_ROWS)};
extern const KindTable NDB_KINDS = {TABLE(NDB_KIND_ROWS)};
extern const KindTable MARKER_KINDS = {nullptr, 0};
