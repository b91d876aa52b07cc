/*
 * Object ID generator: each press of "&Generate" asks Windows for a fresh GUID and shows it
 * spaced in four groups of eight digits and as one run of 32 digits, ready to copy.
 */
#include <windows.h>

#include "dialogs/core/text_forms.h"
#include "dialogs/dialogs.h"
#include "resource.h"
#include "ui/ui.h"

void GenerateObjectId(HWND spacedField, HWND plainField)
{
    GUID guid;
    if (!LateCreateGuid(&guid)) {
        /* Better no id at all than one that looks fresh and is not (the COM runtime may not
         * even load). */
        SetWindowTextA(spacedField, "");
        SetWindowTextA(plainField, "");
        return;
    }
    ObjectIdFields id;
    id.Data1 = guid.Data1;
    id.Data2 = guid.Data2;
    id.Data3 = guid.Data3;
    for (int i = 0; i < 8; i++)
        id.Data4[i] = guid.Data4[i];

    char spaced[TEXT_LINE_SIZE];
    char plain[TEXT_LINE_SIZE];
    FormatObjectIdSpaced(&id, spaced, sizeof spaced);
    FormatObjectIdPlain(&id, plain, sizeof plain);
    SetWindowTextA(spacedField, spaced);
    SetWindowTextA(plainField, plain);
}

INT_PTR CALLBACK ObjIdDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE; /* the system focuses the first tab stop, "&Generate"; the fields stay empty */
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: /* Enter while no push button has the focus */
            EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        case IDC_GENERATE:
            GenerateObjectId(GetDlgItem(dialog, IDC_GUID_SPACED), GetDlgItem(dialog, IDC_GUID_PLAIN));
            break;
        }
        break;
    }
    return FALSE;
}
