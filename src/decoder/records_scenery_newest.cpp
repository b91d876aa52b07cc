/*
 * Scenery objects (section 0x25) that only the newest generation's files hold: simulation
 * objects, windsocks and car parkings. Every scenery object opens with the same 0x2C bytes
 * (position, attitude, flags, instance GUID); the layouts of that header and of the library
 * object are also what jetway and tower records of the newest airports embed, so they are
 * shared with records_airport_newest.cpp.
 */
#include "names.h"

namespace {

const double ANGLE16_DEGREES = 360.0 / 65536.0;


/* Angles as signed 16-bit steps, so that they come out in (-180, 180] as sources write them
 * (corpus: KPSC/KPSC.bgl, heading 0xB10B is the source's -111.03). */
#define SCENERY_OBJECT_FIELDS                                                                                     \
    Lat(0x08), Lon(0x04), AltMm(0x0C), Scaled(0x12, 2, "pitch", ANGLE16_DEGREES, true),                          \
        Scaled(0x14, 2, "bank", ANGLE16_DEGREES, true), Scaled(0x16, 2, "heading", ANGLE16_DEGREES, true),       \
        Enum(0x18, 2, "imageComplexity", &COMPLEXITIES), Flag(0x10, 2, 0x0001, "altitudeIsAgl")

const Field SCENERY_OBJECT[] = {SCENERY_OBJECT_FIELDS};

/* 0x0019: the scale, then the container title's length and the title (corpus: KPSC/KPSC.bgl,
 * "ASO_Baggage_Cart01" of 18 bytes at 0x34). */
const Field SIM_OBJECT_FIELDS[] = {Text(0x34, 0, "containerTitle"), Float(0x2C, "scale")};
const Layout SIM_OBJECT = {"SimObject", TABLE(SIM_OBJECT_FIELDS), nullptr, 0, nullptr, 0};
const Part SIM_OBJECT_PARTS[] = {{0, Always(), &SIM_OBJECT}};

const Field LIBRARY_OBJECT_FIELDS[] = {Coded(0x2C, C_GUID, 16, "name"), Float(0x3C, "scale")};
const Layout LIBRARY_OBJECT = {"LibraryObject", TABLE(LIBRARY_OBJECT_FIELDS), nullptr, 0, nullptr, 0};
const Part LIBRARY_OBJECT_PARTS[] = {{0, Always(), &LIBRARY_OBJECT}};

/* 0x0018: pole height and sock length, then after 8 bytes of colours a 16-bit flag word and the
 * title's length, the title at 0x40 (corpus: KPSC/KPSC.bgl, "Windsock"). */
const Field WINDSOCK_FIELDS[] = {Length(0x2C, "poleHeight"), Length(0x30, "sockLength"),
                                 Text(0x40, 0, "containerTitle")};
const Layout WINDSOCK = {"Windsock", TABLE(WINDSOCK_FIELDS), nullptr, 0, nullptr, 0};
const Part WINDSOCK_PARTS[] = {{0, Always(), &WINDSOCK}};

/* 0x0016: a count at 0x2C, then the outline as pairs of float64 latitude and longitude
 * (corpus: KPSC/KPSC.bgl, the two CarParking outlines of 5 and 6 vertices). */
const Field DOUBLE_VERTEX_FIELDS[] = {Coded(0, C_DOUBLE, 8, "lat"), Coded(8, C_DOUBLE, 8, "lon")};
const Layout DOUBLE_VERTEX = {"Vertex", TABLE(DOUBLE_VERTEX_FIELDS), nullptr, 0, nullptr, 0};
const Items CAR_PARKING_VERTICES[] = {{0x2E, 0x2C, 2, 16, 0, 0, 0, &DOUBLE_VERTEX}};
const Layout CAR_PARKING = {"CarParking", nullptr, 0, nullptr, 0, TABLE(CAR_PARKING_VERTICES)};
const Part CAR_PARKING_PARTS[] = {{0, Always(), &CAR_PARKING}};

} // namespace

extern const Layout NEWEST_SIM_SCENERY_OBJECT = {"SceneryObject", TABLE(SCENERY_OBJECT), TABLE(SIM_OBJECT_PARTS),
                                                 nullptr, 0};
extern const Layout NEWEST_LIBRARY_SCENERY_OBJECT = {"SceneryObject", TABLE(SCENERY_OBJECT),
                                                     TABLE(LIBRARY_OBJECT_PARTS), nullptr, 0};

namespace {

const Layout WINDSOCK_OBJECT = {"SceneryObject", TABLE(SCENERY_OBJECT), TABLE(WINDSOCK_PARTS), nullptr, 0};
const Layout CAR_PARKING_OBJECT = {"SceneryObject", TABLE(SCENERY_OBJECT), TABLE(CAR_PARKING_PARTS), nullptr, 0};

const RecordKind SCENERY_NEWEST_ROWS[] = {
    {0x0016, 0x2E, &CAR_PARKING_OBJECT, nullptr, nullptr, "corpus: KPSC/KPSC.bgl", nullptr, 0},
    {0x0018, 0x40, &WINDSOCK_OBJECT, nullptr, nullptr, "corpus: KPSC/KPSC.bgl", nullptr, 0},
    {0x0019, 0x34, &NEWEST_SIM_SCENERY_OBJECT, nullptr, nullptr, "corpus: KPSC/KPSC.bgl", nullptr, 0},
};

} // namespace

extern const KindTable SCENERY_NEWEST_KINDS = {TABLE(SCENERY_NEWEST_ROWS)};
