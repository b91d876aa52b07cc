/*
 * The decoder run: what "&Go!" hands over, and the Result window that runs the decoder
 * and shows its output.
 */
#ifndef VANTREL_RUN_H
#define VANTREL_RUN_H

#include <windows.h>

#include "run/core/decode_request.h"

/* Runs one decode with the Result window over `owner`; returns once the user has dismissed it. */
void RunDecoder(HWND owner, const char *inputPath, const char *outputPath, unsigned flags, int radius,
                double centerLatitude, double centerLongitude);

#endif
