/*
 * The enumerations several record tables share (the FSDeveloper wiki's "BGL File Format",
 * the compiler's XML reference for the names).
 */
#include "names.h"

namespace {

const char *const SURFACE_NAMES[] = {"CONCRETE", "GRASS",      "WATER",     "GRASS_BUMPY", "ASPHALT",    "SHORT_GRASS",
                                     "LONG_GRASS", "HARD_TURF", "SNOW",     "ICE",         "URBAN",      "FOREST",
                                     "DIRT",     "CORAL",      "GRAVEL",    "OIL_TREATED", "STEEL_MATS", "BITUMINUS",
                                     "BRICK",    "MACADAM",    "PLANKS",    "SAND",        "SHALE",      "TARMAC"};
const char *const DESIGNATOR_NAMES[] = {"NONE", "LEFT", "RIGHT", "CENTER", "WATER", "A", "B"};
const char *const COM_TYPE_NAMES[] = {nullptr,    "ATIS",      "MULTICOM",  "UNICOM", "CTAF", "GROUND",
                                      "TOWER",    "CLEARANCE", "APPROACH",  "DEPARTURE", "CENTER", "FSS",
                                      "AWOS",     "ASOS",      "CLEARANCE_PRE_TAXI", "REMOTE_CLEARANCE_DELIVERY"};
const char *const START_TYPE_NAMES[] = {nullptr, "RUNWAY", "WATER", "HELIPAD"};
const char *const HELIPAD_TYPE_NAMES[] = {"NONE", "H", "SQUARE", "CIRCLE", "MEDICAL"};

} // namespace

const NameTable SURFACES = NAMES(SURFACE_NAMES);
const NameTable DESIGNATORS = NAMES(DESIGNATOR_NAMES);
const NameTable COM_TYPES = NAMES(COM_TYPE_NAMES);
const NameTable START_TYPES = NAMES(START_TYPE_NAMES);
const NameTable HELIPAD_TYPES = NAMES(HELIPAD_TYPE_NAMES);
