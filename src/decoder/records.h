/*
 * The record kinds of the BGL format as data. Each kind is one `RecordKind` entry: its id, the
 * element it becomes, the length of its fixed part and a `Layout`: the attributes read from
 * the fixed part in the order they are written, elements written from the same bytes (a
 * runway's markings, a scenery object's library object), arrays of items that follow the
 * fixed part (taxiway points, apron vertices) and the child records it may hold. One walker
 * (walker.cpp) reads every kind through these tables; adding a kind is adding rows.
 */
#ifndef MORVANE_RECORDS_H
#define MORVANE_RECORDS_H

#include <stddef.h>
#include <stdint.h>

/* How a field's bytes are read and written. */
enum Coding : uint8_t {
    C_NONE,
    C_LAT,          /* uint32 latitude */
    C_LON,          /* uint32 longitude */
    C_ALT_MM,       /* int32 millimetres: an altitude (feet with -f) */
    C_ALT_M,        /* float32 metres: an altitude (feet with -f) */
    C_LENGTH,       /* float32 metres: a length or width, in metres */
    C_RANGE,        /* float32 metres: a navaid range (statute miles with -m) */
    C_FLOAT,        /* float32, as a plain number */
    C_ANGLE16,      /* uint16, 360/65536 degrees a step; with `signedness`, in [-180, 180) in files of
                       the newest generation, whose sources write angles so */
    C_ANGLE32,      /* uint32, 360/2^32 degrees a step */
    C_INT,          /* integer of `width` bytes, masked and shifted, signed when `signedness` */
    C_HEX,          /* integer of `width` bytes, masked and shifted, as 0xHEX */
    C_ENUM,         /* integer of `width` bytes, masked and shifted, named by `names` */
    C_FLAG,         /* TRUE when (integer & mask) != 0 (== 0 when `invert`) */
    C_IDENT,        /* uint32 base-38 ident, shifted right by `shift` */
    C_REGION,       /* uint32 base-38 region in its low 11 bits */
    C_FREQ_MHZ,     /* uint32 hertz as megahertz */
    C_FREQ_KHZ,     /* uint32 hertz as kilohertz */
    C_TEXT,         /* `width` bytes of text up to the first NUL; width 0: to the end of the record */
    C_GUID,         /* 16 bytes as {xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx} */
    C_RUNWAY_NUMBER,/* byte: 1..36 as two digits, 37..44 the compass points */
    C_CONST,        /* no bytes: the text in `constant` */
    C_SCALED,       /* integer of `width` bytes times `scale` */
    C_INDEX,        /* no bytes: the item's index in its array, from 0 */
    C_DOUBLE,       /* float64, as a plain number to 8 decimals (positions some records hold as doubles) */
    C_TEXT_LIST,    /* `width`-byte texts from `offset` to the end of the item, joined by ", " */
    C_ORIGIN_LAT,   /* uint32 latitude, not written: the origin of the C_METRES_EAST_NORTH fields of the items
                       and parts that follow */
    C_ORIGIN_LON,   /* uint32 longitude, the same */
    C_METRES_EAST_NORTH, /* float32 metres east, then float32 metres north, of the origin: written as the
                       attributes "lat" and "lon" of the point they reach */
    C_CELL,         /* uint32 quad cell id, not written: the cell whose 2^15 x 2^15 grid the C_PACKED_LAT and
                       C_PACKED_LON fields that follow place their points in */
    C_PACKED_LAT,   /* no bytes of its own (inside IS_CODED_STEPS items: the item's decoded point); else
                       the latitude of point `shift` (plus, in IS_PACKED_RING items, the
                       item's index) of the packed points at `offset`: a byte giving their bit width, then
                       x and y of that many bits each, point after point, packed from the least significant
                       bit of each byte; written at the centre of its grid unit, the file keeping no finer
                       position */
    C_PACKED_LON,   /* the same point's longitude */
    C_GUID_NAME,    /* the name `guids` gives the 16-byte GUID at `offset` */
    C_GUID_TYPE,    /* the type `guids` gives it */
    C_GUID_VALUE,   /* the value after the GUID at `offset` (uint32 size, then that many bytes), written as
                       its type in `guids` says: UINT8, UINT32, FLOAT32, STRING or GUID */
    C_REMEMBER,     /* integer of `width` bytes, masked: not written; kept, with the text in `constant`, for
                       the C_RECALL fields of the records after it within the same top-level record */
    C_RECALL,       /* integer of `width` bytes, masked: written as the text a C_REMEMBER field kept for the
                       same integer earlier in the top-level record; nothing when none did */
    C_CODINGS
};

