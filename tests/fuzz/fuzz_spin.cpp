// Arbitrary text through the numeric fields' reader and writer, and arbitrary key paths
// through the settings store's path handling: nothing may read or write out of bounds.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "panel/core/panel_codec.h"
#include "panel/core/spin_text.h"
#include "settings/core/key_path.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    unsigned char kind = data[0] % 3, decimals = data[1];
    std::vector<char> text(data + 2, data + size);
    text.push_back('\0');

    double value = SpinParseText(kind, text.data());
    char formatted[SPIN_FORMAT_BUFFER];
    SpinFormatValue(kind, decimals, value, formatted, sizeof formatted);
    SpinParseText(kind, formatted);

    double raw;
    if (size >= 2 + sizeof raw) {
        memcpy(&raw, data + 2, sizeof raw);
        SpinFormatValue(kind, decimals, raw, formatted, sizeof formatted);
        EncodeLatitude(raw);
        EncodeLongitude(raw);
        TruncateToInt32(raw);
    }

    char path[1024];
    ResolveKeyPath(text.data(), KEY_PATH_MAX, path, sizeof path);
    JoinKeyPath(text.data(), text.data(), KEY_PATH_MAX, path, sizeof path);
    char folder[260];
    FolderOfPath(text.data(), decimals * 4u, folder, sizeof folder);
    std::vector<char> stored(data + 2, data + size);
    TerminateRegistryText(stored.data(), stored.size(), decimals % (stored.size() + 1));
    return 0;
}
