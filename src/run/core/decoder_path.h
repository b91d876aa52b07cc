/*
 * Where the decoder is looked for: beside the program, then in the folders of PATH, never in
 * the current folder. Pure text work: no windows.h.
 */
#ifndef VANTREL_DECODER_PATH_H
#define VANTREL_DECODER_PATH_H

#include <stddef.h>

/* The decoder's file name, as the command line also names it. */
#define DECODER_FILE_NAME "morvane.exe"

/* True for a folder that names its place whole: "C:\..." or "C:/..." or "\\server\share...".
 * A relative entry (".", "maps", "C:maps", "\maps") would be resolved against the current
 * folder, which is often a downloaded scenery folder, so it never counts. */
int IsAbsoluteFolder(const char *folder, size_t length);

/* Writes `folder` (its first `length` characters; surrounding double quotes dropped) joined
 * with the decoder's file name into `out`. Returns 0, writing nothing useful, when the folder
 * is not absolute or the whole path does not fit in `size` bytes. */
int DecoderPathIn(const char *folder, size_t length, char *out, size_t size);

/* The folder part of a program's own full path: everything up to its last backslash or
 * slash; 0 when there is none. */
size_t FolderLength(const char *path);

/* Steps through a semicolon-separated folder list such as PATH: sets `*entry` and `*length`
 * to the next entry after `*cursor` (empty entries skipped) and advances `*cursor`. Returns 0
 * when no entry is left. */
int NextFolderEntry(const char **cursor, const char **entry, size_t *length);

#endif
