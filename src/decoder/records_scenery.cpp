/*
 * Scenery objects (section 0x25), framed by a 16-bit id and a 16-bit size, in both
 * generations: the placement every object shares, then its kind (library object, windsock,
 * taxiway signs). Layouts from the FSDeveloper wiki's "BGL File Format" page, checked against
 * LEAR/LEAR_ADEX_ARV187.bgl; the taxiway signs from that file alone.
 */
#include "names.h"

namespace {

const char *const SOURCE_WIKI = "FSDeveloper wiki: BGL File Format";


/* The placement: position, altitude, flags (bit 0 above ground, bit 2 no crash, bit 4 no
 * shadow: LEAR's objects), pitch, bank and heading as 16-bit angles, image complexity. The
 * bytes are the same in both generations, the sources are not: the newest write angles from
 * -180 to 180 (KDKX/KDKX.xml: heading -104.083258, stored 0xB5FD), the older from 0 to 360
 * (LEAR/LEAR_ADEX_ARV187.xml: heading 339.4, stored 0xF16B); half a turn is -180 in the newest
 * sources and 180 in the older. */
#define PLACEMENT                                                                                          \
    Lat(0x08), Lon(0x04), AltMm(0x0C), Flag(0x10, 2, 0x0001, "altitudeIsAgl"), SignedAngle16(0x12, "pitch"),  \
        SignedAngle16(0x14, "bank"), SignedAngle16(0x16, "heading"), Enum(0x18, 2, "imageComplexity", &COMPLEXITIES)

const Layout NO_CRASH = {"NoCrash", nullptr, 0, nullptr, 0, nullptr, 0};
const Layout NO_SHADOW = {"NoShadow", nullptr, 0, nullptr, 0, nullptr, 0};
/* Bit 9 of the flags: EDGX/EDGX.bgl's one object whose source holds LowResAltitude (a fire
 * truck, flags 0x0201) is the only one with it set. */
const Layout LOW_RES_ALTITUDE = {"LowResAltitude", nullptr, 0, nullptr, 0, nullptr, 0};

const Field LIBRARY_FIELDS[] = {F(0x2C, C_GUID, "name"), Float(0x3C, "scale")};
const Layout LIBRARY_OBJECT = {"LibraryObject", TABLE(LIBRARY_FIELDS), nullptr, 0, nullptr, 0};
const Field PLACEMENT_FIELDS[] = {PLACEMENT};
#define PLACEMENT_FLAG_CHILDREN                                                                               \
    {0, WhenSet(0x10, 2, 0x0004), &NO_CRASH}, {0, WhenSet(0x10, 2, 0x0010), &NO_SHADOW},                       \
        {0, WhenSet(0x10, 2, 0x0200), &LOW_RES_ALTITUDE}
const Part LIBRARY_PARTS[] = {PLACEMENT_FLAG_CHILDREN, {0, Always(), &LIBRARY_OBJECT}};

/* Colours are stored blue, green, red, alpha (LEAR's orange sock: 00 A5 FF FF). */
const Field POLE_COLOR_FIELDS[] = {Int(0x36, 1, "red"), Int(0x35, 1, "green"), Int(0x34, 1, "blue")};
const Layout POLE_COLOR = {"PoleColor", TABLE(POLE_COLOR_FIELDS), nullptr, 0, nullptr, 0};
const Field SOCK_COLOR_FIELDS[] = {Int(0x3A, 1, "red"), Int(0x39, 1, "green"), Int(0x38, 1, "blue")};
const Layout SOCK_COLOR = {"SockColor", TABLE(SOCK_COLOR_FIELDS), nullptr, 0, nullptr, 0};
const Part WINDSOCK_COLOR_PARTS[] = {{0, Always(), &POLE_COLOR}, {0, Always(), &SOCK_COLOR}};
const Field WINDSOCK_FIELDS[] = {Float(0x2C, "poleHeight"), Float(0x30, "sockLength"), Flag(0x3C, 2, 0x0001, "lighted")};
const Layout WINDSOCK = {"Windsock", TABLE(WINDSOCK_FIELDS), TABLE(WINDSOCK_COLOR_PARTS), nullptr, 0};
const Part WINDSOCK_PARTS[] = {PLACEMENT_FLAG_CHILDREN, {0, Always(), &WINDSOCK}};
const Layout WINDSOCK_OBJECT = {"SceneryObject", TABLE(PLACEMENT_FIELDS), TABLE(WINDSOCK_PARTS), nullptr, 0};

/* Taxiway signs: one object holds every sign of an airport, each 12 bytes (metres east and
 * north of the object's position, heading, size, justification) and its label, ended by a
 * NUL and padded to an even length (corpus: LEAR/LEAR_ADEX_ARV187.bgl, 112 signs in one
 * record whose first sign stands at the object's position). The source's signs are children
 * of their airport, each with its own lat and lon; nothing in the record ties it to an
 * airport, so the signs are written where the record stands and the object's placement, the
 * compiler's own, is not written. LEAR's signs are all of size 3 and justified RIGHT (2):
 * LEFT as 1 is assumed. */
const char *const JUSTIFICATION_NAMES[] = {nullptr, "LEFT", "RIGHT"};
const NameTable JUSTIFICATIONS = NAMES(JUSTIFICATION_NAMES);
const Field SIGN_FIELDS[] = {
    Coded(0x00, C_METRES_EAST_NORTH, 8, nullptr), Coded(0x08, C_ANGLE16, 2, "heading"), Text(0x0C, 0, "label"),
    Enum(0x0A, 1, "size", &SIGN_SIZES), Enum(0x0B, 1, "justification", &JUSTIFICATIONS),
};
const Layout SIGN = {"TaxiwaySign", TABLE(SIGN_FIELDS), nullptr, 0, nullptr, 0};
const Items SIGN_ITEMS[] = {{0x30, 0x2C, 4, 0x0C, 0x0C, 0, 2, &SIGN}};
const Field SIGNS_ORIGIN_FIELDS[] = {Coded(0x08, C_ORIGIN_LAT, 4, nullptr), Coded(0x04, C_ORIGIN_LON, 4, nullptr)};
const Layout TAXIWAY_SIGNS = {nullptr, TABLE(SIGNS_ORIGIN_FIELDS), nullptr, 0, TABLE(SIGN_ITEMS)};

} // namespace

/* A library object's whole record; a jetway of the older airports holds one too. */
extern const Layout LIBRARY_SCENERY_OBJECT = {"SceneryObject", TABLE(PLACEMENT_FIELDS), TABLE(LIBRARY_PARTS), nullptr, 0};

namespace {

const RecordKind SCENERY_ROWS[] = {
    {0x000B, 0x40, &LIBRARY_SCENERY_OBJECT, nullptr, nullptr, SOURCE_WIKI, nullptr, 0},
    {0x000C, 0x3E, &WINDSOCK_OBJECT, nullptr, nullptr, SOURCE_WIKI, nullptr, 0},
    {0x000E, 0x30, &TAXIWAY_SIGNS, nullptr, nullptr, "corpus: LEAR/LEAR_ADEX_ARV187.bgl", nullptr, 0},
};

} // namespace

extern const KindTable SCENERY_KINDS = {TABLE(SCENERY_ROWS)};
