/*
 * Enumerations more than one record table names values by, as the compiler's XML reference
 * writes them, and the few layouts more than one table uses. Those used by one kind only stay
 * beside it.
 */
#ifndef MORVANE_NAMES_H
#define MORVANE_NAMES_H

#include "records.h"

extern const NameTable SURFACES;     /* runway, helipad and apron surfaces */
extern const NameTable DESIGNATORS;  /* runway designators */
extern const NameTable COM_TYPES;
extern const NameTable START_TYPES;
extern const NameTable HELIPAD_TYPES;

extern const NameTable COMPLEXITIES;  /* scenery objects' image complexity */
extern const NameTable EDGES;         /* taxiway path edges */
extern const NameTable LIGHTS;        /* runway light intensities */
extern const NameTable ORIENTATIONS;  /* taxiway points */
extern const NameTable PARKING_NAMES; /* parking and gate names */
extern const NameTable PARKING_TYPES;
extern const NameTable PATTERNS;      /* runway traffic patterns */
extern const NameTable POINT_TYPES;   /* taxiway points */
extern const NameTable PUSHBACKS;
extern const NameTable SIGN_SIZES;    /* taxiway signs */
extern const NameTable PATH_TYPES;    /* taxiway paths */

/* Layouts more than one table uses. */
extern const Layout NAME_CHILD; /* the name child (0x0019): its text is its parent's name attribute */
extern const Layout COM;        /* an airport's COM frequency (0x0012), in both generations */

#endif
