/*
 * The panel's three numeric fields (the circle's center and radius), shared by the main
 * dialog, the decode request and the panel's persistence.
 */
#ifndef VANTREL_PANEL_FIELDS_H
#define VANTREL_PANEL_FIELDS_H

#include <windows.h>

#include "panel/spin_field.h"

extern SpinField LatitudeField;
extern SpinField LongitudeField;
extern SpinField RadiusField;

/* The fields take input only while a partial decode is asked for. */
void EnablePartialFields(BOOL enable);

#endif
