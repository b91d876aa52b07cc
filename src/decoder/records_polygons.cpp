/*
 * Sections of the newest generation's files whose data is not framed as records (their
 * SectionKind rows have framing 0): each subsection's data is read as one record of the
 * single kind below. Exclusion rectangles (section 0x2E) are 20-byte entries one after
 * another. Section 0x65 holds polygons and rectangles (the shapes of the terrain): one
 * record per subsection, a header, a table of attributes the shapes share and the shapes.
 */
#include "names.h"

namespace {

/* Which objects an exclusion rectangle removes: one bit each in the entry's first word. Bits
 * 0x08 (excludeAllObjects, KPSC/KPSC.bgl), 0x400 (excludeWindsockObjects, LSZK/LSZK.bgl) and
 * 0x10|0x20|0x80 with 0x400 (beacon, effect, library and windsock objects, the first rectangle
 * of KDKX/KDKX.bgl) are seen in the corpus; the beacon, effect and library bits are told apart
 * by the order of the names, which runs alphabetically from 0x08 to 0x400 with the generic
 * building, taxiway sign and trigger bits (0x40, 0x100, 0x200) in the gaps that no corpus
 * file sets. */
const Field EXCLUSION_RECTANGLE_FIELDS[] = {
    /* The entry holds the flags, then longitude minimum, latitude maximum, longitude maximum
     * and latitude minimum (corpus: KDKX/KDKX.bgl, two entries against its source's bounds). */
    F(0x10, C_LAT, "latitudeMinimum"),
    F(0x08, C_LAT, "latitudeMaximum"),
    F(0x04, C_LON, "longitudeMinimum"),
    F(0x0C, C_LON, "longitudeMaximum"),
    Flag(0x00, 4, 0x008, "excludeAllObjects"),
    Flag(0x00, 4, 0x010, "excludeBeaconObjects"),
    Flag(0x00, 4, 0x020, "excludeEffectObjects"),
    Flag(0x00, 4, 0x040, "excludeGenericBuildingObjects"),
    Flag(0x00, 4, 0x080, "excludeLibraryObjects"),
    Flag(0x00, 4, 0x100, "excludeTaxiwaySignObjects"),
    Flag(0x00, 4, 0x200, "excludeTriggerObjects"),
    Flag(0x00, 4, 0x400, "excludeWindsockObjects"),
};

const Layout EXCLUSION_RECTANGLE = {"ExclusionRectangle", TABLE(EXCLUSION_RECTANGLE_FIELDS), nullptr, 0, nullptr, 0};
const Items EXCLUSION_ENTRIES[] = {{0, 0, 0, 20, 0, 0, 0, &EXCLUSION_RECTANGLE}};
const Layout EXCLUSION_RECTANGLES = {nullptr, nullptr, 0, nullptr, 0, TABLE(EXCLUSION_ENTRIES)};

const RecordKind EXCLUSION_ROWS[] = {
    {0x0000, 0, &EXCLUSION_RECTANGLES, nullptr, nullptr, "corpus: KDKX/KDKX.bgl, KPSC/KPSC.bgl, LSZK/LSZK.bgl", nullptr, 0},
};

} // namespace

extern const KindTable EXCLUSION_KINDS = {TABLE(EXCLUSION_ROWS)};

