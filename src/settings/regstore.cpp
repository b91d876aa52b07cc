/*
 * The settings store. Every value operation opens a handle of its own and closes it before
 * returning, so the store's open key is the same before and after.
 */
#include "settings/regstore.h"

#include <cstring>

#include "settings/core/key_path.h"

const char AppKeyPath[] = "Software\\Halvorik\\Vantrel";

HKEY RegStoreBaseKey(const RegStore *store, bool relative)
{
    return (store->key && relative) ? store->key : store->root;
}

bool RegStoreInit(RegStore *store, const char *keyPath)
{
    store->key = NULL;
    store->root = HKEY_CURRENT_USER;
    store->access = KEY_ALL_ACCESS;
    memset(store->path, 0, sizeof store->path);
    return RegStoreOpen(store, keyPath, true);
}

static LONG CreateKey(HKEY base, const char *path, REGSAM access, HKEY *handle)
{
    DWORD disposition;
    return RegCreateKeyExA(base, path, 0, NULL, REG_OPTION_NON_VOLATILE, access, NULL, handle, &disposition);
}

bool RegStoreOpen(RegStore *store, const char *keyPath, bool create)
{
    char working[KEY_PATH_MAX + 1];
    if (!ResolveKeyPath(keyPath, KEY_PATH_MAX, working, sizeof working))
        return false;
    bool relative = IsRelativeKeyPath(keyPath);

    /* The new path text is built first, so a path that would not fit fails before any change. */
    char newPath[sizeof store->path];
    const char *base = (store->key && relative) ? store->path : "";
    if (!JoinKeyPath(base, working, KEY_PATH_MAX, newPath, sizeof newPath))
        return false;

    HKEY handle = NULL;
    HKEY baseKey = RegStoreBaseKey(store, relative);
    LONG status = (create && working[0]) ? CreateKey(baseKey, working, store->access, &handle)
                                         : RegOpenKeyExA(baseKey, working, 0, store->access, &handle);
    if (status != ERROR_SUCCESS)
        return false;

    if (store->key) {
        RegCloseKey(store->key);
        memset(store->path, 0, sizeof store->path);
    }
    store->key = handle;
    strcpy(store->path, newPath);
    return true;
}

void RegStoreClose(RegStore *store)
{
    if (!store->key)
        return;
    RegCloseKey(store->key);
    store->key = NULL;
    memset(store->path, 0, sizeof store->path);
}

HKEY RegStoreOpenSubkey(const RegStore *store, const char *subPath)
{
    char working[SUBKEY_PATH_MAX + 1];
    if (!ResolveKeyPath(subPath, SUBKEY_PATH_MAX, working, sizeof working))
        return NULL;
    HKEY handle = NULL;
    if (RegOpenKeyExA(RegStoreBaseKey(store, IsRelativeKeyPath(subPath)), working, 0, KEY_ALL_ACCESS, &handle) !=
        ERROR_SUCCESS)
        return NULL;
    return handle;
}

bool RegStoreCreateSubkey(const RegStore *store, const char *subPath)
{
    char working[KEY_PATH_MAX + 1];
    if (!ResolveKeyPath(subPath, KEY_PATH_MAX, working, sizeof working))
        return false;
    HKEY handle = NULL;
    if (CreateKey(RegStoreBaseKey(store, IsRelativeKeyPath(subPath)), working, KEY_ALL_ACCESS, &handle) !=
        ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

bool RegStoreValueExists(HKEY handle, const char *name)
{
    DWORD type, size;
    return RegQueryValueExA(handle, name, NULL, &type, NULL, &size) == ERROR_SUCCESS;
}

DWORD RegStoreGetNumber(const RegStore *store, const char *subPath, const char *name, DWORD defaultValue)
{
    HKEY handle = RegStoreOpenSubkey(store, subPath);
    if (!handle)
        return defaultValue;
    DWORD result = defaultValue;
    if (RegStoreValueExists(handle, name)) {
        DWORD number = 0, type = 0, size = sizeof number;
        if (RegQueryValueExA(handle, name, NULL, &type, (BYTE *)&number, &size) == ERROR_SUCCESS &&
            type == REG_DWORD && size == sizeof number)
            result = number;
    }
    RegCloseKey(handle);
    return result;
}

DWORD RegStoreGetFlag(const RegStore *store, const char *subPath, const char *name, DWORD defaultValue)
{
    return RegStoreGetNumber(store, subPath, name, defaultValue);
}

bool RegStoreSetNumber(const RegStore *store, const char *subPath, const char *name, DWORD value)
{
    RegStoreCreateSubkey(store, subPath);
    HKEY handle = RegStoreOpenSubkey(store, subPath);
    if (!handle)
        return false;
    bool written = RegStoreWriteValue(handle, name, &value, sizeof value, REG_DWORD) == sizeof value;
    RegCloseKey(handle);
    return written;
}

bool RegStoreSetFlag(const RegStore *store, const char *subPath, const char *name, DWORD value)
{
    return RegStoreSetNumber(store, subPath, name, value);
}

/* The text value into the buffer, NUL-terminated; the reported byte count, or 0. */
static DWORD QueryText(HKEY handle, const char *name, char *buffer, DWORD bufferSize)
{
    if (!RegStoreValueExists(handle, name))
        return 0;
    DWORD type = 0, size = bufferSize;
    if (RegQueryValueExA(handle, name, NULL, &type, (BYTE *)buffer, &size) != ERROR_SUCCESS || type != REG_SZ)
        return 0;
    /* A text stored without its NUL by other software is terminated here, or refused when the
     * buffer has no room left for the NUL. */
    return (DWORD)TerminateRegistryText(buffer, bufferSize, size);
}

/* A default longer than the buffer is cut to fit rather than written past its end. */
static void CopyDefault(char *buffer, const char *defaultText, DWORD bufferSize)
{
    if (bufferSize == 0)
        return;
    size_t length = strnlen(defaultText, bufferSize - 1);
    memcpy(buffer, defaultText, length);
    buffer[length] = '\0';
}

DWORD RegStoreGetString(const RegStore *store, const char *subPath, const char *name, char *buffer,
                        const char *defaultText, DWORD bufferSize)
{
    DWORD count = 0;
    HKEY handle = RegStoreOpenSubkey(store, subPath);
    if (handle) {
        count = QueryText(handle, name, buffer, bufferSize);
        RegCloseKey(handle);
    }
    if (count != 0)
        return count;
    CopyDefault(buffer, defaultText, bufferSize);
    return 0;
}

bool RegStoreSetString(const RegStore *store, const char *subPath, const char *name, const char *text)
{
    DWORD size = (DWORD)strlen(text) + 1; /* the NUL is always stored */
    RegStoreCreateSubkey(store, subPath);
    HKEY handle = RegStoreOpenSubkey(store, subPath);
    if (!handle)
        return false;
    bool written = RegStoreWriteValue(handle, name, text, size, REG_SZ) == size;
    RegCloseKey(handle);
    return written;
}

DWORD RegStoreWriteValue(HKEY handle, const char *name, const void *data, DWORD size, DWORD type)
{
    return RegSetValueExA(handle, name, 0, type, (const BYTE *)data, size) == ERROR_SUCCESS ? size : 0;
}
