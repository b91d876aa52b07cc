/*
 * Enumerations more than one record table names values by, as the compiler's XML reference
 * writes them. Tables used by one kind only stay beside it.
 */
#ifndef MORVANE_NAMES_H
#define MORVANE_NAMES_H

#include "records.h"

extern const NameTable SURFACES;     /* runway, helipad and apron surfaces */
extern const NameTable DESIGNATORS;  /* runway designators */
extern const NameTable COM_TYPES;
extern const NameTable START_TYPES;
extern const NameTable HELIPAD_TYPES;

#endif