/*
 * Section 0x65, from KDKX/KDKX.bgl (one polygon), EDGX/EDGX.bgl (fourteen), KPSC/KPSC.bgl
 * (thirty-three and a rectangle) and LSGC/LSGC.bgl (six rectangles) against their sources. The
 * record: u32 words 0x00 6, 0x04 the subsection's quad cell id (the cell of the points), 0x08 1,
 * 0x0C the number of shapes, 0x10 the bytes of the attribute table at 0x20, 0x14 the number of
 * references into it; the table's entries are a GUID, a u32 size and that many bytes of value,
 * each once however many shapes use it. The shapes follow the table, each: u32 1, u32 its kind
 * (3 a polygon, 2 a rectangle), u16 the number of its attributes and as many u32 offsets of
 * their entries from 0x20, u32 the number of points, a byte (2 for polygons, 1 for rectangles),
 * a byte saying how the points are coded, the points, then one float32 altitude in metres (two
 * for a rectangle, at each end).
 *
 * Points coded 2: a byte of bit width, then x and y of each point in that many bits, in a grid
 * of 2^15 x 2^15 units over the cell; a polygon's last point repeats its first. Points coded 1
 * (KDKX's polygon, seven of EDGX's, twenty-three of KPSC's): u32 x and y of the first point,
 * i32 x and y of the step to the second, a u32 count of bytes and that many bytes coding the
 * changes of step (each step minus the one before, x and y of each in turn, the change into the
 * closing step included, so 2 x (points - 2) values). How they are coded, as the thirty-one such
 * polygons of EDGX, KDKX and KPSC show against their sources (coded_steps.cpp reads it):
 * - The first byte is a bit width shifted left by 2 (low two bits 0 in every one): exactly the
 *   bit length of the largest magnitude among the changes. The rest is read most significant
 *   bit first, by bit planes from the top; every plane begins on a byte boundary, the last one
 *   padded with 0s to the end of the bytes.
 * - A plane first gives one raw bit for each value found in the planes above, in order (KPSC's
 *   seventeenth polygon: 101111, 010010, 000011 and 101011010 for its planes 5 to 2).
 * - Then the values not yet found are run-length coded with an adaptive parameter: kp is 8 at
 *   the start of every plane and k = kp / 8; a 0 stands for 2^k values below the plane (kp += 4
 *   while k is 0, 5 after); a value reaching it is a 1, its sign (1 negative), then in k bits
 *   how many values below the plane came before it since the last 0 or 1 (kp -= 3 while k is 0,
 *   6 after, not below 0). A run the plane's end cuts short is still written as one 0; a plane
 *   whose last value was found ends without one (KPSC's seventeenth polygon's top plane).
 * With these rules each of the thirty-one is re-coded to its exact bytes and read back to its
 * source's points. The payload is full of zero runs and 0x00 bytes from the byte alignment.
 *
 * The compiler adds an attribute of its own to every polygon ({CE85242F-4110-4706-8344-
 * 1F3A8EE422BE}, text "0.3.0"), and rectangles carry a {359C73E8-06BE-4FB2-ABCB-EC942F7761D0}
 * (UniqueGUID) their sources do not write; neither is written. The sources' UniqueGUID
 * attributes of polygons and their display names never reach the file.
 */
