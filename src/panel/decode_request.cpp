/*
 * "..." and "&Go!": pick the input file with the Open dialog; ask for the output file with the
 * Save dialog, collect the panel into a decode request and run the decoder. Each dialog opens
 * in the folder of the file last chosen in it, kept in the program's registry key. A file
 * dropped on the panel is taken as the input file too.
 */
#include "panel/panel.h"

#include <stdlib.h>

#include "panel/core/panel_codec.h"
#include "panel/panel_fields.h"
#include "resource.h"
#include "run/run.h"
#include "settings/regstore.h"
#include "ui/ui.h"

static const int BROWSE_BUFFER = 512;
static const int GO_BUFFER = 260;

static const char InputFilter[] = "BGL Files (*.bgl)\0*.bgl\0All files (*.*)\0*.*\0";
static const char OutputFilter[] = "XML Files (*.xml)\0*.xml\0All files (*.*)\0*.*\0";

static void PrepareFileDialog(OPENFILENAMEA *dialogInfo, HWND dialog, const char *filter, char *file, DWORD fileSize,
                              const char *initialFolder, DWORD flags, const char *defaultExtension)
{
    ZeroMemory(dialogInfo, sizeof *dialogInfo);
    /* The record without the Windows 2000 members: 76 bytes in the 32-bit build, and the
     * same members with 64-bit pointers in the 64-bit build. */
    dialogInfo->lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    dialogInfo->hwndOwner = dialog;
    dialogInfo->hInstance = (HINSTANCE)GetWindowLongPtrA(dialog, GWLP_HINSTANCE);
    dialogInfo->lpstrFilter = filter;
    dialogInfo->nFilterIndex = 0;
    dialogInfo->lpstrFile = file;
    dialogInfo->nMaxFile = fileSize;
    dialogInfo->lpstrInitialDir = initialFolder;
    dialogInfo->Flags = flags;
    dialogInfo->lpstrDefExt = defaultExtension;
}

void OnBrowse(HWND dialog)
{
    RegStore store;
    RegStoreInit(&store, AppKeyPath);
    const ValueName folderName = SettingValueName(IDC_BROWSE);

    char folder[BROWSE_BUFFER];
    RegStoreGetString(&store, "", folderName.text, folder, "", sizeof folder);
    char file[BROWSE_BUFFER] = "";
    OPENFILENAMEA dialogInfo;
    PrepareFileDialog(&dialogInfo, dialog, InputFilter, file, sizeof file, folder, OFN_EXPLORER, "bgl");

    if (LateGetOpenFileName(&dialogInfo)) {
        SetDlgItemTextA(dialog, IDC_INPUT_FILE, file);
        FolderOfPath(file, dialogInfo.nFileOffset, folder, sizeof folder);
        RegStoreSetString(&store, "", folderName.text, folder);
    }
    RegStoreClose(&store);
}

void OnDropFiles(HWND dialog, HDROP drop)
{
    /* The first file only; its whole path, however long, as typing it would give. */
    UINT length = LateDragQueryFile(drop, 0, NULL, 0);
    char *path = length ? (char *)malloc(length + 1) : NULL;
    if (path && LateDragQueryFile(drop, 0, path, length + 1) == length) {
        DWORD attributes = GetFileAttributesA(path);
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            SetDlgItemTextA(dialog, IDC_INPUT_FILE, path);
    }
    free(path);
    LateDragFinish(drop);
}

static unsigned ReadDecodeFlags(HWND dialog)
{
    static const struct {
        int id;
        unsigned bit;
    } boxes[] = {{IDC_QUIET, DF_QUIET}, {IDC_MILES, DF_MILES}, {IDC_FEET, DF_FEET}, {IDC_DMS, DF_DMS},
                 {IDC_PARTIAL, DF_PARTIAL}};
    unsigned flags = 0;
    for (const auto &box : boxes)
        if (SendDlgItemMessageA(dialog, box.id, BM_GETCHECK, 0, 0) == BST_CHECKED)
            flags |= box.bit;
    return flags;
}

/* Reads the panel as it is now and runs the decode; returns when the Result window is gone. */
static void StartDecode(HWND dialog, char *inputPath, const char *outputPath)
{
    GetDlgItemTextA(dialog, IDC_INPUT_FILE, inputPath, GO_BUFFER);
    unsigned flags = ReadDecodeFlags(dialog);
    UpdateWindow(dialog);
    double longitude = SpinFieldGetValue(&LongitudeField);
    double latitude = SpinFieldGetValue(&LatitudeField);
    int radius = TruncateToInt32(SpinFieldGetValue(&RadiusField));
    RunDecoder(dialog, inputPath, outputPath, flags, radius, latitude, longitude);
}

void OnGo(HWND dialog)
{
    RegStore store;
    RegStoreInit(&store, AppKeyPath);
    const ValueName folderName = SettingValueName(IDC_GO);

    /* Holds the remembered folder, and then the input path once the folder is written. */
    char text[GO_BUFFER];
    RegStoreGetString(&store, "", folderName.text, text, "", sizeof text);
    char outputPath[GO_BUFFER] = "";
    OPENFILENAMEA dialogInfo;
    PrepareFileDialog(&dialogInfo, dialog, OutputFilter, outputPath, sizeof outputPath, text,
                      OFN_EXPLORER | OFN_OVERWRITEPROMPT, "txt");

    if (LateGetSaveFileName(&dialogInfo)) {
        FolderOfPath(outputPath, dialogInfo.nFileOffset, text, sizeof text);
        RegStoreSetString(&store, "", folderName.text, text);
        StartDecode(dialog, text, outputPath);
    }
    RegStoreClose(&store);
}
