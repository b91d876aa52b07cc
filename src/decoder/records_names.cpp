/*
 * The enumerations and layouts several record tables share, older and newest airports and
 * scenery objects alike (the FSDeveloper wiki's "BGL File Format", the compiler's XML
 * reference for the names; the path type ROAD is the newest generation's, KPSC/KPSC.bgl).
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

const char *const COMPLEXITY_NAMES[] = {"VERY_SPARSE", "SPARSE", "NORMAL", "DENSE", "VERY_DENSE"};
const char *const EDGE_NAMES[] = {"NONE", "SOLID", "DASHED", "SOLID_DASHED"};
const char *const LIGHT_NAMES[] = {"NONE", "LOW", "MEDIUM", "HIGH"};
const char *const ORIENTATION_NAMES[] = {"FORWARD", "REVERSE"};
/* Parking and gate names, GATE_A to GATE_Z after DOCK. */
const char *const PARKING_NAME_NAMES[] = {
    "NONE",   "PARKING", "N_PARKING", "NE_PARKING", "E_PARKING", "SE_PARKING", "S_PARKING", "SW_PARKING",
    "W_PARKING", "NW_PARKING", "GATE", "DOCK",   "GATE_A",    "GATE_B",     "GATE_C",    "GATE_D",
    "GATE_E", "GATE_F",  "GATE_G",    "GATE_H",     "GATE_I",    "GATE_J",     "GATE_K",    "GATE_L",
    "GATE_M", "GATE_N",  "GATE_O",    "GATE_P",     "GATE_Q",    "GATE_R",     "GATE_S",    "GATE_T",
    "GATE_U", "GATE_V",  "GATE_W",    "GATE_X",     "GATE_Y",    "GATE_Z"};
const char *const PARKING_TYPE_NAMES[] = {"NONE",       "RAMP_GA",         "RAMP_GA_SMALL", "RAMP_GA_MEDIUM",
                                          "RAMP_GA_LARGE", "RAMP_CARGO",   "RAMP_MIL_CARGO", "RAMP_MIL_COMBAT",
                                          "GATE_SMALL", "GATE_MEDIUM",     "GATE_HEAVY",    "DOCK_GA",
                                          "FUEL",       "VEHICLE"};
const char *const PATTERN_NAMES[] = {"LEFT", "RIGHT"};
const char *const POINT_TYPE_NAMES[] = {nullptr,          "NORMAL", "HOLD_SHORT", nullptr, "ILS_HOLD_SHORT",
                                        "HOLD_SHORT_NO_DRAW", "ILS_HOLD_SHORT_NO_DRAW"};
const char *const PUSHBACK_NAMES[] = {"NONE", "LEFT", "RIGHT", "BOTH"};
const char *const SIGN_SIZE_NAMES[] = {nullptr, "SIZE1", "SIZE2", "SIZE3", "SIZE4", "SIZE5"};
const char *const PATH_TYPE_NAMES[] = {nullptr, "TAXI", "RUNWAY", "PARKING", "PATH", "CLOSED", "VEHICLE", "ROAD"};

} // namespace

const NameTable SURFACES = NAMES(SURFACE_NAMES);
const NameTable DESIGNATORS = NAMES(DESIGNATOR_NAMES);
const NameTable COM_TYPES = NAMES(COM_TYPE_NAMES);
const NameTable START_TYPES = NAMES(START_TYPE_NAMES);
const NameTable HELIPAD_TYPES = NAMES(HELIPAD_TYPE_NAMES);
const NameTable COMPLEXITIES = NAMES(COMPLEXITY_NAMES);
const NameTable EDGES = NAMES(EDGE_NAMES);
const NameTable LIGHTS = NAMES(LIGHT_NAMES);
const NameTable ORIENTATIONS = NAMES(ORIENTATION_NAMES);
const NameTable PARKING_NAMES = NAMES(PARKING_NAME_NAMES);
const NameTable PARKING_TYPES = NAMES(PARKING_TYPE_NAMES);
const NameTable PATTERNS = NAMES(PATTERN_NAMES);
const NameTable POINT_TYPES = NAMES(POINT_TYPE_NAMES);
const NameTable PUSHBACKS = NAMES(PUSHBACK_NAMES);
const NameTable SIGN_SIZES = NAMES(SIGN_SIZE_NAMES);
const NameTable PATH_TYPES = NAMES(PATH_TYPE_NAMES);

namespace {

const Field NAME_FIELDS[] = {Text(6, 0, "name")};
const Field COM_FIELDS[] = {F(0x08, C_FREQ_MHZ, "frequency"), Enum(0x06, 2, "type", &COM_TYPES), Text(0x0C, 0, "name")};

} // namespace

const Layout NAME_CHILD = {nullptr, TABLE(NAME_FIELDS), nullptr, 0, nullptr, 0};
const Layout COM = {"Com", TABLE(COM_FIELDS), nullptr, 0, nullptr, 0};
