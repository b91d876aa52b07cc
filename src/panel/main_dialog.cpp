/*
 * The main dialog: prepares the panel when it opens and hands every command to its handler.
 */
#include <windows.h>

#include "dialogs/dialogs.h"
#include "panel/panel.h"
#include "panel/panel_fields.h"
#include "resource.h"
#include "ui/ui.h"

/* The pointer-sized forms of the window and class slots, so handles are whole in a 64-bit build. */
static HINSTANCE DialogInstance(HWND dialog)
{
    return (HINSTANCE)GetWindowLongPtrA(dialog, GWLP_HINSTANCE);
}

static void ConfigureSpinField(SpinField *field, HWND edit, double maxValue, double minValue, double smallStep,
                               double largeStep, unsigned char decimals, unsigned char kind)
{
    field->edit = edit;
    field->maxValue = maxValue;
    field->minValue = minValue;
    field->smallStep = smallStep;
    field->largeStep = largeStep;
    field->decimals = decimals;
    field->kind = kind;
    field->editable = 1;
    SpinFieldAttach(field);
}

static void AppendAboutToSystemMenu(HWND dialog)
{
    HMENU menu = GetSystemMenu(dialog, FALSE);
    if (!menu)
        return;
    AppendMenuA(menu, MF_SEPARATOR, 0, "");
    AppendMenuA(menu, MF_STRING, IDC_ABOUT, "About");
}

/* What DragAcceptFiles does, without loading the shell for it: the shell is needed only once
 * a drop arrives. */
static void AcceptDroppedFiles(HWND dialog)
{
    LONG_PTR style = GetWindowLongPtrA(dialog, GWL_EXSTYLE);
    SetWindowLongPtrA(dialog, GWL_EXSTYLE, style | WS_EX_ACCEPTFILES);
}

static BOOL OnInitDialog(HWND dialog)
{
    /* A missing icon gives NULL here, and the system then draws its default. */
    HICON icon = LoadIconA(DialogInstance(dialog), MAKEINTRESOURCEA(IDI_MAIN));
    SetClassLongPtrA(dialog, GCLP_HICON, (LONG_PTR)icon);

    CenterWindow(dialog);

    VersionStrings version;
    ReadVersionStrings(&version);
    SetWindowTextA(dialog, version.ProductName);

    AppendAboutToSystemMenu(dialog);

    ConfigureSpinField(&LatitudeField, GetDlgItem(dialog, IDC_CENTER_LAT), 90.0, -90.0, 0.1, 1.0, 3, SPIN_DECIMAL);
    ConfigureSpinField(&LongitudeField, GetDlgItem(dialog, IDC_CENTER_LON), 180.0, -180.0, 0.1, 1.0, 3, SPIN_DECIMAL);
    ConfigureSpinField(&RadiusField, GetDlgItem(dialog, IDC_RADIUS), 180.0, 0.0, 1.0, 5.0, 0, SPIN_INTEGER);

    LoadPanelSettings(dialog);
    AcceptDroppedFiles(dialog);
    return TRUE; /* the system focuses the first tab stop, the input file */
}

static void OnCancel(HWND dialog)
{
    SavePanelSettings(dialog);
    EndDialog(dialog, IDCANCEL);
}

static void OnPartialToggled(HWND dialog)
{
    EnablePartialFields(SendDlgItemMessageA(dialog, IDC_PARTIAL, BM_GETCHECK, 0, 0) == BST_CHECKED);
}

static void ShowAbout(HWND dialog)
{
    DialogBoxParamA(DialogInstance(dialog), MAKEINTRESOURCEA(IDD_ABOUT), dialog, AboutDlgProc, 0);
}

static void ShowObjectIdGenerator(HWND dialog)
{
    DialogBoxParamA(DialogInstance(dialog), MAKEINTRESOURCEA(IDD_OBJID), dialog, ObjIdDlgProc, 0);
}

static void OnCommand(HWND dialog, int id)
{
    switch (id) {
    case IDC_GO: OnGo(dialog); break;
    case IDCANCEL: OnCancel(dialog); break;
    case IDC_BROWSE: OnBrowse(dialog); break;
    case IDC_PARTIAL: OnPartialToggled(dialog); break;
    case IDC_ABOUT: ShowAbout(dialog); break;
    case IDC_OBJID: ShowObjectIdGenerator(dialog); break;
    }
}

INT_PTR CALLBACK MainDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_COMMAND: OnCommand(dialog, LOWORD(wParam)); break;
    case WM_DROPFILES: OnDropFiles(dialog, (HDROP)wParam); break;
    case WM_SYSCOMMAND:
        if (LOWORD(wParam) == IDC_ABOUT)
            ShowAbout(dialog);
        break;
    }
    return FALSE;
}
