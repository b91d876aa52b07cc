/*
 * The Result window (not built yet).
 */
#include "run/run.h"

void RunDecoder(HWND, const char *, const char *, unsigned, int, double, double)
{
}
