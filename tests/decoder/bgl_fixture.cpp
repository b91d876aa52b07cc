// Writes a BGL fixture: one record of each kind the decoder reads and one it skips, then as
// many extra waypoints as asked for (28 bytes each; about 1.9 million make 50 MB); or, with
// "cmdline", the file the decoder's command-line table runs on.
//   bgl_fixture OUT.bgl [EXTRA_WAYPOINTS | cmdline]
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "bgl_writer.h"

int main(int argc, char **argv)
{
    if (argc < 2 || argc > 3) {
        fprintf(stderr, "usage: bgl_fixture OUT.bgl [EXTRA_WAYPOINTS | cmdline]\n");
        return 2;
    }
    bool commandLine = argc == 3 && strcmp(argv[2], "cmdline") == 0;
    std::vector<FixtureRecord> records = commandLine ? CommandLineRecords() : SampleRecords();
    for (long i = 0, extra = argc == 3 && !commandLine ? atol(argv[2]) : 0; i < extra; ++i)
        records.push_back({0x22, WaypointRecord({40.0 + (i % 2000) * 0.01, -10.0 + (i / 2000) * 0.02, 0}, 2.5f, "WP", "ED")});
    std::string bytes = WriteBgl(records, commandLine ? 3 : 0);
    FILE *file = fopen(argv[1], "wb");
    if (!file || fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || fclose(file) != 0) {
        fprintf(stderr, "bgl_fixture: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
