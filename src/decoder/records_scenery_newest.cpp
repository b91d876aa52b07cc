/*
 * Scenery objects (section 0x25) that only the newest generation's files hold, or that they
 * lay out differently from the older generation.
 */
#include "names.h"

extern const KindTable SCENERY_NEWEST_KINDS = {nullptr, 0};
