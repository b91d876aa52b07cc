/*
 * The registry encodings of the panel's values.
 */
#include "panel/core/panel_codec.h"

#include <cmath>
#include <cstdio>
#include <cstring>

ValueName SettingValueName(int controlId)
{
    ValueName name;
    snprintf(name.text, sizeof name.text, "%x", (unsigned)controlId);
    return name;
}

/* Truncation toward zero to 64 bits (saturating, NaN as 0), of which the low 32 are kept. */
static uint32_t TruncateToLow32(double value)
{
    int64_t whole;
    if (std::isnan(value))
        whole = 0;
    else if (value <= -9223372036854775808.0)
        whole = INT64_MIN;
    else if (value >= 9223372036854775808.0)
        whole = INT64_MAX;
    else
        whole = (int64_t)value;
    return (uint32_t)((uint64_t)whole & 0xFFFFFFFFu);
}

uint32_t EncodeLatitude(double latitude)
{
    return TruncateToLow32(latitude * 55565.27777777778);
}

double DecodeLatitude(uint32_t stored)
{
    return (int32_t)stored * 1.7996850551153548e-05;
}

uint32_t EncodeLongitude(double longitude)
{
    return TruncateToLow32(longitude * 46603.37777777778);
}

double DecodeLongitude(uint32_t stored)
{
    return (int32_t)stored * 2.1457672119140625e-05;
}

uint32_t EncodeRadius(double radius)
{
    return TruncateToLow32(radius);
}

double DecodeRadius(uint32_t stored)
{
    return (int32_t)stored;
}

int32_t TruncateToInt32(double value)
{
    if (std::isnan(value))
        return 0;
    if (value <= -2147483648.0)
        return INT32_MIN;
    if (value >= 2147483647.0)
        return INT32_MAX;
    return (int32_t)value;
}

void FolderOfPath(const char *path, size_t fileOffset, char *out, size_t outSize)
{
    if (outSize == 0)
        return;
    size_t length = strnlen(path, fileOffset);
    if (length >= outSize)
        length = outSize - 1;
    memmove(out, path, length); /* the caller may pass the same buffer */
    out[length] = '\0';
}
