/*
 * Airports of the older generation (ids 0x0003, 0x003C, and 0x00AB read as 0x003C) and their children: runways
 * with their pads, lights and VASI, starts, COM, helipads, the taxiway network, parking,
 * aprons and their edge lights, jetways, approaches and their legs, the tower, fuel and the
 * delete-airport record. Layouts from the FSDeveloper wiki's "BGL File Format" page; where it
 * is silent, a comment names the corpus file that shows the bytes.
 */
#include "names.h"

extern const Layout LIBRARY_SCENERY_OBJECT; /* records_scenery.cpp: a jetway holds one */

namespace {

const char *const SOURCE_WIKI = "FSDeveloper wiki: BGL File Format";
const char *const SOURCE_LEAR = "corpus: LEAR/LEAR_ADEX_ARV187.bgl";
const char *const SOURCE_GUESS_AB = "layout of 0x003C assumed; no description or corpus file shows 0x00AB";

/* ---- runways ---- */

const char *const YES_NO_NAMES[] = {"YES", "NO"};
/* Alphabetical in the compiler's own order: LEAR's CALVERT2 is 10 and SSALS 14. */
const char *const APPROACH_LIGHT_NAMES[] = {"NONE",  "ODALS", "MALSF",   "MALSR",    "SSALF", "SSALR", "ALSF1", "ALSF2",
                                            "RAIL",  "CALVERT", "CALVERT2", "MALS", "SALS",  "SALSF", "SSALS"};
const char *const VASI_NAMES[] = {nullptr, "VASI21", "VASI31", "VASI22", "VASI32", "VASI23", "VASI33",
                                  "PAPI2", "PAPI4", "TRICOLOR", "PVASI", "TVASI", "BALL", "APAP_PANELS"};
const NameTable YES_NO = NAMES(YES_NO_NAMES);
const NameTable APPROACH_LIGHTS = NAMES(APPROACH_LIGHT_NAMES);
const NameTable VASI_TYPES = NAMES(VASI_NAMES);

/* Markings: the word at 0x30 and the top bits of the lights byte at 0x32. */
const Field MARKINGS_FIELDS[] = {
    Flag(0x31, 1, 0x20, "alternateThreshold"), Flag(0x31, 1, 0x80, "alternateTouchdown"),
    Flag(0x31, 1, 0x40, "alternateFixedDistance"), Flag(0x32, 1, 0x20, "alternatePrecision"),
    Flag(0x32, 1, 0x40, "leadingZeroIdent"), Flag(0x32, 1, 0x80, "noThresholdEndArrows"),
    Flag(0x30, 1, 0x01, "edges"), Flag(0x30, 1, 0x02, "threshold"), Flag(0x30, 1, 0x04, "fixedDistance"),
    Flag(0x30, 1, 0x08, "touchdown"), Flag(0x30, 1, 0x10, "dashes"), Flag(0x30, 1, 0x20, "ident"),
    Flag(0x30, 1, 0x40, "precision"), Flag(0x30, 1, 0x80, "edgePavement"), Flag(0x31, 1, 0x01, "singleEnd"),
    Flag(0x31, 1, 0x02, "primaryClosed"), Flag(0x31, 1, 0x04, "secondaryClosed"), Flag(0x31, 1, 0x08, "primaryStol"),
    Flag(0x31, 1, 0x10, "secondaryStol"),
};
const Layout MARKINGS = {"Markings", TABLE(MARKINGS_FIELDS), nullptr, 0, nullptr, 0};
const Field LIGHTS_FIELDS[] = {
    Enum(0x32, 1, "center", &LIGHTS, 0x0C, 2), Enum(0x32, 1, "edge", &LIGHTS, 0x03), Flag(0x32, 1, 0x10, "centerRed"),
};
const Layout RUNWAY_LIGHTS = {"Lights", TABLE(LIGHTS_FIELDS), nullptr, 0, nullptr, 0};
const Part RUNWAY_PARTS[] = {{0, Always(), &MARKINGS}, {0, Always(), &RUNWAY_LIGHTS}};

/* Surface in the low 7 bits of 0x06, bit 7 transparent (LEAR's water runway: 0x82). Takeoff,
 * landing and pattern of each end in the byte at 0x33. */
const Field RUNWAY_FIELDS[] = {
    Lat(0x18), Lon(0x14), AltMm(0x1C), Enum(0x06, 2, "surface", &SURFACES, 0x7F), Flag(0x06, 2, 0x80, "transparent"),
    Float(0x28, "heading"), Length(0x20, "length"), Length(0x24, "width"), Coded(0x08, C_RUNWAY_NUMBER, 1, "number"),
    Enum(0x09, 1, "designator", &DESIGNATORS), AltM(0x2C, "patternAltitude"),
    Enum(0x33, 1, "primaryTakeoff", &YES_NO, 0x01), Enum(0x33, 1, "primaryLanding", &YES_NO, 0x02, 1),
    Enum(0x33, 1, "primaryPattern", &PATTERNS, 0x04, 2), Enum(0x33, 1, "secondaryTakeoff", &YES_NO, 0x08, 3),
    Enum(0x33, 1, "secondaryLanding", &YES_NO, 0x10, 4), Enum(0x33, 1, "secondaryPattern", &PATTERNS, 0x20, 5),
};
const Layout RUNWAY = {"Runway", TABLE(RUNWAY_FIELDS), TABLE(RUNWAY_PARTS), nullptr, 0};

/* The classic runway (0x0004) keeps its leading fields. */
const Field RUNWAY_CLASSIC_FIELDS[] = {
    Lat(0x18), Lon(0x14), AltMm(0x1C), Enum(0x06, 2, "surface", &SURFACES), Float(0x28, "heading"),
    Length(0x20, "length"), Length(0x24, "width"), Coded(0x08, C_RUNWAY_NUMBER, 1, "number"),
    Enum(0x09, 1, "designator", &DESIGNATORS), AltM(0x2C, "patternAltitude"),
};
const Layout RUNWAY_CLASSIC = {"Runway", TABLE(RUNWAY_CLASSIC_FIELDS), nullptr, 0, nullptr, 0};

#define PAD(NAME, ELEMENT, END)                                                                             \
    const Field NAME##_FIELDS[] = {Const("end", END), Enum(0x06, 2, "surface", &SURFACES, 0x7F),             \
                                   Length(0x08, "length"), Length(0x0C, "width")};                          \
    const Layout NAME = {ELEMENT, TABLE(NAME##_FIELDS), nullptr, 0, nullptr, 0}
PAD(OFFSET_PRIMARY, "OffsetThreshold", "PRIMARY");
PAD(OFFSET_SECONDARY, "OffsetThreshold", "SECONDARY");
PAD(BLAST_PRIMARY, "BlastPad", "PRIMARY");
PAD(BLAST_SECONDARY, "BlastPad", "SECONDARY");
PAD(OVERRUN_PRIMARY, "Overrun", "PRIMARY");
PAD(OVERRUN_SECONDARY, "Overrun", "SECONDARY");

#define VASI(NAME, END, SIDE)                                                                               \
    const Field NAME##_FIELDS[] = {Const("end", END), Enum(0x06, 2, "type", &VASI_TYPES), Const("side", SIDE), \
                                   Length(0x08, "biasX"), Length(0x0C, "biasZ"), Length(0x10, "spacing"),    \
                                   Float(0x14, "pitch")};                                                    \
    const Layout NAME = {"Vasi", TABLE(NAME##_FIELDS), nullptr, 0, nullptr, 0}
VASI(VASI_PRIMARY_LEFT, "PRIMARY", "LEFT");
VASI(VASI_PRIMARY_RIGHT, "PRIMARY", "RIGHT");
VASI(VASI_SECONDARY_LEFT, "SECONDARY", "LEFT");
VASI(VASI_SECONDARY_RIGHT, "SECONDARY", "RIGHT");

#define APPROACH_LIGHTS(NAME, END)                                                                          \
    const Field NAME##_FIELDS[] = {Const("end", END), Enum(0x06, 1, "system", &APPROACH_LIGHTS, 0x1F),       \
                                   Int(0x07, 1, "strobes"), Flag(0x06, 1, 0x40, "reil"),                     \
                                   Flag(0x06, 1, 0x80, "touchdown"), Flag(0x06, 1, 0x20, "endLights")};      \
    const Layout NAME = {"ApproachLights", TABLE(NAME##_FIELDS), nullptr, 0, nullptr, 0}
APPROACH_LIGHTS(LIGHTS_PRIMARY, "PRIMARY");
APPROACH_LIGHTS(LIGHTS_SECONDARY, "SECONDARY");

const RecordKind RUNWAY_CHILD_ROWS[] = {
    {0x0005, 0x10, &OFFSET_PRIMARY, nullptr, nullptr, SOURCE_WIKI, nullptr, 0},
    {0x0006, 0x10, &OFFSET_SECONDARY, nullptr, nullptr, SOURCE_WIKI, nullptr, 0},
    {0x0007, 0x10, &BLAST_PRIMARY, nullptr, nullptr, SOURCE_WIKI, nullptr, 0},
    {0x0008, 0x10, &BLAST_SECONDARY, nullptr, nullptr, SOURCE_WIKI, nullptr, 0},
    {0x0009, 0x10, &OVERRUN_PRIMARY, nullptr, nullptr, SOURCE_WIKI, nullptr, 0},
    {0x000A, 0x10, &OVERRUN_SECONDARY, nullptr, nullptr, SOURCE_WIKI, nullptr, 0},
    {0x000B, 0x18, &VASI_PRIMARY_LEFT, nullptr, nullptr, SOURCE_LEAR, nullptr, 0},
    {0x000C, 0x18, &VASI_PRIMARY_RIGHT, nullptr, nullptr, SOURCE_LEAR, nullptr, 0},
    {0x000D, 0x18, &VASI_SECONDARY_LEFT, nullptr, nullptr, SOURCE_LEAR, nullptr, 0},
    {0x000E, 0x18, &VASI_SECONDARY_RIGHT, nullptr, nullptr, SOURCE_LEAR, nullptr, 0},
    {0x000F, 0x08, &LIGHTS_PRIMARY, nullptr, nullptr, SOURCE_LEAR, nullptr, 0},
    {0x0010, 0x08, &LIGHTS_SECONDARY, nullptr, nullptr, SOURCE_LEAR, nullptr, 0},
};
const KindTable RUNWAY_CHILDREN = {TABLE(RUNWAY_CHILD_ROWS)};

/* ---- starts, COM, helipads ---- */

const Field START_FIELDS[] = {
    Enum(0x07, 1, "type", &START_TYPES, 0, 4), Lat(0x0C), Lon(0x08), AltMm(0x10), Float(0x14, "heading"),
    Coded(0x06, C_RUNWAY_NUMBER, 1, "number"), Enum(0x07, 1, "designator", &DESIGNATORS, 0x0F),
};
const Layout START = {"Start", TABLE(START_FIELDS), nullptr, 0, nullptr, 0};

const Field HELIPAD_FIELDS[] = {
    Lat(0x10), Lon(0x0C), AltMm(0x14), Enum(0x06, 1, "surface", &SURFACES), Float(0x20, "heading"),
    Length(0x18, "length"), Length(0x1C, "width"), Enum(0x07, 1, "type", &HELIPAD_TYPES, 0x0F),
    Flag(0x07, 1, 0x10, "transparent"), Flag(0x07, 1, 0x20, "closed"),
};
const Layout HELIPAD = {"Helipad", TABLE(HELIPAD_FIELDS), nullptr, 0, nullptr, 0};

/* ---- the taxiway network ---- */


const Field POINT_FIELDS[] = {
    Coded(0, C_INDEX, 0, "index"), Enum(0x00, 1, "type", &POINT_TYPES), Enum(0x01, 1, "orientation", &ORIENTATIONS),
    Lat(0x08), Lon(0x04),
};
const Layout POINT = {"TaxiwayPoint", TABLE(POINT_FIELDS), nullptr, 0, nullptr, 0};
const Items POINT_ITEMS[] = {{0x08, 0x06, 2, 12, 0, 0, 0, &POINT}};
const Layout POINTS = {nullptr, nullptr, 0, nullptr, 0, TABLE(POINT_ITEMS)};

/* The dword at 0: name (6 bits), push-back (2), type (4), number (12), number of airline codes
 * (8); the codes follow the item, 4 bytes each (corpus: LEAR's gates, "ARV, 787"). */
const Field PARKING_FIELDS[] = {
    Coded(0, C_INDEX, 0, "index"), Lat(0x20), Lon(0x1C), Float(0x08, "heading"), Length(0x04, "radius"),
    Enum(0x00, 2, "type", &PARKING_TYPES, 0x0F00, 8), Enum(0x00, 1, "name", &PARKING_NAMES, 0x3F),
    Int(0x00, 4, "number", 0x00FFF000, 12), Coded(0x24, C_TEXT_LIST, 4, "airlineCodes"),
    Enum(0x00, 1, "pushBack", &PUSHBACKS, 0xC0, 6), Float(0x0C, "teeOffset1"), Float(0x10, "teeOffset2"),
    Float(0x14, "teeOffset3"), Float(0x18, "teeOffset4"),
};
const Layout PARKING = {"TaxiwayParking", TABLE(PARKING_FIELDS), nullptr, 0, nullptr, 0};
const Items PARKING_ITEMS[] = {{0x08, 0x06, 2, 0x24, 0x03, 1, 4, &PARKING}};
const Layout PARKINGS = {nullptr, nullptr, 0, nullptr, 0, TABLE(PARKING_ITEMS)};

const Field TAXI_NAME_FIELDS[] = {Coded(0, C_INDEX, 0, "index"), Text(0, 8, "name")};
const Layout TAXI_NAME = {"TaxiName", TABLE(TAXI_NAME_FIELDS), nullptr, 0, nullptr, 0};
const Items TAXI_NAME_ITEMS[] = {{0x08, 0x06, 2, 8, 0, 0, 0, &TAXI_NAME}};
const Layout TAXI_NAMES = {nullptr, nullptr, 0, nullptr, 0, TABLE(TAXI_NAME_ITEMS)};

/* 36 bytes a path (corpus: LEAR; the last 20 are zero there). The byte at 5 is the taxi name's
 * index, or, on a path of type RUNWAY (2), the runway's number, its designator then in the top
 * bits of the end point: LEAR's 9 runway paths have a number and designator and no name, its
 * 155 others a name only. */
const Field PATH_FIELDS[] = {
    Enum(0x04, 1, "type", &PATH_TYPES, 0x1F), Int(0x00, 2, "start"), Int(0x02, 2, "end", 0x0FFF),
    Length(0x08, "width"), Float(0x0C, "weightLimit"), Flag(0x04, 1, 0x20, "drawSurface"),
    Flag(0x04, 1, 0x40, "drawDetail"), Enum(0x07, 1, "surface", &SURFACES),
};
const Field PATH_NAME_FIELDS[] = {Int(0x05, 1, "name")};
const Layout PATH_NAME = {nullptr, TABLE(PATH_NAME_FIELDS), nullptr, 0, nullptr, 0};
const Field PATH_RUNWAY_FIELDS[] = {
    Coded(0x05, C_RUNWAY_NUMBER, 1, "number"), Enum(0x02, 2, "designator", &DESIGNATORS, 0xF000, 12),
};
const Layout PATH_RUNWAY = {nullptr, TABLE(PATH_RUNWAY_FIELDS), nullptr, 0, nullptr, 0};
const Field PATH_LINE_FIELDS[] = {
    Flag(0x06, 1, 0x01, "centerLine"), Flag(0x06, 1, 0x02, "centerLineLighted"),
    Enum(0x06, 1, "leftEdge", &EDGES, 0x0C, 2), Flag(0x06, 1, 0x10, "leftEdgeLighted"),
    Enum(0x06, 1, "rightEdge", &EDGES, 0x60, 5), Flag(0x06, 1, 0x80, "rightEdgeLighted"),
};
const Layout PATH_LINES = {nullptr, TABLE(PATH_LINE_FIELDS), nullptr, 0, nullptr, 0};
const Part PATH_PARTS[] = {
    {0, Condition{0x04, 1, 0x1F, 2, T_DIFFERS}, &PATH_NAME},
    {0, WhenEquals(0x04, 1, 2, 0x1F), &PATH_RUNWAY},
    {0, Always(), &PATH_LINES},
};
const Layout PATH = {"TaxiwayPath", TABLE(PATH_FIELDS), TABLE(PATH_PARTS), nullptr, 0};
const Items PATH_ITEMS[] = {{0x08, 0x06, 2, 36, 0, 0, 0, &PATH}};
const Layout PATHS = {nullptr, nullptr, 0, nullptr, 0, TABLE(PATH_ITEMS)};

/* ---- aprons and their edge lights ---- */

const Field VERTEX_FIELDS[] = {Lat(0x04), Lon(0x00)};
const Layout VERTEX = {"Vertex", TABLE(VERTEX_FIELDS), nullptr, 0, nullptr, 0};
const Field APRON_FIELDS[] = {Enum(0x06, 1, "surface", &SURFACES)};
const Items APRON_ITEMS[] = {{0x09, 0x07, 2, 8, 0, 0, 0, &VERTEX}};
const Layout APRON = {"Apron", TABLE(APRON_FIELDS), nullptr, 0, TABLE(APRON_ITEMS)};
/* 0x0041 follows each apron: the compiler's triangulation of it, and before the triangles the
 * apron's drawing flags at 0x07, bit 0 drawSurface and bit 1 drawDetail (corpus: LEAR/LEAR_ADEX_ARV187.bgl,
 * flags 0x03 after both aprons, whose sources say TRUE and TRUE). */
const Field APRON_DRAWING_FIELDS[] = {Flag(0x07, 1, 0x01, "drawSurface"), Flag(0x07, 1, 0x02, "drawDetail")};
const Layout APRON_DRAWING = {nullptr, TABLE(APRON_DRAWING_FIELDS), nullptr, 0, nullptr, 0};

/* One record holds every vertex of the edge lights (count at 8, from 0x18), then the edges
 * that join them (count at 0xA), 8 bytes each: spacing (float), start and end vertex (u16).
 * The edges say where the source's runs end: a run breaks where an edge does not start at the
 * previous edge's end (corpus: LEAR, 14 vertices, edges 0-1-2-3, 4-5-6, 7-8-9-10-11, 12-13, the
 * source's 4 EdgeLights of 4, 3, 5 and 2 vertices). Writing the runs apart would need items
 * grouped by that break and read by index; for now the vertices become one EdgeLights. */
const Items EDGE_VERTEX_ITEMS[] = {{0x18, 0x08, 2, 8, 0, 0, 0, &VERTEX}};
const Layout EDGE_LIGHTS = {"EdgeLights", nullptr, 0, nullptr, 0, TABLE(EDGE_VERTEX_ITEMS)};
const Part APRON_EDGE_PARTS[] = {{0, Always(), &EDGE_LIGHTS}};
const Layout APRON_EDGE_LIGHTS = {"ApronEdgeLights", nullptr, 0, TABLE(APRON_EDGE_PARTS), nullptr, 0};

/* ---- jetways, the tower, services, deletions ---- */

/* The parking number and gate name, then a scenery object framed like those of section 0x25
 * (corpus: LEAR, a library object at 0x0E). */
const Field JETWAY_FIELDS[] = {Enum(0x08, 2, "gateName", &PARKING_NAMES), Int(0x06, 2, "parkingNumber")};
const Part JETWAY_PARTS[] = {{0x0E, WhenEquals(0x0E, 2, 0x000B), &LIBRARY_SCENERY_OBJECT}};
const Layout JETWAY = {"Jetway", TABLE(JETWAY_FIELDS), TABLE(JETWAY_PARTS), nullptr, 0};

const char *const AVAILABILITY_NAMES[] = {"NO", "UNKNOWN", "PRIOR_REQUEST", "YES"};
const NameTable AVAILABILITIES = NAMES(AVAILABILITY_NAMES);

/* Two bits a fuel in the dword at 0x30, in this order. */
#define FUEL(NAME, TYPE, BIT)                                                                               \
    const Field NAME##_FIELDS[] = {Const("type", TYPE),                                                      \
                                   Enum(0x30, 4, "availability", &AVAILABILITIES, 3u << (BIT), BIT)};        \
    const Layout NAME = {"Fuel", TABLE(NAME##_FIELDS), nullptr, 0, nullptr, 0}
FUEL(FUEL_73, "73", 0);
FUEL(FUEL_87, "87", 2);
FUEL(FUEL_100, "100", 4);
FUEL(FUEL_130, "130", 6);
FUEL(FUEL_145, "145", 8);
FUEL(FUEL_MOGAS, "MOGAS", 10);
FUEL(FUEL_JET, "JET", 12);
FUEL(FUEL_JETA, "JETA", 14);
FUEL(FUEL_JETA1, "JETA1", 16);
FUEL(FUEL_JETAP, "JETAP", 18);
FUEL(FUEL_JETB, "JETB", 20);
FUEL(FUEL_JET4, "JET4", 22);
FUEL(FUEL_JET5, "JET5", 24);
const Part FUEL_PARTS[] = {
    {0, WhenSet(0x30, 4, 3u << 0), &FUEL_73},      {0, WhenSet(0x30, 4, 3u << 2), &FUEL_87},
    {0, WhenSet(0x30, 4, 3u << 4), &FUEL_100},     {0, WhenSet(0x30, 4, 3u << 6), &FUEL_130},
    {0, WhenSet(0x30, 4, 3u << 8), &FUEL_145},     {0, WhenSet(0x30, 4, 3u << 10), &FUEL_MOGAS},
    {0, WhenSet(0x30, 4, 3u << 12), &FUEL_JET},    {0, WhenSet(0x30, 4, 3u << 14), &FUEL_JETA},
    {0, WhenSet(0x30, 4, 3u << 16), &FUEL_JETA1},  {0, WhenSet(0x30, 4, 3u << 18), &FUEL_JETAP},
    {0, WhenSet(0x30, 4, 3u << 20), &FUEL_JETB},   {0, WhenSet(0x30, 4, 3u << 22), &FUEL_JET4},
    {0, WhenSet(0x30, 4, 3u << 24), &FUEL_JET5},
};
const Layout SERVICES = {"Services", nullptr, 0, TABLE(FUEL_PARTS), nullptr, 0};

const Field TOWER_FIELDS[] = {Lat(0x1C), Lon(0x18), AltMm(0x20)};
const Layout TOWER = {"Tower", TABLE(TOWER_FIELDS), nullptr, 0, nullptr, 0};

const Field DELETE_FIELDS[] = {
    Flag(0x06, 2, 1u << 5, "deleteAllRunways"),        Flag(0x06, 2, 1u << 6, "deleteAllStarts"),
    Flag(0x06, 2, 1u << 4, "deleteAllHelipads"),       Flag(0x06, 2, 1u << 3, "deleteAllFrequencies"),
    Flag(0x06, 2, 1u << 7, "deleteAllTaxiways"),       Flag(0x06, 2, 1u << 2, "deleteAllAprons"),
    Flag(0x06, 2, 1u << 1, "deleteAllApronLights"),    Flag(0x06, 2, 1u << 10, "deleteAllControlTowers"),
    Flag(0x06, 2, 1u << 11, "deleteAllJetways"),       Flag(0x06, 2, 1u << 8, "deleteAllBoundaryFences"),
    Flag(0x06, 2, 1u << 9, "deleteAllBlastFences"),    Flag(0x06, 2, 1u << 0, "deleteAllApproaches"),
};
const Layout DELETE_AIRPORT = {"DeleteAirport", TABLE(DELETE_FIELDS), nullptr, 0, nullptr, 0};

/* ---- approaches ---- */

const char *const APPROACH_TYPE_NAMES[] = {nullptr, "GPS", "VOR", "NDB", "ILS", "LOCALIZER", "SDF", "LDA",
                                           "VORDME", "NDBDME", "RNAV", "LOCALIZER_BACKCOURSE"};
const char *const FIX_TYPE_NAMES[] = {nullptr, "AIRPORT", "VOR", "NDB", "TERMINAL_NDB", "WAYPOINT", "TERMINAL_WAYPOINT",
                                      nullptr, "LOCALIZER", "RUNWAY"};
const char *const LEG_TYPE_NAMES[] = {nullptr, "AF", "CA", "CD", "CF", "CI", "CR", "DF", "FA", "FC", "FD", "FM",
                                      "HA", "HF", "HM", "IF", "PI", "RF", "TF", "VA", "VD", "VI", "VM", "VR"};
const char *const ALTITUDE_DESCRIPTOR_NAMES[] = {nullptr, "A", "+", "-", "B"};
const char *const TURN_NAMES[] = {nullptr, "L", "R", "BOTH"};
const NameTable APPROACH_TYPES = NAMES(APPROACH_TYPE_NAMES);
const NameTable FIX_TYPES = NAMES(FIX_TYPE_NAMES);
const NameTable LEG_TYPES = NAMES(LEG_TYPE_NAMES);
const NameTable ALTITUDE_DESCRIPTORS = NAMES(ALTITUDE_DESCRIPTOR_NAMES);
const NameTable TURNS = NAMES(TURN_NAMES);

/* A leg is 0x2C bytes; the course at 0x1C is true or magnetic, the float at 0x20 a distance or
 * a time, as its flags at 3 say: both names are written. */
const Field LEG_FIELDS[] = {
    Enum(0x00, 1, "type", &LEG_TYPES), Enum(0x04, 4, "fixType", &FIX_TYPES, 0x1F), Region(0x08, "fixRegion"),
    Ident(0x04, "fixIdent"), Flag(0x03, 1, 0x04, "flyOver"), Enum(0x02, 1, "turnDirection", &TURNS),
    Enum(0x0C, 4, "recommendedType", &FIX_TYPES, 0x1F), Region(0x10, "recommendedRegion"),
    Ident(0x0C, "recommendedIdent"), Float(0x14, "theta"), Length(0x18, "rho"), Float(0x1C, "trueCourse"),
    Float(0x1C, "magneticCourse"), Length(0x20, "distance"), Float(0x20, "time"),
    Enum(0x01, 1, "altitudeDescriptor", &ALTITUDE_DESCRIPTORS), AltM(0x24, "altitude1"), AltM(0x28, "altitude2"),
};
const Layout LEG = {"Leg", TABLE(LEG_FIELDS), nullptr, 0, nullptr, 0};
const Items LEG_ITEMS[] = {{0x08, 0x06, 2, 0x2C, 0, 0, 0, &LEG}};
const Layout APPROACH_LEGS = {"ApproachLegs", nullptr, 0, nullptr, 0, TABLE(LEG_ITEMS)};
const Layout MISSED_APPROACH_LEGS = {"MissedApproachLegs", nullptr, 0, nullptr, 0, TABLE(LEG_ITEMS)};
const Layout TRANSITION_LEGS = {"TransitionLegs", nullptr, 0, nullptr, 0, TABLE(LEG_ITEMS)};

const RecordKind APPROACH_CHILD_ROWS[] = {
    {0x002D, 0x08, &APPROACH_LEGS, nullptr, nullptr, SOURCE_WIKI, nullptr, 0},
    {0x002E, 0x08, &MISSED_APPROACH_LEGS, nullptr, nullptr, SOURCE_WIKI, nullptr, 0},
    {0x002F, 0x08, &TRANSITION_LEGS, nullptr, nullptr, SOURCE_WIKI, nullptr, 0},
};
const KindTable APPROACH_CHILDREN = {TABLE(APPROACH_CHILD_ROWS)};

const Field APPROACH_FIELDS[] = {
    Enum(0x08, 1, "type", &APPROACH_TYPES, 0x0F), Coded(0x07, C_RUNWAY_NUMBER, 1, "runway"),
    Enum(0x08, 1, "designator", &DESIGNATORS, 0x70, 4), Text(0x06, 1, "suffix"), Flag(0x08, 1, 0x80, "gpsOverlay"),
    Enum(0x0C, 4, "fixType", &FIX_TYPES, 0x1F), Region(0x10, "fixRegion"), Ident(0x0C, "fixIdent"),
    AltM(0x14, "altitude"), Float(0x18, "heading"), AltM(0x1C, "missedAltitude"),
};
const Layout APPROACH = {"Approach", TABLE(APPROACH_FIELDS), nullptr, 0, nullptr, 0};

/* ---- the airport ---- */

const RecordKind AIRPORT_CHILD_ROWS[] = {
    {0x0019, 6, &NAME_CHILD, nullptr, nullptr, SOURCE_WIKI, nullptr, 0},
    {0x0033, 0x0C, &DELETE_AIRPORT, nullptr, nullptr, SOURCE_WIKI, nullptr, 0},
    {0x0004, 0x30, &RUNWAY_CLASSIC, nullptr, nullptr, SOURCE_WIKI, nullptr, 0},
    /* 16 bytes after the pattern flags before the children (corpus: LEAR). */
    {0x003E, 0x44, &RUNWAY, &RUNWAY_CHILDREN, nullptr, SOURCE_LEAR, nullptr, 0},
    {0x0011, 0x18, &START, nullptr, nullptr, SOURCE_WIKI, nullptr, 0},
    {0x0012, 0x0C, &COM, nullptr, nullptr, SOURCE_WIKI, nullptr, 0},
    {0x0026, 0x24, &HELIPAD, nullptr, nullptr, SOURCE_WIKI, nullptr, 0},
    {0x001A, 0x08, &POINTS, nullptr, nullptr, SOURCE_WIKI, nullptr, 0},
    {0x003D, 0x08, &PARKINGS, nullptr, nullptr, SOURCE_LEAR, nullptr, 0},
    {0x001D, 0x08, &TAXI_NAMES, nullptr, nullptr, SOURCE_WIKI, nullptr, 0},
    {0x0040, 0x08, &PATHS, nullptr, nullptr, SOURCE_LEAR, nullptr, 0},
    {0x0037, 0x09, &APRON, nullptr, "Aprons", SOURCE_WIKI, nullptr, 0},
    {0x0041, 0x07, &APRON_DRAWING, nullptr, "Aprons", SOURCE_LEAR, nullptr, 0, true},
    {0x0031, 0x18, &APRON_EDGE_LIGHTS, nullptr, nullptr, SOURCE_LEAR, nullptr, 0},
    {0x003A, 0x0E, &JETWAY, nullptr, nullptr, SOURCE_LEAR, nullptr, 0},
    {0x0024, 0x20, &APPROACH, &APPROACH_CHILDREN, nullptr, SOURCE_WIKI, nullptr, 0},
};
const KindTable AIRPORT_CHILDREN = {TABLE(AIRPORT_CHILD_ROWS)};

const Part AIRPORT_PARTS[] = {{0, WhenSet(0x30, 4, 0), &SERVICES}, {0, WhenSet(0x1C, 4, 0), &TOWER}};
const Field AIRPORT_FIELDS[] = {
    Region(0x2C), Lat(0x10), Lon(0x0C), AltMm(0x14), Float(0x24, "magvar"), Scaled(0x35, 1, "trafficScalar", 1.0 / 255),
    Ident(0x28),
};
const Layout AIRPORT = {"Airport", TABLE(AIRPORT_FIELDS), TABLE(AIRPORT_PARTS), nullptr, 0};
const Field AIRPORT_CLASSIC_FIELDS[] = {Region(0x2C), Lat(0x10), Lon(0x0C), AltMm(0x14), Float(0x24, "magvar"), Ident(0x28)};
const Layout AIRPORT_CLASSIC = {"Airport", TABLE(AIRPORT_CLASSIC_FIELDS), nullptr, 0, nullptr, 0};

const RecordKind AIRPORT_KIND_ROWS[] = {
    {0x0003, 0x38, &AIRPORT_CLASSIC, &AIRPORT_CHILDREN, nullptr, SOURCE_WIKI, nullptr, 0},
    {0x003C, 0x38, &AIRPORT, &AIRPORT_CHILDREN, nullptr, SOURCE_LEAR, nullptr, 0},
    /* An airport id of later compilers of the generation. Layout of 0x003C assumed, its fixed
     * part taken as 0x44 like the newest generation's 0x0056; no description or corpus file
     * shows 0x00AB. */
    {0x00AB, 0x44, &AIRPORT, &AIRPORT_CHILDREN, nullptr, SOURCE_GUESS_AB, nullptr, 0},
};

} // namespace

extern const KindTable AIRPORT_OLDER_KINDS = {TABLE(AIRPORT_KIND_ROWS)};
