/*
 * Numeric fields: plain EDIT controls that accept only number characters, step with the
 * arrow keys and reformat their text, clamped to a range, when they lose the focus.
 */
#ifndef VANTREL_SPIN_FIELD_H
#define VANTREL_SPIN_FIELD_H

#include <windows.h>

#include "panel/core/spin_text.h" /* SPIN_INTEGER, SPIN_DECIMAL, SPIN_HEX */

struct SpinField {
    HWND edit;
    WNDPROC prevProc;
    double maxValue;
    double minValue; /* equal to maxValue: no bounds */
    double smallStep;
    double largeStep;
    unsigned char decimals;
    unsigned char kind;
    unsigned char editable;
    unsigned char needsFormat;
};

void SpinFieldAttach(SpinField *field);
LRESULT CALLBACK SpinFieldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
double SpinFieldGetValue(const SpinField *field);
void SpinFieldSetValue(const SpinField *field, double value);
double SpinFieldClamp(const SpinField *field, double value);
void SpinFieldRefresh(const SpinField *field);
bool SpinFieldFilterChar(const SpinField *field, WPARAM character);
void SpinFieldKeyDown(const SpinField *field, WPARAM key);
void SpinFieldStepUp(const SpinField *field);
void SpinFieldStepDown(const SpinField *field);
void SpinFieldStepUpLarge(const SpinField *field);
void SpinFieldStepDownLarge(const SpinField *field);

#endif