struct NameTable {
    const char *const *names;
    size_t count;
};

/* Attributes the file names by GUID only: the name and type the sources give each. */
struct GuidName {
    const char *guid; /* as {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}, upper case */
    const char *name;
    const char *type;
};
struct GuidTable {
    const GuidName *entries;
    size_t count;
};

struct Field {
    uint16_t offset;    /* from the start of the record (or item, or part) */
    Coding coding;
    uint8_t width;      /* bytes, for integers and fixed texts */
    uint32_t mask;      /* 0: all bits */
    uint8_t shift;      /* applied after the mask */
    bool signedness;
    bool invert;
    const char *attribute;
    const NameTable *names;
    const char *constant;
    double scale;
    const GuidTable *guids = nullptr;
};

struct Layout;

/* A condition on the bytes: the integer of `width` bytes at `offset`, masked, compared with
 * `value` by `test`. */
enum Test : uint8_t { T_ALWAYS, T_SET, T_CLEAR, T_EQUALS, T_DIFFERS,
                      T_KNOWN_GUID /* the 16 bytes at `offset` are a GUID of `guids` */ };
struct Condition {
    uint16_t offset;
    uint8_t width;
    uint32_t mask;
    uint32_t value;
    Test test;
    const GuidTable *guids = nullptr;
};

/* An element written from the parent's bytes at `offset`, when `when` holds. */
struct Part {
    uint16_t offset;
    Condition when;
    const Layout *layout;
};

/* Items that follow one another at `start`: their number is the integer of `countWidth`
 * bytes at `countOffset` (countWidth 0: as many whole items of `stride` bytes as fit before
 * the end; with stride 0 too, as many items as have room for their own size field before the
 * end, a size of 0 ending them); each is `stride` bytes, plus `extraUnit` bytes per unit of the integer of
 * `extraWidth` at `extraOffset` inside the item. With `extraWidth` 0 and `extraUnit` N, the
 * item goes on instead with a text at `extraOffset` ended by a NUL, the text and its NUL
 * padded to a multiple of N bytes (a taxiway sign's label). */
/*
 * Other ways items may be sized (`sizing`):
 * IS_AS_READ      each item is as long as its layout reads (its fields, parts, items and what
 *                 follows them), the items lying one after another;
 * IS_PACKED_RING  the items are the packed points at `start` (see C_PACKED_LAT), `count` of them
 *                 of which the last closes the ring on the first and is not written; each item's
 *                 bytes are the packed points, its index the point's;
 * IS_CODED_STEPS  the items are points coded as steps at `start`: u32 x and y of the first in the
 *                 cell's grid, i32 x and y of the step to the second, a u32 count of bytes and that
 *                 many bytes coding the change of each further step (coded_steps.cpp); `count` of
 *                 them of which the last closes the ring and is not written; C_PACKED_LAT and
 *                 C_PACKED_LON fields of the items place the item's point;
 * IS_INDIRECT     each item is `stride` bytes holding a uint32 offset from `extraOffset` of the
 *                 enclosing top-level record to an entry of 16 bytes of GUID, a uint32 size and
 *                 that many bytes of value: the entry is the item's layout's bytes.
 * With `startWidth`, the items begin at `start` plus the integer of that many bytes at
 * `startOffset` (a table of its own size in between).
 */
