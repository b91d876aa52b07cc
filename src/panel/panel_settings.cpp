/*
 * Panel persistence (not built yet): the panel starts with its defaults.
 */
#include "panel/panel.h"
#include "resource.h"

void LoadPanelSettings(HWND dialog)
{
    EnablePartialFields(IsDlgButtonChecked(dialog, IDC_PARTIAL) == BST_CHECKED);
}

void SavePanelSettings(HWND)
{
}
