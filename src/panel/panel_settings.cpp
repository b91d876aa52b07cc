/*
 * The panel as the user left it: restored from the program's registry key when the main
 * dialog opens, stored when it is dismissed. Each value is named after its control.
 */
#include "panel/panel.h"

#include "panel/core/panel_codec.h"
#include "panel/panel_fields.h"
#include "resource.h"
#include "settings/regstore.h"

/* The stored input path is at most 511 characters. */
static const int INPUT_PATH_BUFFER = 512;

static const int FLAG_BOXES[] = {IDC_QUIET, IDC_FEET, IDC_MILES, IDC_DMS, IDC_PARTIAL};

static DWORD LoadCheckBox(HWND dialog, const RegStore *store, int id)
{
    DWORD state = RegStoreGetFlag(store, "", SettingValueName(id).text, 0);
    SendDlgItemMessageA(dialog, id, BM_SETCHECK, state ? BST_CHECKED : BST_UNCHECKED, 0);
    return state;
}

void LoadPanelSettings(HWND dialog)
{
    RegStore store;
    RegStoreInit(&store, AppKeyPath); /* creates the key on the first run */

    char inputPath[INPUT_PATH_BUFFER];
    RegStoreGetString(&store, "", SettingValueName(IDC_INPUT_FILE).text, inputPath, "", sizeof inputPath);
    SetDlgItemTextA(dialog, IDC_INPUT_FILE, inputPath);

    LoadCheckBox(dialog, &store, IDC_QUIET);
    LoadCheckBox(dialog, &store, IDC_FEET);
    LoadCheckBox(dialog, &store, IDC_MILES);
    LoadCheckBox(dialog, &store, IDC_DMS);
    EnablePartialFields(LoadCheckBox(dialog, &store, IDC_PARTIAL) != 0);

    SpinFieldSetValue(&LatitudeField, DecodeLatitude(RegStoreGetNumber(&store, "", SettingValueName(IDC_CENTER_LAT).text, 0)));
    SpinFieldSetValue(&LongitudeField, DecodeLongitude(RegStoreGetNumber(&store, "", SettingValueName(IDC_CENTER_LON).text, 0)));
    SpinFieldSetValue(&RadiusField, DecodeRadius(RegStoreGetNumber(&store, "", SettingValueName(IDC_RADIUS).text, 0)));

    RegStoreClose(&store);
}

void SavePanelSettings(HWND dialog)
{
    RegStore store;
    RegStoreInit(&store, AppKeyPath);

    char inputPath[INPUT_PATH_BUFFER] = "";
    GetDlgItemTextA(dialog, IDC_INPUT_FILE, inputPath, sizeof inputPath);
    RegStoreSetString(&store, "", SettingValueName(IDC_INPUT_FILE).text, inputPath);

    for (int id : FLAG_BOXES) {
        DWORD state = SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
        RegStoreSetFlag(&store, "", SettingValueName(id).text, state);
    }

    RegStoreSetNumber(&store, "", SettingValueName(IDC_CENTER_LAT).text, EncodeLatitude(SpinFieldGetValue(&LatitudeField)));
    RegStoreSetNumber(&store, "", SettingValueName(IDC_CENTER_LON).text, EncodeLongitude(SpinFieldGetValue(&LongitudeField)));
    RegStoreSetNumber(&store, "", SettingValueName(IDC_RADIUS).text, EncodeRadius(SpinFieldGetValue(&RadiusField)));

    RegStoreClose(&store);
}
