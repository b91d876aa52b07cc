/*
 * Numeric fields (behaviour not built yet: the fields stay plain edits).
 */
#include "panel/spin_field.h"

void SpinFieldAttach(SpinField *field)
{
    field->prevProc = NULL;
    field->needsFormat = 0;
}

double SpinFieldGetValue(const SpinField *)
{
    return 0.0;
}
