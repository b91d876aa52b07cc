/*
 * How the panel's values are kept in the registry: the value names, the integer encodings of
 * latitude, longitude and radius, and the folder of a chosen file.
 */
#ifndef VANTREL_PANEL_CODEC_H
#define VANTREL_PANEL_CODEC_H

#include <cstddef>
#include <cstdint>

/* The registry value name of a control: its id in lower-case hexadecimal ("%x"). */
struct ValueName {
    char text[32];
};
ValueName SettingValueName(int controlId);

/* The stored 32-bit integers, and the numbers they restore to. */
uint32_t EncodeLatitude(double latitude);
double DecodeLatitude(uint32_t stored);
uint32_t EncodeLongitude(double longitude);
double DecodeLongitude(uint32_t stored);
uint32_t EncodeRadius(double radius);
double DecodeRadius(uint32_t stored);

/* Truncation toward zero to a 32-bit signed integer, saturating outside its range. */
int32_t TruncateToInt32(double value);

/* The first `fileOffset` characters of `path` (the folder, with the separator before the
 * file name) into `out`, always NUL-terminated within `outSize` bytes. */
void FolderOfPath(const char *path, size_t fileOffset, char *out, size_t outSize);

#endif
