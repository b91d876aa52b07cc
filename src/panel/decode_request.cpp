/*
 * "..." and "&Go!" (not built yet).
 */
#include "panel/panel.h"

void OnBrowse(HWND)
{
}

void OnGo(HWND)
{
}
