/*
 * Sections of the newest generation's files whose data is not framed as records (their
 * SectionKind rows have framing 0): each subsection's data is read as one record of the
 * single kind below. Exclusion rectangles (section 0x2E) are 20-byte entries one after
 * another; the polygons of section 0x65 are not read yet (the note at the end says what
 * is known of them).
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

/* Section 0x65 (polygons) is not read yet: what its data is known to hold so far, from
 * KDKX/KDKX.bgl (one polygon) and EDGX/EDGX.bgl (fourteen). A header of u32 words: 0x00 6,
 * 0x08 1, 0x0C the number of polygons, 0x10 the bytes of an attribute table that starts at
 * 0x20, 0x14 a count of attributes; the table's entries are a GUID, a u32 size and that many
 * bytes of value, each guid and value once however many polygons use them (EDGX), and the
 * compiler adds one of its own ({CE85242F-4110-4706-8344-1F3A8EE422BE}, text "0.3.0"); the
 * source's UniqueGUID attribute is not kept. After the table (KDKX, at 0x8E): u32 1, u32 3,
 * u16 the polygon's number of attributes and as many u32 byte offsets into the table (so the
 * count at 0x14 is the sum of these over the polygons: 5 in KDKX, 55 in EDGX), then u32 27
 * (as at 0x18), two bytes 02 01, u32 0x157D, u32 0x49E1, i32 -78, u32 443, u32 63 and 63 bytes
 * of packed vertices (25 in KDKX), then the altitude as a float32: the vertices need a coding
 * of their own. */
