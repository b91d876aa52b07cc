/*
 * The section types the decoder walks as records, the kinds at their top level and how their
 * records are framed; and the names of the other section types for the verbose lines. A type
 * may appear more than once: the kinds of every entry of the type are looked up in turn.
 */
#include "records.h"

extern const KindTable WAYPOINT_KINDS, VOR_ILS_KINDS, NDB_KINDS, MARKER_KINDS;
extern const KindTable AIRPORT_OLDER_KINDS, AIRPORT_NEWEST_KINDS;
extern const KindTable SCENERY_KINDS, SCENERY_NEWEST_KINDS;
extern const KindTable NAVAID_NEWEST_KINDS;
extern const KindTable EXCLUSION_KINDS, POLYGON_KINDS;

/* Scenery objects are framed by a 16-bit id and a 16-bit size (corpus: the first record of
 * every file's 0x25 section, a library object of id 0x000B, e.g. LEAR/LEAR_ADEX_ARV187.bgl);
 * exclusion rectangles (0x2E) and the polygons (0x65) of the newest files are not framed at all
 * (records_polygons.cpp);
 * everything else by a 16-bit id and a 32-bit size. */
const SectionKind SECTION_KINDS[] = {
    {0x03, "airports", 6, &AIRPORT_OLDER_KINDS, false},
    {0x03, "airports", 6, &AIRPORT_NEWEST_KINDS, false},
    {0x13, "VOR/ILS", 6, &VOR_ILS_KINDS, false},
    {0x13, "VOR/ILS", 6, &NAVAID_NEWEST_KINDS, false},
    {0x17, "NDB", 6, &NDB_KINDS, false},
    {0x17, "NDB", 6, &NAVAID_NEWEST_KINDS, false},
    {0x18, "markers", 6, &MARKER_KINDS, false},
    {0x22, "waypoints", 6, &WAYPOINT_KINDS, false},
    {0x22, "waypoints", 6, &NAVAID_NEWEST_KINDS, false},
    {0x25, "scenery objects", 4, &SCENERY_KINDS, false},
    {0x25, "scenery objects", 4, &SCENERY_NEWEST_KINDS, false},
    {0x2E, "exclusion rectangles", 0, &EXCLUSION_KINDS, false},
    {0x65, "terrain vectors", 0, &POLYGON_KINDS, true},
};
const size_t SECTION_KIND_COUNT = sizeof SECTION_KINDS / sizeof SECTION_KINDS[0];

namespace {

/* The names of the section types in the verbose lines. 0x2E holds exclusion rectangles
 * (KDKX/KDKX.bgl, against its source) and 0x2F time zones, as the published list of section
 * types numbers them (exclusion 46, time zone 47). */
struct SectionNameRow {
    uint32_t type;
    const char *name;
};

const SectionNameRow SECTION_NAMES[] = {
    {0x01, "copyright"},       {0x02, "guid"},          {0x03, "airports"},        {0x13, "VOR/ILS"},
    {0x17, "NDB"},             {0x18, "markers"},       {0x20, "boundaries"},      {0x22, "waypoints"},
    {0x23, "geopolitical"},    {0x25, "scenery objects"}, {0x27, "name list"},     {0x28, "VOR/ILS index"},
    {0x29, "NDB index"},       {0x2A, "waypoint index"}, {0x2B, "model data"},     {0x2C, "airport summary"},
    {0x2E, "exclusion rectangles"}, {0x2F, "time zones"},     {0x65, "terrain vectors"},
};

} // namespace

const char *SectionName(uint32_t type)
{
    for (const SectionNameRow &row : SECTION_NAMES)
        if (row.type == type)
            return row.name;
    return type >= 0x66 ? "terrain" : "unknown";
}

const RecordKind *FindKind(const KindTable *table, uint16_t id)
{
    for (size_t i = 0; table && i < table->count; ++i)
        if (table->kinds[i].id == id)
            return &table->kinds[i];
    return nullptr;
}