namespace {

/* The polygon attributes the sources name, with their types (every corpus source holding
 * polygons: EDGX, KDKX, KPSC). */
const GuidName POLYGON_ATTRIBUTE_NAMES[] = {
    {"{0A685EB0-0E01-44FE-B9EF-BFFFBC968ADE}", "LandClassRemap", "UINT8"},
    {"{18B58CBF-AE02-4A19-8AA9-3809E8E73400}", "ExcludeTIN", "UINT8"},
    {"{41EFF715-C392-4B31-A457-50A504353A90}", "VegetationDensity", "UINT32"},
    {"{4CACC252-E6DC-419A-B20C-16EC601DF70E}", "ExclusionFlags", "UINT32"},
    {"{58D2D4FF-1657-4AB0-BDB2-09B2D8A77688}", "MaterialTiling", "FLOAT32"},
    {"{591218A9-7B17-40CC-B38C-57A201A20C1D}", "MaterialOpacity", "UINT8"},
    {"{5C1A2387-1F07-47DF-A569-962CF6258E55}", "ExcludeDetectedBuildings", "UINT8"},
    {"{6A043F59-E6F2-4117-A2E4-D510E7317C29}", "VegetationScale", "UINT32"},
    {"{86A147E9-ACF2-4780-9D3C-416373ECB451}", "AirportSize", "UINT8"},
    {"{A27E9C0F-D3F5-4FB2-B020-82179BDB622D}", "MaterialRotation", "FLOAT32"},
    {"{CD28EFD0-D3F0-43B6-9F88-4E4707344A04}", "MaterialGUID", "GUID"},
    {"{E5FA1B20-BB2F-40D5-913B-480C547CC9B8}", "BiomeName", "STRING"},
    {"{F3C2635D-9F2F-458F-8663-90B3837BED09}", "ExcludeOSMBuildings", "UINT8"},
    {"{F78A3074-8AD5-4B8B-92C4-C1C948BB7AA5}", "ExcludeMSBuildings", "UINT8"},
};
const GuidTable POLYGON_ATTRIBUTES = {TABLE(POLYGON_ATTRIBUTE_NAMES)};

/* An entry of the attribute table: GUID, u32 size, value. */
const Field ATTRIBUTE_FIELDS[] = {
    Guid(0, C_GUID_NAME, "name", &POLYGON_ATTRIBUTES),
    F(0, C_GUID, "guid"),
    Guid(0, C_GUID_TYPE, "type", &POLYGON_ATTRIBUTES),
    Guid(0, C_GUID_VALUE, "value", &POLYGON_ATTRIBUTES),
};
const Layout ATTRIBUTE = {"Attribute", TABLE(ATTRIBUTE_FIELDS), nullptr, 0, nullptr, 0};
const Part KNOWN_ATTRIBUTE[] = {{0, WhenKnownGuid(0, &POLYGON_ATTRIBUTES), &ATTRIBUTE}};
const Layout POLYGON_ATTRIBUTE = {nullptr, nullptr, 0, TABLE(KNOWN_ATTRIBUTE), nullptr, 0};

/* The points, from the u32 count, packed (coded 2) or as steps (coded 1); a rectangle's ends
 * coded 1 are only passed over, no corpus file holding one. */
const Field VERTEX_FIELDS[] = {Packed(0, C_PACKED_LAT, 0, "lat"), Packed(0, C_PACKED_LON, 0, "lon")};
const Layout VERTEX = {"Vertex", TABLE(VERTEX_FIELDS), nullptr, 0, nullptr, 0};
const Items RING[] = {{6, 0, 4, 0, 0, 0, 0, &VERTEX, IS_PACKED_RING}};
const Layout PACKED_RING = {nullptr, nullptr, 0, nullptr, 0, TABLE(RING)};
const Items STEPPED[] = {{6, 0, 4, 0, 0, 0, 0, &VERTEX, IS_CODED_STEPS}};
const Layout STEPPED_RING = {nullptr, nullptr, 0, nullptr, 0, TABLE(STEPPED)};
const Layout NOTHING = {nullptr, nullptr, 0, nullptr, 0, nullptr, 0};
const Items CODED_STEPS[] = {{26, 22, 4, 1, 0, 0, 0, &NOTHING}};
const Layout STEPS_NOT_PLACED = {nullptr, nullptr, 0, nullptr, 0, TABLE(CODED_STEPS)};

const Field POLYGON_TAIL_FIELDS[] = {AltM(0, "altitude")};
const Layout POLYGON_TAIL = {nullptr, TABLE(POLYGON_TAIL_FIELDS), nullptr, 0, nullptr, 0};
const Part POLYGON_POINTS[] = {
    {0, WhenEquals(5, 1, 2), &PACKED_RING},
    {0, WhenEquals(5, 1, 1), &STEPPED_RING},
};
const Layout POLYGON_GEOMETRY = {nullptr, nullptr, 0, TABLE(POLYGON_POINTS), nullptr, 0, &POLYGON_TAIL};
const Items POLYGON_ATTRIBUTES_USED[] = {{10, 8, 2, 4, 0x20, 0, 0, &POLYGON_ATTRIBUTE, IS_INDIRECT}};
const Layout POLYGON = {"Polygon", nullptr, 0, nullptr, 0, TABLE(POLYGON_ATTRIBUTES_USED), &POLYGON_GEOMETRY};

/* A rectangle's attributes, each told by the first word of its GUID; its runway deformations
 * are 16-byte entries of altitude, ratio and two NaN words (LSGC/LSGC.bgl). */
const Field RUNWAY_DEFORMATION_FIELDS[] = {AltM(0, "alt"), Float(4, "ratio")};
const Layout RUNWAY_DEFORMATION = {"RunwayDeformation", TABLE(RUNWAY_DEFORMATION_FIELDS), nullptr, 0, nullptr, 0};
const Items DEFORMATIONS[] = {{20, 0, 0, 16, 0, 0, 0, &RUNWAY_DEFORMATION}};
const Layout RECTANGLE_DEFORMATIONS = {nullptr, nullptr, 0, nullptr, 0, TABLE(DEFORMATIONS)};
const Field WIDTH_FIELDS[] = {Length(20, "width")};
const Layout RECTANGLE_WIDTH = {nullptr, TABLE(WIDTH_FIELDS), nullptr, 0, nullptr, 0};
const Field FALLOFF_FIELDS[] = {Length(20, "falloff")};
const Layout RECTANGLE_FALLOFF = {nullptr, TABLE(FALLOFF_FIELDS), nullptr, 0, nullptr, 0};
const Field SURFACE_FIELDS[] = {F(20, C_GUID, "surface")};
const Layout RECTANGLE_SURFACE = {nullptr, TABLE(SURFACE_FIELDS), nullptr, 0, nullptr, 0};
const Field PRIORITY_FIELDS[] = {Int(20, 4, "priority")};
const Layout RECTANGLE_PRIORITY = {nullptr, TABLE(PRIORITY_FIELDS), nullptr, 0, nullptr, 0};
const Field PRECISION_FIELDS[] = {Flag(20, 1, 0xFF, "precision")}; /* KPSC/KPSC.bgl: 1, precision="TRUE" */
const Layout RECTANGLE_PRECISION = {nullptr, TABLE(PRECISION_FIELDS), nullptr, 0, nullptr, 0};
const Part RECTANGLE_ATTRIBUTE_PARTS[] = {
    {0, WhenEquals(0, 4, 0x99312E49), &RECTANGLE_WIDTH},
    {0, WhenEquals(0, 4, 0x5548FDB5), &RECTANGLE_FALLOFF},
    {0, WhenEquals(0, 4, 0x1B6A15BB), &RECTANGLE_SURFACE},
    {0, WhenEquals(0, 4, 0x9E2B4C3E), &RECTANGLE_PRIORITY},
    {0, WhenEquals(0, 4, 0x4D2A51D4), &RECTANGLE_PRECISION},
    {0, WhenEquals(0, 4, 0x302AC02A), &RECTANGLE_DEFORMATIONS},
};
const Layout RECTANGLE_ATTRIBUTE = {nullptr, nullptr, 0, TABLE(RECTANGLE_ATTRIBUTE_PARTS), nullptr, 0};

/* Its two points are the ends of its centre line. */
const Field RECTANGLE_END_FIELDS[] = {
    Packed(6, C_PACKED_LAT, 0, "latitude"),  Packed(6, C_PACKED_LON, 0, "longitude"),
    Packed(6, C_PACKED_LAT, 1, "latitude2"), Packed(6, C_PACKED_LON, 1, "longitude2"),
};
const Layout RECTANGLE_ENDS = {nullptr, TABLE(RECTANGLE_END_FIELDS), nullptr, 0, nullptr, 0};
const Field RECTANGLE_TAIL_FIELDS[] = {AltM(0, "altitude"), AltM(4, "altitude2")};
const Layout RECTANGLE_TAIL = {nullptr, TABLE(RECTANGLE_TAIL_FIELDS), nullptr, 0, nullptr, 0};
const Part RECTANGLE_POINTS[] = {
    {0, WhenEquals(5, 1, 2), &RECTANGLE_ENDS},
    {0, WhenEquals(5, 1, 1), &STEPS_NOT_PLACED},
};
const Layout RECTANGLE_GEOMETRY = {nullptr, nullptr, 0, TABLE(RECTANGLE_POINTS), nullptr, 0, &RECTANGLE_TAIL};
const Items RECTANGLE_ATTRIBUTES_USED[] = {{10, 8, 2, 4, 0x20, 0, 0, &RECTANGLE_ATTRIBUTE, IS_INDIRECT}};
const Layout RECTANGLE = {"Rectangle", nullptr, 0, nullptr, 0, TABLE(RECTANGLE_ATTRIBUTES_USED), &RECTANGLE_GEOMETRY};

const Part SHAPE_KINDS[] = {
    {0, WhenEquals(4, 4, 3), &POLYGON},
    {0, WhenEquals(4, 4, 2), &RECTANGLE},
};
const Layout SHAPE = {nullptr, nullptr, 0, TABLE(SHAPE_KINDS), nullptr, 0};

const Field SHAPES_FIELDS[] = {F(0x04, C_CELL, nullptr)};
const Items SHAPE_LIST[] = {{0x20, 0x0C, 4, 0, 0, 0, 0, &SHAPE, IS_AS_READ, 0x10, 4}};
const Layout SHAPES = {nullptr, TABLE(SHAPES_FIELDS), nullptr, 0, TABLE(SHAPE_LIST)};

const RecordKind SHAPE_ROWS[] = {
    {0x0000, 0x20, &SHAPES, nullptr, nullptr, "corpus: EDGX/EDGX.bgl, KDKX/KDKX.bgl, KPSC/KPSC.bgl, LSGC/LSGC.bgl",
     nullptr, 0},
};

} // namespace

extern const KindTable POLYGON_KINDS = {TABLE(SHAPE_ROWS)};