enum ItemSizing : uint8_t { IS_BYTES, IS_AS_READ, IS_PACKED_RING, IS_CODED_STEPS, IS_INDIRECT };

struct Items {
    uint16_t start;
    uint16_t countOffset;
    uint8_t countWidth;
    uint16_t stride;
    uint16_t extraOffset;
    uint8_t extraWidth;
    uint16_t extraUnit;
    const Layout *item;
    ItemSizing sizing = IS_BYTES;
    uint16_t startOffset = 0;
    uint8_t startWidth = 0;
};

struct RecordKind;

/* The kinds a record may hold after its fixed part, framed like it. */
struct KindTable {
    const RecordKind *kinds;
    size_t count;
};

struct Layout {
    const char *element;   /* NULL: the fields are attributes of the enclosing element */
    const Field *fields;
    size_t fieldCount;
    const Part *parts;
    size_t partCount;
    const Items *items;
    size_t itemsCount;
    const Layout *then = nullptr; /* read on from where the fields, parts and items end */
    const char *const *containers = nullptr; /* wrapper elements it always holds, NULL-ended: each one
                                                no child record filled is written empty */
};

/* A layout used instead of the kind's own when its condition holds (a VOR record of type 4 is
 * an ILS). */
struct Variant {
    Condition when;
    const Layout *layout;
};

struct RecordKind {
    uint16_t id;
    uint16_t fixed;          /* bytes of the fixed part, framing included */
    const Layout *layout;
    const KindTable *children;
    const char *wrapper;     /* consecutive records of this kind go inside one element of this name */
    const char *source;      /* where the layout comes from: a published page, or a corpus file */
    const Variant *variants;
    size_t variantCount;
    bool completesPrevious = false; /* its fields are attributes of the element written just before
                                       it among its siblings (an apron's drawing flags) */
};

/* A section type and the kinds at its top level. */
struct SectionKind {
    uint32_t type;
    const char *name;
    uint8_t framing;         /* record header bytes: 6 (id, 32-bit size) or 4 (id, 16-bit size); 0: not
                                framed, each subsection's data is one record of the table's first kind */
    const KindTable *kinds;
    bool tentative;          /* a layout known from a few files only: a subsection it cannot read is
                                left out and counted as a skipped section, not refused as damage */
};

/* ---- building rows ---- */

#define TABLE(array) array, sizeof array / sizeof array[0]
#define NAMES(array) NameTable{array, sizeof array / sizeof array[0]}

