/*
 * A decode as the panel hands it to the decoder run, and its option bits.
 */
#ifndef VANTREL_DECODE_REQUEST_H
#define VANTREL_DECODE_REQUEST_H

/* The window handle type, declared here so this header needs no windows.h. */
struct HWND__;
typedef HWND__ *HWND;

enum DecodeFlags {
    DF_DMS = 0x01,
    DF_MILES = 0x02,
    DF_FEET = 0x04,
    DF_QUIET = 0x08,
    DF_PARTIAL = 0x10,
};

struct DecodeRequest {
    HWND owner;
    const char *inputPath;
    const char *outputPath;
    unsigned flags;
    int radius;
    double centerLatitude;
    double centerLongitude;
};

#endif
