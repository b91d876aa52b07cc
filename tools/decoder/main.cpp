/*
 * morvane.exe, the contract decoder (not built yet).
 */
#include <stdio.h>

int main()
{
    fprintf(stderr, "morvane: not built yet\n");
    return 1;
}