constexpr Field F(uint16_t offset, Coding coding, const char *attribute)
{
    return Field{offset, coding, 4, 0, 0, false, false, attribute, nullptr, nullptr, 1.0};
}
constexpr Field SignedAngle16(uint16_t offset, const char *attribute)
{
    return Field{offset, C_ANGLE16, 2, 0, 0, true, false, attribute, nullptr, nullptr, 1.0};
}
constexpr Field Lat(uint16_t offset) { return F(offset, C_LAT, "lat"); }
constexpr Field Lon(uint16_t offset) { return F(offset, C_LON, "lon"); }
constexpr Field AltMm(uint16_t offset, const char *attribute = "alt") { return F(offset, C_ALT_MM, attribute); }
constexpr Field AltM(uint16_t offset, const char *attribute) { return F(offset, C_ALT_M, attribute); }
constexpr Field Length(uint16_t offset, const char *attribute) { return F(offset, C_LENGTH, attribute); }
constexpr Field Range(uint16_t offset) { return F(offset, C_RANGE, "range"); }
constexpr Field Float(uint16_t offset, const char *attribute) { return F(offset, C_FLOAT, attribute); }
constexpr Field Ident(uint16_t offset, const char *attribute = "ident", uint8_t shift = 5)
{
    return Field{offset, C_IDENT, 4, 0, shift, false, false, attribute, nullptr, nullptr, 1.0};
}
constexpr Field Region(uint16_t offset, const char *attribute = "region") { return F(offset, C_REGION, attribute); }
constexpr Field Text(uint16_t offset, uint8_t width, const char *attribute)
{
    return Field{offset, C_TEXT, width, 0, 0, false, false, attribute, nullptr, nullptr, 1.0};
}
constexpr Field Int(uint16_t offset, uint8_t width, const char *attribute, uint32_t mask = 0, uint8_t shift = 0,
                    bool signedness = false)
{
    return Field{offset, C_INT, width, mask, shift, signedness, false, attribute, nullptr, nullptr, 1.0};
}
constexpr Field Scaled(uint16_t offset, uint8_t width, const char *attribute, double scale, bool signedness = false)
{
    return Field{offset, C_SCALED, width, 0, 0, signedness, false, attribute, nullptr, nullptr, scale};
}
constexpr Field Enum(uint16_t offset, uint8_t width, const char *attribute, const NameTable *names,
                     uint32_t mask = 0, uint8_t shift = 0)
{
    return Field{offset, C_ENUM, width, mask, shift, false, false, attribute, names, nullptr, 1.0};
}
constexpr Field Flag(uint16_t offset, uint8_t width, uint32_t mask, const char *attribute, bool invert = false)
{
    return Field{offset, C_FLAG, width, mask, 0, false, invert, attribute, nullptr, nullptr, 1.0};
}
constexpr Field Const(const char *attribute, const char *text)
{
    return Field{0, C_CONST, 0, 0, 0, false, false, attribute, nullptr, text, 1.0};
}
constexpr Field Coded(uint16_t offset, Coding coding, uint8_t width, const char *attribute)
{
    return Field{offset, coding, width, 0, 0, false, false, attribute, nullptr, nullptr, 1.0};
}
constexpr Field Remember(uint16_t offset, uint8_t width, uint32_t mask, const char *text)
{
    return Field{offset, C_REMEMBER, width, mask, 0, false, false, nullptr, nullptr, text, 1.0};
}
constexpr Field Recall(uint16_t offset, uint8_t width, uint32_t mask, const char *attribute)
{
    return Field{offset, C_RECALL, width, mask, 0, false, false, attribute, nullptr, nullptr, 1.0};
}
constexpr Condition Always() { return Condition{0, 0, 0, 0, T_ALWAYS}; }
constexpr Condition WhenSet(uint16_t offset, uint8_t width, uint32_t mask) { return Condition{offset, width, mask, 0, T_SET}; }
constexpr Condition WhenClear(uint16_t offset, uint8_t width, uint32_t mask) { return Condition{offset, width, mask, 0, T_CLEAR}; }
constexpr Condition WhenEquals(uint16_t offset, uint8_t width, uint32_t value, uint32_t mask = 0)
{
    return Condition{offset, width, mask, value, T_EQUALS};
}

constexpr Field Packed(uint16_t offset, Coding coding, uint8_t point, const char *attribute)
{
    return Field{offset, coding, 0, 0, point, false, false, attribute, nullptr, nullptr, 1.0};
}
constexpr Field Guid(uint16_t offset, Coding coding, const char *attribute, const GuidTable *guids)
{
    return Field{offset, coding, 16, 0, 0, false, false, attribute, nullptr, nullptr, 1.0, guids};
}
constexpr Condition WhenKnownGuid(uint16_t offset, const GuidTable *guids)
{
    return Condition{offset, 16, 0, 0, T_KNOWN_GUID, guids};
}

/* ---- the tables (records_*.cpp) ---- */

/* Every section type the decoder walks as records. */
extern const SectionKind SECTION_KINDS[];
extern const size_t SECTION_KIND_COUNT;

/* The airport ids of the newest generation: a file holding one is of that generation. */
extern const uint16_t NEWEST_AIRPORT_IDS[];
extern const size_t NEWEST_AIRPORT_ID_COUNT;

/* A section type's name, for the verbose lines. */
const char *SectionName(uint32_t type);

/* The kind of `id` among `table`, or NULL. */
const RecordKind *FindKind(const KindTable *table, uint16_t id);

#endif
