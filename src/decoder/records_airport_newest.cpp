/*
 * Airports of the newest generation (ids 0x0056 and 0x0113) and their children. The airport
 * record and the child ids it shares with the older generation follow the FSDeveloper wiki's
 * "FS20 BGL File Format" and "BGL File Format" pages; the other children are laid out as the
 * corpus's files show them against their source XML, and each such row names its file.
 */
#include "names.h"

extern const Layout NEWEST_SIM_SCENERY_OBJECT, NEWEST_LIBRARY_SCENERY_OBJECT;

namespace {

const char *const WIKI = "FSDeveloper wiki: BGL File Format";
const char *const WIKI_FS20 = "FSDeveloper wiki: FS20 BGL File Format";

/* ---- enumerations only these records use ---- */

const char *const RUNWAY_DESIGNATOR_NAMES[] = {"NONE", "L", "R", "C", "WATER", "A", "B"};
const NameTable RUNWAY_DESIGNATORS = NAMES(RUNWAY_DESIGNATOR_NAMES);
const char *const APPROACH_SYSTEM_NAMES[] = {"NONE",  "ODALS", "MALSF",   "MALSR",    "SSALF", "SSALR",
                                             "ALSF1", "ALSF2", "RAIL",    "CALVERT",  "CALVERT2", "MALS",
                                             "SALS",  "SALSF", "SSALS"};
const NameTable APPROACH_SYSTEMS = NAMES(APPROACH_SYSTEM_NAMES);
const char *const VASI_TYPE_NAMES[] = {nullptr, "VASI21",   "VASI31", "VASI22", "VASI32", "VASI23", "VASI33",
                                       "PAPI2", "PAPI4",    "TRICOLOR", "PVASI", "TVASI",  "BALL",   "APAP_PANELS"};
const NameTable VASI_TYPES = NAMES(VASI_TYPE_NAMES);
const char *const SUFFIX_NAMES[] = {"NONE"};
const NameTable SUFFIXES = NAMES(SUFFIX_NAMES);
/* Painted line types: the values the corpus's files show (KPSC, CYQT, LSGC, KDKX, LSZK). */
const char *const LINE_TYPE_NAMES[] = {
    "DEFAULT", "HOLD_SHORT_FORWARD", "HOLD_SHORT_BACKWARD", "EDGE_LINE_DASHED", "EDGE_LINE_SOLID", nullptr,
    "EDGE_SERVICE_SOLID", "HOLD_SHORT_TAXIWAY", nullptr, "SERVICE_DASHED", nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "WIDE_YELLOW", nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "SLIM_RED", nullptr,
    nullptr, "HOLD_SHORT_BACKWARD_MARKED"};
const NameTable LINE_TYPES = NAMES(LINE_TYPE_NAMES);
const char *const TRUE_ANGLE_NAMES[] = {"NONE", nullptr, nullptr, "BOTH_ENDS", "ALL_POINTS"};
const NameTable TRUE_ANGLES = NAMES(TRUE_ANGLE_NAMES);
const char *const JUSTIFICATION_NAMES[] = {"LEFT", "RIGHT"};
const NameTable JUSTIFICATIONS = NAMES(JUSTIFICATION_NAMES);
/* Helipad surfaces: the newest compiler writes 0 for the source's CEMENT (corpus: KDKX/KDKX.bgl);
 * the other values as the older generation numbers them. */
const char *const HELIPAD_SURFACE_NAMES[] = {"CEMENT", "GRASS", "WATER", "GRASS_BUMPY", "ASPHALT"};
const NameTable HELIPAD_SURFACES = NAMES(HELIPAD_SURFACE_NAMES);

/* ---- shared pieces ---- */

const Field VERTEX_FIELDS[] = {Lat(4), Lon(0)};
const Layout VERTEX = {"Vertex", TABLE(VERTEX_FIELDS), nullptr, 0, nullptr, 0};

/* Colour as blue, green, red, alpha bytes (corpus: CYQT/CYQT_Scene.bgl, 4D 5C 63 FF is the
 * source's red 99, green 92, blue 77). */
const Field COLORATION_FIELDS[] = {Int(2, 1, "red"), Int(1, 1, "green"), Int(0, 1, "blue"), Int(3, 1, "alpha"),
                                   Const("override", "TRUE")};
const Layout COLORATION = {"Coloration", TABLE(COLORATION_FIELDS), nullptr, 0, nullptr, 0};

constexpr Condition WhenDiffers(uint16_t offset, uint8_t width, uint32_t value)
{
    return Condition{offset, width, 0, value, T_DIFFERS};
}

/* ---- runways (0x00CE) and what they hold ---- */

/* Markings: the classic 16-bit word at 0x30, and the leading-zero bit of the lights byte
 * (corpus: LSGC/LSGC.bgl and CYQT/CYQT_Scene.bgl, 0x40 where the source has leadingZeroIdent). */
const Field MARKINGS_FIELDS[] = {
    Flag(0x30, 2, 0x0001, "edges"),          Flag(0x30, 2, 0x0002, "threshold"),
    Flag(0x30, 2, 0x2000, "alternateThreshold"), Flag(0x30, 2, 0x0004, "fixedDistance"),
    Flag(0x30, 2, 0x4000, "alternateFixedDistance"), Flag(0x30, 2, 0x0008, "touchdown"),
    Flag(0x30, 2, 0x8000, "alternateTouchdown"), Flag(0x30, 2, 0x0010, "dashes"),
    Flag(0x30, 2, 0x0020, "ident"),          Flag(0x32, 1, 0x40, "leadingZeroIdent"),
    Flag(0x30, 2, 0x0040, "precision"),      Flag(0x30, 2, 0x0080, "edgePavement"),
    Flag(0x30, 2, 0x0100, "singleEnd"),      Flag(0x30, 2, 0x0200, "primaryClosed"),
    Flag(0x30, 2, 0x0400, "secondaryClosed"), Flag(0x30, 2, 0x0800, "primaryStol"),
    Flag(0x30, 2, 0x1000, "secondaryStol"),
};
const Layout MARKINGS = {"Markings", TABLE(MARKINGS_FIELDS), nullptr, 0, nullptr, 0};

const Field LIGHTS_FIELDS[] = {Enum(0x32, 1, "center", &LIGHTS, 0x0C, 2), Enum(0x32, 1, "edge", &LIGHTS, 0x03),
                               Flag(0x32, 1, 0x10, "centerRed")};
const Layout LIGHTS_PART = {"Lights", TABLE(LIGHTS_FIELDS), nullptr, 0, nullptr, 0};

/* The runway's own colour at 0x5C, when set (corpus: CYQT/CYQT_Scene.bgl runway 12, LSGC/LSGC.bgl). */
const Part RUNWAY_PARTS[] = {
    {0x5C, WhenDiffers(0x5C, 4, 0), &COLORATION},
    {0, Always(), &MARKINGS},
    {0, Always(), &LIGHTS_PART},
};

/* The classic runway's fields to 0x34, then a falloff (-1 when none) at 0x48 and the surface
 * material's GUID at 0x4C (corpus: KPSC/KPSC.bgl, LSGC/LSGC.bgl falloff 50). Bit 7 at 0x06 is
 * transparent (EDGX/EDGX.bgl, LSZK/LSZK.bgl); bit 6 of the pattern byte is set when the source
 * has groundMerging FALSE (all seven files agree). */
const Field RUNWAY_FIELDS[] = {
    Lat(0x18), Lon(0x14), AltMm(0x1C), Float(0x28, "heading"), Length(0x20, "length"), Length(0x24, "width"),
    AltM(0x2C, "patternAltitude"), Coded(0x4C, C_GUID, 16, "surface"), Flag(0x06, 1, 0x80, "transparent"),
    Coded(0x08, C_RUNWAY_NUMBER, 1, "number"), Enum(0x09, 1, "designator", &RUNWAY_DESIGNATORS, 0x0F),
    Remember(0x08, 2, 0x0FFF, "PRIMARY"), Remember(0x0A, 2, 0x0FFF, "SECONDARY"),
    Flag(0x33, 1, 0x02, "primaryLanding", true), Flag(0x33, 1, 0x01, "primaryTakeoff", true),
    Enum(0x33, 1, "primaryPattern", &PATTERNS, 0x04, 2), Flag(0x33, 1, 0x10, "secondaryLanding", true),
    Flag(0x33, 1, 0x08, "secondaryTakeoff", true), Enum(0x33, 1, "secondaryPattern", &PATTERNS, 0x20, 5),
    Flag(0x33, 1, 0x40, "groundMerging", true), Float(0x48, "falloff"),
};
const Layout RUNWAY = {"Runway", TABLE(RUNWAY_FIELDS), TABLE(RUNWAY_PARTS), nullptr, 0};

/* Offset thresholds, blast pads and overruns: a legacy surface word, the surface GUID, length
 * and width (corpus: KPSC/KPSC.bgl, 62 and 60 metres). */
#define SURFACE_END_FIELDS(end) Const("end", end), Coded(0x08, C_GUID, 16, "surface"), Length(0x18, "length"), \
                                Length(0x1C, "width")
const Field PRIMARY_OFFSET_FIELDS[] = {SURFACE_END_FIELDS("PRIMARY")};
const Field SECONDARY_OFFSET_FIELDS[] = {SURFACE_END_FIELDS("SECONDARY")};
const Layout PRIMARY_OFFSET = {"OffsetThreshold", TABLE(PRIMARY_OFFSET_FIELDS), nullptr, 0, nullptr, 0};
const Layout SECONDARY_OFFSET = {"OffsetThreshold", TABLE(SECONDARY_OFFSET_FIELDS), nullptr, 0, nullptr, 0};
const Layout PRIMARY_BLAST_PAD = {"BlastPad", TABLE(PRIMARY_OFFSET_FIELDS), nullptr, 0, nullptr, 0};
const Layout SECONDARY_BLAST_PAD = {"BlastPad", TABLE(SECONDARY_OFFSET_FIELDS), nullptr, 0, nullptr, 0};
const Layout PRIMARY_OVERRUN = {"Overrun", TABLE(PRIMARY_OFFSET_FIELDS), nullptr, 0, nullptr, 0};
const Layout SECONDARY_OVERRUN = {"Overrun", TABLE(SECONDARY_OFFSET_FIELDS), nullptr, 0, nullptr, 0};

#define VASI_FIELDS(end, side) Const("end", end), Const("side", side), Enum(0x06, 2, "type", &VASI_TYPES), \
                               Float(0x08, "biasX"), Float(0x0C, "biasZ"), Length(0x10, "spacing"), Float(0x14, "pitch")
const Field VASI_PL_FIELDS[] = {VASI_FIELDS("PRIMARY", "LEFT")};
const Field VASI_PR_FIELDS[] = {VASI_FIELDS("PRIMARY", "RIGHT")};
const Field VASI_SL_FIELDS[] = {VASI_FIELDS("SECONDARY", "LEFT")};
const Field VASI_SR_FIELDS[] = {VASI_FIELDS("SECONDARY", "RIGHT")};
const Layout VASI_PL = {"Vasi", TABLE(VASI_PL_FIELDS), nullptr, 0, nullptr, 0};
const Layout VASI_PR = {"Vasi", TABLE(VASI_PR_FIELDS), nullptr, 0, nullptr, 0};
const Layout VASI_SL = {"Vasi", TABLE(VASI_SL_FIELDS), nullptr, 0, nullptr, 0};
const Layout VASI_SR = {"Vasi", TABLE(VASI_SR_FIELDS), nullptr, 0, nullptr, 0};

/* Approach lights (0x00DF primary, 0x00E0 secondary): system and flags, strobes, then spacing
 * before offset (corpus: CYQT/CYQT_Scene.bgl, spacing 30.4 at 0x08 and offset 30.48 at 0x0C). */
#define APPROACH_FIELDS(end) Const("end", end), Enum(0x06, 1, "system", &APPROACH_SYSTEMS, 0x1F), \
                             Int(0x07, 1, "strobes"), Flag(0x06, 1, 0x20, "endLights"),            \
                             Flag(0x06, 1, 0x40, "reil"), Flag(0x06, 1, 0x80, "touchdown"),         \
                             Length(0x0C, "offset"), Length(0x08, "spacing"), Float(0x10, "slope")
const Field PRIMARY_APPROACH_FIELDS[] = {APPROACH_FIELDS("PRIMARY")};
const Field SECONDARY_APPROACH_FIELDS[] = {APPROACH_FIELDS("SECONDARY")};
const Layout PRIMARY_APPROACH = {"ApproachLights", TABLE(PRIMARY_APPROACH_FIELDS), nullptr, 0, nullptr, 0};
const Layout SECONDARY_APPROACH = {"ApproachLights", TABLE(SECONDARY_APPROACH_FIELDS), nullptr, 0, nullptr, 0};

/* Runway deformation (0x003E): ratio along the runway and altitude (corpus: LSGC/LSGC.bgl). */
const Field DEFORMATION_FIELDS[] = {AltM(0x0C, "alt"), Float(0x08, "ratio")};
const Layout DEFORMATION = {"RunwayDeformation", TABLE(DEFORMATION_FIELDS), nullptr, 0, nullptr, 0};

const RecordKind RUNWAY_CHILD_ROWS[] = {
    {0x0005, 0x20, &PRIMARY_OFFSET, nullptr, nullptr, "corpus: KPSC/KPSC.bgl", nullptr, 0},
    {0x0006, 0x20, &SECONDARY_OFFSET, nullptr, nullptr, "corpus: KPSC/KPSC.bgl", nullptr, 0},
    {0x0007, 0x20, &PRIMARY_BLAST_PAD, nullptr, nullptr, "corpus: KPSC/KPSC.bgl", nullptr, 0},
    {0x0008, 0x20, &SECONDARY_BLAST_PAD, nullptr, nullptr, "corpus: KPSC/KPSC.bgl", nullptr, 0},
    {0x0009, 0x20, &PRIMARY_OVERRUN, nullptr, nullptr, "FSDeveloper wiki: BGL File Format (id)", nullptr, 0},
    {0x000A, 0x20, &SECONDARY_OVERRUN, nullptr, nullptr, "FSDeveloper wiki: BGL File Format (id)", nullptr, 0},
    {0x000B, 0x18, &VASI_PL, nullptr, nullptr, WIKI, nullptr, 0},
    {0x000C, 0x18, &VASI_PR, nullptr, nullptr, WIKI, nullptr, 0},
    {0x000D, 0x18, &VASI_SL, nullptr, nullptr, WIKI, nullptr, 0},
    {0x000E, 0x18, &VASI_SR, nullptr, nullptr, WIKI, nullptr, 0},
    {0x003E, 0x18, &DEFORMATION, nullptr, nullptr, "corpus: LSGC/LSGC.bgl", nullptr, 0},
    {0x00DF, 0x18, &PRIMARY_APPROACH, nullptr, nullptr, "corpus: KPSC/KPSC.bgl", nullptr, 0},
    {0x00E0, 0x18, &SECONDARY_APPROACH, nullptr, nullptr, "corpus: KPSC/KPSC.bgl", nullptr, 0},
};
const KindTable RUNWAY_CHILDREN = {TABLE(RUNWAY_CHILD_ROWS)};

/* ---- starts, frequencies, helipads ---- */

/* The newest sources write starts inside their runways as RunwayStart; the compiled record is
 * the classic start at the airport's level (corpus: all seven 0x0056 files). Which end of its
 * runway a start is at, the compiler does not keep: it is the end whose number and designator
 * (at 0x08 and 0x0A of the runway, the low nibble of the byte after each) are the start's (at
 * 0x06; KPSC/KPSC.bgl: 21L and 03R for runway 21L, PRIMARY and SECONDARY in the source). */
const Field START_FIELDS[] = {
    Recall(0x06, 2, 0x0FFF, "end"), Lat(0x0C), Lon(0x08), AltMm(0x10), Float(0x14, "heading"),
    Enum(0x07, 1, "type", &START_TYPES, 0, 4), Coded(0x06, C_RUNWAY_NUMBER, 1, "number"),
    Enum(0x07, 1, "designator", &RUNWAY_DESIGNATORS, 0x0F),
};
const Layout START = {"RunwayStart", TABLE(START_FIELDS), nullptr, 0, nullptr, 0};

const Field HELIPAD_FIELDS[] = {
    Lat(0x10), Lon(0x0C), AltMm(0x14), Float(0x20, "heading"), Length(0x18, "length"), Length(0x1C, "width"),
    Enum(0x06, 1, "surface", &HELIPAD_SURFACES), Enum(0x07, 1, "type", &HELIPAD_TYPES, 0x0F),
    Flag(0x07, 1, 0x20, "closed"), Flag(0x07, 1, 0x10, "transparent"),
};
const Layout HELIPAD = {"Helipad", TABLE(HELIPAD_FIELDS), nullptr, 0, nullptr, 0};

/* ---- the taxiway network: arrays of items in one record each ---- */

/* 0x001A: a count, then 12-byte points: type, orientation, two spare bytes, position. The
 * compiler numbers the points 0..n-1 in order (corpus: KPSC/KPSC.bgl). */
const Field POINT_FIELDS[] = {F(0, C_INDEX, "index"), Enum(0, 1, "type", &POINT_TYPES), Enum(1, 1, "orientation", &ORIENTATIONS),
                              Lat(8), Lon(4)};
const Layout POINT = {"TaxiwayPoint", TABLE(POINT_FIELDS), nullptr, 0, nullptr, 0};
const Items POINT_ITEMS[] = {{8, 6, 2, 12, 0, 0, 0, &POINT}};
const Layout POINTS = {nullptr, nullptr, 0, nullptr, 0, TABLE(POINT_ITEMS)};

/* 0x00E7: a count, then 56-byte parkings: the classic packed word (name, pushback, type, number,
 * airline codes), radius, heading, four tee offsets, position; then the newest bytes, of which
 * 0x26 is has3DMesh (corpus: KPSC/KPSC.bgl, set on all 48). The corpus shows only zeros around
 * it; suffix, numberMarking and the number's bias and heading are read where the XML
 * reference's order puts them. Airline codes, 4 bytes each, follow the item. */
const Field PARKING_FIELDS[] = {
    F(0, C_INDEX, "index"), Enum(0, 4, "type", &PARKING_TYPES, 0x00000F00, 8), Lat(0x20), Lon(0x1C), Float(0x08, "heading"),
    Length(0x04, "radius"), Enum(0, 4, "name", &PARKING_NAMES, 0x0000003F), Int(0, 4, "number", 0x00FFF000, 12),
    Enum(0x24, 1, "suffix", &SUFFIXES), Enum(0, 4, "pushBack", &PUSHBACKS, 0x000000C0, 6),
    Flag(0x25, 1, 0x01, "numberMarking"), Flag(0x26, 1, 0x01, "has3DMesh"), Length(0x28, "numberBiasX"),
    Length(0x2C, "numberBiasZ"), Float(0x30, "numberHeading"), Length(0x0C, "teeOffset1"), Length(0x10, "teeOffset2"),
    Length(0x14, "teeOffset3"), Length(0x18, "teeOffset4"),
};
const Layout PARKING = {"TaxiwayParking", TABLE(PARKING_FIELDS), nullptr, 0, nullptr, 0};
const Items PARKING_ITEMS[] = {{8, 6, 2, 56, 3, 1, 4, &PARKING}};
const Layout PARKINGS = {nullptr, nullptr, 0, nullptr, 0, TABLE(PARKING_ITEMS)};

/* 0x001D: a count, then names of 8 bytes, numbered from 0 (corpus: KPSC/KPSC.bgl). */
const Field TAXI_NAME_FIELDS[] = {F(0, C_INDEX, "index"), Text(0, 8, "name")};
const Layout TAXI_NAME = {"TaxiName", TABLE(TAXI_NAME_FIELDS), nullptr, 0, nullptr, 0};
const Items TAXI_NAME_ITEMS[] = {{8, 6, 2, 8, 0, 0, 0, &TAXI_NAME}};
const Layout TAXI_NAMES = {nullptr, nullptr, 0, nullptr, 0, TABLE(TAXI_NAME_ITEMS)};

/* 0x00D4: a count, then 48-byte paths: start, type and drawing bits, name or runway number,
 * the classic edge and centre-line bits, width, weight limit, the surface GUID at 0x18,
 * groundMerging at 0x2D and the end at 0x2E (corpus: KPSC, CYQT, LSGC, EDGX, every path
 * matched to its source by start and end). Ends of PARKING paths count parkings. */
const Field PATH_FIELDS[] = {
    Enum(0x04, 1, "type", &PATH_TYPES, 0x0F),     Coded(0x18, C_GUID, 16, "surface"),
    Flag(0x06, 1, 0x01, "centerLine"),            Flag(0x06, 1, 0x02, "centerLineLighted"),
    Enum(0x06, 1, "leftEdge", &EDGES, 0x0C, 2),   Flag(0x06, 1, 0x10, "leftEdgeLighted"),
    Enum(0x06, 1, "rightEdge", &EDGES, 0x60, 5),  Flag(0x06, 1, 0x80, "rightEdgeLighted"),
    Int(0x00, 2, "start"),                        Int(0x2E, 2, "end"),
    Length(0x08, "width"),                        Int(0x0C, 4, "weightLimit"),
    Int(0x05, 1, "name"),                         Flag(0x04, 1, 0x20, "drawSurface"),
    Flag(0x04, 1, 0x40, "drawDetail"),            Flag(0x2D, 1, 0x01, "groundMerging"),
};
const Layout PATH = {"TaxiwayPath", TABLE(PATH_FIELDS), nullptr, 0, nullptr, 0};
const Items PATH_ITEMS[] = {{8, 6, 2, 48, 0, 0, 0, &PATH}};
const Layout PATHS = {nullptr, nullptr, 0, nullptr, 0, TABLE(PATH_ITEMS)};

/* 0x00D9: position, heading, size and justification bytes, the label to the end (corpus:
 * KPSC/KPSC.bgl and CYQT/CYQT_Scene.bgl, every sign matched by position). */
const Field SIGN_FIELDS[] = {Lat(0x0C), Lon(0x08), Float(0x10, "heading"), Text(0x16, 0, "label"),
                             Enum(0x15, 1, "justification", &JUSTIFICATIONS), Enum(0x14, 1, "size", &SIGN_SIZES)};
const Layout SIGN = {"TaxiwaySign", TABLE(SIGN_FIELDS), nullptr, 0, nullptr, 0};

/* ---- aprons and painted elements: outlines as items after a fixed part ---- */

/* 0x00D0 and 0x00D3: flags at 0x07, a colour at 0x08 (a Coloration when set), the surface
 * GUID at 0x0C, tiling, heading and falloff; then the vertex and triangle counts and the
 * vertices; the triangles' indices follow and are not written. 0x00D0 has 4 more bytes before
 * the counts (corpus: KPSC/KPSC.bgl for 0x00D0; CYQT, LSGC, LSZK, 56G for 0x00D3). */
#define APRON_FIELDS                                                                                       \
    Coded(0x0C, C_GUID, 16, "surface"), Flag(0x07, 1, 0x01, "drawSurface"), Flag(0x07, 1, 0x02, "drawDetail"), \
        Int(0x06, 1, "priority"), Float(0x1C, "tiling"), Float(0x20, "heading"), Float(0x24, "falloff")
const Field APRON_FIELD_ROWS[] = {APRON_FIELDS};
const Part APRON_PARTS[] = {{0x08, WhenDiffers(0x08, 4, 0), &COLORATION}};
const Items APRON_D0_VERTICES[] = {{0x34, 0x30, 2, 8, 0, 0, 0, &VERTEX}};
const Items APRON_D3_VERTICES[] = {{0x30, 0x2C, 2, 8, 0, 0, 0, &VERTEX}};
const Layout APRON_D0 = {"Apron", TABLE(APRON_FIELD_ROWS), TABLE(APRON_PARTS), TABLE(APRON_D0_VERTICES)};
const Layout APRON_D3 = {"Apron", TABLE(APRON_FIELD_ROWS), TABLE(APRON_PARTS), TABLE(APRON_D3_VERTICES)};

/* 0x00CF: type, true-angle mode, vertex count, a surface GUID at 0x0C, vertices from 0x1C
 * (corpus: KPSC, CYQT, LSGC, KDKX, LSZK, every line matched by its first vertex). */
const Field LINE_FIELDS[] = {Enum(0x06, 1, "type", &LINE_TYPES), Enum(0x07, 1, "trueAngle", &TRUE_ANGLES),
                             Coded(0x0C, C_GUID, 16, "surface")};
const Items LINE_VERTICES[] = {{0x1C, 0x08, 2, 8, 0, 0, 0, &VERTEX}};
const Layout LINE = {"PaintedLine", TABLE(LINE_FIELDS), nullptr, 0, TABLE(LINE_VERTICES)};

/* 0x00D8: vertex count at 0x0A, heading and spacing, vertices from 0x14; the sources' type is
 * always DEFAULT and the bytes before the count always 0 (corpus: KDKX/KDKX.bgl, LSZK/LSZK.bgl). */
const char *const HATCHED_TYPE_NAMES[] = {"DEFAULT"};
const NameTable HATCHED_TYPES = NAMES(HATCHED_TYPE_NAMES);
const Field HATCHED_FIELDS[] = {Float(0x0C, "heading"), Length(0x10, "spacing"), Enum(0x06, 2, "type", &HATCHED_TYPES)};
const Items HATCHED_VERTICES[] = {{0x14, 0x0A, 2, 8, 0, 0, 0, &VERTEX}};
const Layout HATCHED = {"PaintedHatchedArea", TABLE(HATCHED_FIELDS), nullptr, 0, TABLE(HATCHED_VERTICES)};

/* 0x0031: vertex count at 0x08, spacing at 0x14, vertices from 0x18; 16 more bytes close the
 * record (corpus: KPSC/KPSC.bgl, 31 edge light strings). */
const Field EDGE_LIGHTS_FIELDS[] = {Length(0x14, "spacing")};
const Items EDGE_LIGHT_VERTICES[] = {{0x18, 0x08, 2, 8, 0, 0, 0, &VERTEX}};
const Layout EDGE_LIGHTS = {"EdgeLights", TABLE(EDGE_LIGHTS_FIELDS), nullptr, 0, TABLE(EDGE_LIGHT_VERTICES)};

/* ---- objects the airport places ---- */

/* 0x00DE: parking number, gate name, suffix, then the sizes of up to two scenery objects and
 * the objects, framed like section 0x25's, from 0x12: a sim object, and in CYQT's three jetways
 * and one of KPSC's a library object after it (corpus: KPSC/KPSC.bgl, CYQT/CYQT_Scene.bgl). */
const Field JETWAY_FIELDS[] = {Enum(0x08, 2, "gateName", &PARKING_NAMES), Int(0x06, 2, "parkingNumber"),
                               Enum(0x0A, 2, "suffix", &SUFFIXES)};
const Part JETWAY_OBJECT_PARTS[] = {
    {0, WhenEquals(0, 2, 0x0019), &NEWEST_SIM_SCENERY_OBJECT},
    {0, WhenEquals(0, 2, 0x000B), &NEWEST_LIBRARY_SCENERY_OBJECT},
};
const Layout JETWAY_OBJECT = {nullptr, nullptr, 0, TABLE(JETWAY_OBJECT_PARTS), nullptr, 0};
const Items JETWAY_OBJECTS[] = {{0x12, 0, 0, 0, 2, 2, 1, &JETWAY_OBJECT}};
const Layout JETWAY = {"Jetway", TABLE(JETWAY_FIELDS), nullptr, 0, TABLE(JETWAY_OBJECTS)};

/* 0x0066: after the size of what follows at 0x06 and a 16-bit word, a tower is either a
 * scenery object, framed like section 0x25's, at 0x0A whose position is the tower's (its
 * altitude is not kept), or its position as float64 latitude, longitude and altitude from 0x0A
 * (corpus: 56G/56G_arp.bgl, its four towers). */
const Field TOWER_FIELDS[] = {Coded(0x0A, C_DOUBLE, 8, "lat"), Coded(0x12, C_DOUBLE, 8, "lon"),
                              Coded(0x1A, C_DOUBLE, 8, "alt")};
const Layout TOWER = {"Tower", TABLE(TOWER_FIELDS), nullptr, 0, nullptr, 0};
const Field TOWER_OBJECT_FIELDS[] = {Lat(0x12), Lon(0x0E)};
const Part TOWER_OBJECT_PARTS[] = {{0x0A, Always(), &NEWEST_LIBRARY_SCENERY_OBJECT}};
const Layout TOWER_OBJECT = {"Tower", TABLE(TOWER_OBJECT_FIELDS), TABLE(TOWER_OBJECT_PARTS), nullptr, 0};
const Variant TOWER_VARIANTS[] = {{WhenEquals(0x0A, 2, 0x000B), &TOWER_OBJECT}};

/* 0x0058 and 0x0059: a light preset (mesh GUID at 0x10, phase, name) and its light; the
 * compiler writes the light as the record after its preset (corpus: KPSC/KPSC.bgl). */
const Field LIGHT_PRESET_FIELDS[] = {Text(0x24, 0, "name"), Float(0x20, "phase"), Coded(0x10, C_GUID, 16, "mesh")};
const Layout LIGHT_PRESET = {"LightPreset", TABLE(LIGHT_PRESET_FIELDS), nullptr, 0, nullptr, 0};
const Layout LIGHT = {"Light", nullptr, 0, nullptr, 0, nullptr, 0};

/* 0x0033: which of the default airport's contents the file removes; bytes 0x06, 0x07 and 0x0B
 * (corpus: the eight files with a DeleteAirport, every flag matched with its source). The
 * source's deleteAllILSs, deleteAllTerminalWaypoints and deleteAllTerminalNDBs leave no trace
 * in these bytes (56G/56G_arp.bgl and LSGC/LSGC.bgl differ in them with equal bytes). */
const Field DELETE_FIELDS[] = {
    Flag(0x06, 1, 0x01, "deleteAllApproaches"), Flag(0x06, 1, 0x02, "deleteAllApronLights"),
    Flag(0x06, 1, 0x04, "deleteAllAprons"),     Flag(0x06, 1, 0x08, "deleteAllFrequencies"),
    Flag(0x06, 1, 0x10, "deleteAllHelipads"),   Flag(0x06, 1, 0x20, "deleteAllRunways"),
    Flag(0x06, 1, 0x40, "deleteAllStarts"),     Flag(0x06, 1, 0x80, "deleteAllTaxiways"),
    Flag(0x07, 1, 0x01, "deleteAllBlastFences"), Flag(0x07, 1, 0x02, "deleteAllBoundaryFences"),
    Flag(0x07, 1, 0x04, "deleteAllJetways"),    Flag(0x07, 1, 0x08, "deleteAllControlTowers"),
    Flag(0x0B, 1, 0x01, "deleteAllDepartures"), Flag(0x0B, 1, 0x02, "deleteAllArrivals"),
    Flag(0x0B, 1, 0x04, "deleteAllPaintedElements"), Flag(0x0B, 1, 0x08, "deleteAllLightSupports"),
    Flag(0x0B, 1, 0x10, "deleteAllTaxiwaySigns"),
};
const Layout DELETE_AIRPORT = {"DeleteAirport", TABLE(DELETE_FIELDS), nullptr, 0, nullptr, 0};

const RecordKind AIRPORT_CHILD_ROWS[] = {
    {0x0011, 0x18, &START, nullptr, nullptr, WIKI, nullptr, 0},
    {0x0012, 0x0C, &COM, nullptr, nullptr, WIKI, nullptr, 0},
    {0x0019, 6, &NAME_CHILD, nullptr, nullptr, WIKI_FS20, nullptr, 0},
    {0x001A, 8, &POINTS, nullptr, nullptr, "corpus: KPSC/KPSC.bgl", nullptr, 0},
    {0x001D, 8, &TAXI_NAMES, nullptr, nullptr, "corpus: KPSC/KPSC.bgl", nullptr, 0},
    {0x0026, 0x24, &HELIPAD, nullptr, nullptr, WIKI, nullptr, 0},
    {0x0031, 0x18, &EDGE_LIGHTS, nullptr, "ApronEdgeLights", "corpus: KPSC/KPSC.bgl", nullptr, 0},
    {0x0033, 0x0C, &DELETE_AIRPORT, nullptr, nullptr, "corpus: KPSC/KPSC.bgl", nullptr, 0},
    {0x0058, 0x24, &LIGHT_PRESET, nullptr, nullptr, "corpus: KPSC/KPSC.bgl", nullptr, 0},
    {0x0059, 6, &LIGHT, nullptr, nullptr, "corpus: KPSC/KPSC.bgl", nullptr, 0},
    {0x0066, 0x22, &TOWER, nullptr, nullptr, "corpus: 56G/56G_arp.bgl", TOWER_VARIANTS, 1},
    {0x00CE, 0x60, &RUNWAY, &RUNWAY_CHILDREN, nullptr, "corpus: KPSC/KPSC.bgl", nullptr, 0},
    {0x00CF, 0x1C, &LINE, nullptr, "PaintedElements", "corpus: KPSC/KPSC.bgl", nullptr, 0},
    {0x00D0, 0x34, &APRON_D0, nullptr, "Aprons", "corpus: KPSC/KPSC.bgl", nullptr, 0},
    {0x00D3, 0x30, &APRON_D3, nullptr, "Aprons", "corpus: CYQT/CYQT_Scene.bgl", nullptr, 0},
    {0x00D4, 8, &PATHS, nullptr, nullptr, "corpus: KPSC/KPSC.bgl", nullptr, 0},
    {0x00D8, 0x14, &HATCHED, nullptr, "PaintedElements", "corpus: KDKX/KDKX.bgl", nullptr, 0},
    {0x00D9, 0x16, &SIGN, nullptr, nullptr, "corpus: KPSC/KPSC.bgl", nullptr, 0},
    {0x00DE, 0x12, &JETWAY, nullptr, nullptr, "corpus: KPSC/KPSC.bgl", nullptr, 0},
    {0x00E7, 8, &PARKINGS, nullptr, nullptr, "corpus: KPSC/KPSC.bgl", nullptr, 0},
};
const KindTable AIRPORT_CHILDREN = {TABLE(AIRPORT_CHILD_ROWS)};

/* ---- the airport ---- */

/* trafficScalar is a byte, 255 for 1 (wiki: FS20 BGL File Format). Bit 0 of 0x36 is starAirport:
 * KDKX/KDKX.bgl is the only airport with it set and the only source writing starAirport="TRUE". */
#define AIRPORT_COMMON_FIELDS                                                                                   \
    Lat(0x10), Lon(0x0C), AltMm(0x14), Float(0x24, "magvar"), Scaled(0x35, 1, "trafficScalar", 1.0 / 255.0), \
        Flag(0x3B, 1, 0x01, "applyFlatten"), Flag(0x36, 1, 0x02, "isOnTIN"), Flag(0x36, 1, 0x04, "closed"),   \
        Flag(0x36, 1, 0x01, "starAirport")
const Field AIRPORT_FIELDS[] = {AIRPORT_COMMON_FIELDS, Ident(0x28), Region(0x2C)};
/* The newest editor writes these containers into every airport, empty or not: all nine newest
 * airports of the corpus hold them, EDDN's and LBBG's empty. An empty one leaves nothing in the
 * compiled file (EDDN/EDDN.bgl: its airport holds its name, COM and delete record only), so an
 * airport none of whose records fills one is given it empty, as its source had it. */
const char *const NEWEST_CONTAINERS[] = {"Aprons", "PaintedElements", "ApronEdgeLights", nullptr};
const Layout AIRPORT = {"Airport", TABLE(AIRPORT_FIELDS), nullptr, 0, nullptr, 0, nullptr, NEWEST_CONTAINERS};

/* 0x0113 is 0x5C bytes before its children: the fields of 0x0056 to 0x3B, and the ident at
 * 0x4C shifted left by 6 bits, not 5 (corpus: EDDN/EDDN.bgl, 0x036F1BC1 >> 6 is "EDDN", its
 * DeleteAirport at 0x5C; LBBG/LBBG.bgl, 0x04E34F01 >> 6 is "LBBG", its name at 0x5C). Neither
 * file has a region; it is read after the ident as in 0x0056. */
const Field AIRPORT_113_FIELDS[] = {AIRPORT_COMMON_FIELDS, Ident(0x4C, "ident", 6), Region(0x50)};
/* The sources of both 0x0113 airports also hold an empty AirportArchetype, which none of the
 * seven 0x0056 sources has: it is written with the other containers. Both records hold a u16 1
 * at 0x4A, which may be what says so; two files cannot tell. */
const char *const AIRPORT_113_CONTAINERS[] = {"AirportArchetype", "Aprons", "PaintedElements", "ApronEdgeLights",
                                              nullptr};
const Layout AIRPORT_113 = {"Airport", TABLE(AIRPORT_113_FIELDS), nullptr, 0, nullptr, 0, nullptr, AIRPORT_113_CONTAINERS};

const RecordKind AIRPORT_KIND_ROWS[] = {
    {0x0056, 0x44, &AIRPORT, &AIRPORT_CHILDREN, nullptr, WIKI_FS20, nullptr, 0},
    {0x0113, 0x5C, &AIRPORT_113, &AIRPORT_CHILDREN, nullptr, "corpus: EDDN/EDDN.bgl, LBBG/LBBG.bgl", nullptr, 0},
};

} // namespace

extern const KindTable AIRPORT_NEWEST_KINDS = {TABLE(AIRPORT_KIND_ROWS)};

namespace {

/* 0x00DB: the newest navaid and waypoint sections hold one 16-byte record in each of their
 * subsections, the same 10 bytes throughout a file and different between files (corpus:
 * KDKX/KDKX.bgl in its VOR/ILS, NDB and waypoint sections, 56G, LSZK, LSGC). No source element
 * gives them; they are read and write nothing. */
const Layout CELL_MARK = {nullptr, nullptr, 0, nullptr, 0, nullptr, 0};
const RecordKind CELL_MARK_ROWS[] = {
    {0x00DB, 0x10, &CELL_MARK, nullptr, nullptr, "corpus: KDKX/KDKX.bgl", nullptr, 0},
};

} // namespace

extern const KindTable NAVAID_NEWEST_KINDS = {TABLE(CELL_MARK_ROWS)};

extern const uint16_t NEWEST_AIRPORT_IDS[] = {0x0056, 0x0113};
extern const size_t NEWEST_AIRPORT_ID_COUNT = 2;
