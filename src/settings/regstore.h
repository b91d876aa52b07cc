/*
 * The settings store: a thin layer over the registry that opens the program's key (creating
 * it when missing), reads values with a caller's default and writes them. Failures show only
 * as results: a read gives its default, a write gives false.
 */
#ifndef VANTREL_REGSTORE_H
#define VANTREL_REGSTORE_H

#include <windows.h>

extern const char AppKeyPath[];

/* One open key, held for the length of one handler. */
struct RegStore {
    HKEY key;       /* null when none is open */
    HKEY root;      /* HKEY_CURRENT_USER */
    char path[1024]; /* path of `key` below `root`, no leading backslash */
    REGSAM access;
};

bool IsRelativeKeyPath(const char *path);
HKEY RegStoreBaseKey(const RegStore *store, bool relative);

bool RegStoreInit(RegStore *store, const char *keyPath);
bool RegStoreOpen(RegStore *store, const char *keyPath, bool create);
void RegStoreClose(RegStore *store);
HKEY RegStoreOpenSubkey(const RegStore *store, const char *subPath);
bool RegStoreCreateSubkey(const RegStore *store, const char *subPath);
bool RegStoreValueExists(HKEY handle, const char *name);

DWORD RegStoreGetNumber(const RegStore *store, const char *subPath, const char *name, DWORD defaultValue);
DWORD RegStoreGetFlag(const RegStore *store, const char *subPath, const char *name, DWORD defaultValue);
bool RegStoreSetNumber(const RegStore *store, const char *subPath, const char *name, DWORD value);
bool RegStoreSetFlag(const RegStore *store, const char *subPath, const char *name, DWORD value);

/* Returns the byte count the registry reported for the text, or 0 when the default was copied. */
DWORD RegStoreGetString(const RegStore *store, const char *subPath, const char *name, char *buffer,
                        const char *defaultText, DWORD bufferSize);
bool RegStoreSetString(const RegStore *store, const char *subPath, const char *name, const char *text);
DWORD RegStoreWriteValue(HKEY handle, const char *name, const void *data, DWORD size, DWORD type);

#endif
