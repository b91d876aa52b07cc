/*
 * The panel's numeric fields: filled and attached when the main dialog opens, read by the
 * decode request and the panel's persistence.
 */
#include "panel/panel_fields.h"

SpinField LatitudeField;
SpinField LongitudeField;
SpinField RadiusField;

void EnablePartialFields(BOOL enable)
{
    EnableWindow(LatitudeField.edit, enable);
    EnableWindow(LongitudeField.edit, enable);
    EnableWindow(RadiusField.edit, enable);
}
