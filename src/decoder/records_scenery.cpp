/*
 * Scenery objects (section 0x25), framed by a 16-bit id and a 16-bit size, in both
 * generations.
 */
#include "names.h"

extern const KindTable SCENERY_KINDS = {nullptr, 0};
