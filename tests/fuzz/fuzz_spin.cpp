// Arbitrary text and numbers through the numeric fields' reader and writer and the settings
// store's path handling: nothing may read or write out of bounds.
#include <cstring>
#include <vector>

#include "panel/core/panel_codec.h"
#include "panel/core/spin_text.h"
#include "settings/core/key_path.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2 + sizeof(double))
        return 0;
    unsigned char kind = data[0] % 3, decimals = data[1];
    double raw;
    memcpy(&raw, data + 2, sizeof raw);
    std::vector<char> text(data + 2, data + size);
    text.push_back('\0');

    char out[SPIN_FORMAT_BUFFER], path[1024];
    SpinFormatValue(kind, decimals, SpinParseText(kind, text.data()), out, sizeof out);
    SpinFormatValue(kind, decimals, raw, out, sizeof out);
    SpinParseText(kind, out);
    EncodeLatitude(raw);
    ResolveKeyPath(text.data(), KEY_PATH_MAX, path, sizeof path);
    JoinKeyPath(text.data(), text.data(), KEY_PATH_MAX, path, sizeof path);
    FolderOfPath(text.data(), decimals * 4u, path, 260);
    TerminateRegistryText(text.data(), size - 2, decimals % (size - 1));
    return 0;
}
