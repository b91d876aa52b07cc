/*
 * Numeric fields: an EDIT control subclassed so that it takes only the characters of its kind
 * of number, steps with the arrow keys (a large step with Shift or Ctrl) and rewrites its
 * text clamped and formatted when it loses the focus. The number always lives in the text.
 */
#include "panel/spin_field.h"

#include "panel/core/spin_text.h"

/* Text is read with at most this many characters, the NUL included. */
static const int SPIN_READ_BUFFER = 128;

static SpinLimits LimitsOf(const SpinField *field)
{
    SpinLimits limits = {field->maxValue, field->minValue, field->smallStep, field->largeStep};
    return limits;
}

void SpinFieldAttach(SpinField *field)
{
    WNDPROC previous = (WNDPROC)GetWindowLongPtrA(field->edit, GWLP_WNDPROC);
    /* Attached a second time (this record or another): keep the control's own procedure, or
     * every message would loop. It is read before this record's is overwritten. */
    if (previous == SpinFieldProc)
        previous = ((const SpinField *)GetWindowLongPtrA(field->edit, GWLP_USERDATA))->prevProc;
    field->prevProc = previous;
    field->needsFormat = 1;
    SetWindowLongPtrA(field->edit, GWLP_USERDATA, (LONG_PTR)field);
    SetWindowLongPtrA(field->edit, GWLP_WNDPROC, (LONG_PTR)SpinFieldProc);
    if (field->needsFormat) {
        field->needsFormat = 0;
        SpinFieldSetValue(field, SpinFieldGetValue(field));
    }
}

double SpinFieldClamp(const SpinField *field, double value)
{
    SpinLimits limits = LimitsOf(field);
    return SpinClampValue(&limits, value);
}

void SpinFieldSetValue(const SpinField *field, double value)
{
    char text[SPIN_FORMAT_BUFFER];
    SpinFormatValue(field->kind, field->decimals, SpinFieldClamp(field, value), text, sizeof text);
    SetWindowTextA(field->edit, text);
}

double SpinFieldGetValue(const SpinField *field)
{
    char text[SPIN_READ_BUFFER] = "";
    GetWindowTextA(field->edit, text, sizeof text);
    return SpinParseText(field->kind, text); /* an empty text reads as 0 */
}

void SpinFieldRefresh(const SpinField *field)
{
    SpinFieldSetValue(field, SpinFieldGetValue(field));
}

static void Step(const SpinField *field, SpinStepKind step)
{
    SpinLimits limits = LimitsOf(field);
    SpinFieldSetValue(field, SpinStepValue(&limits, step, SpinFieldGetValue(field)));
}

void SpinFieldStepUp(const SpinField *field)
{
    Step(field, SPIN_STEP_UP);
}

void SpinFieldStepDown(const SpinField *field)
{
    Step(field, SPIN_STEP_DOWN);
}

void SpinFieldStepUpLarge(const SpinField *field)
{
    Step(field, SPIN_STEP_UP_LARGE);
}

void SpinFieldStepDownLarge(const SpinField *field)
{
    Step(field, SPIN_STEP_DOWN_LARGE);
}

bool SpinFieldFilterChar(const SpinField *field, WPARAM character)
{
    return SpinAcceptsChar(field->kind, field->editable != 0, (unsigned long long)character);
}

void SpinFieldKeyDown(const SpinField *field, WPARAM key)
{
    bool large = GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0;
    if (key == VK_UP)
        large ? SpinFieldStepUpLarge(field) : SpinFieldStepUp(field);
    else if (key == VK_DOWN)
        large ? SpinFieldStepDownLarge(field) : SpinFieldStepDown(field);
}

LRESULT CALLBACK SpinFieldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const SpinField *field = (const SpinField *)GetWindowLongPtrA(window, GWLP_USERDATA);
    switch (message) {
    case WM_KILLFOCUS: SpinFieldRefresh(field); break;
    case WM_KEYDOWN:
        if (!field->editable && wParam == VK_DELETE)
            return 0;
        SpinFieldKeyDown(field, wParam);
        break;
    case WM_CHAR:
        if (!SpinFieldFilterChar(field, wParam))
            return 0;
        break;
    }
    return CallWindowProcA(field->prevProc, window, message, wParam, lParam);
}
