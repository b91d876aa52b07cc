/*
 * Centring arithmetic, kept apart from the window calls so it can be checked on its own.
 */
#include "ui/core/centering.h"

ScreenPoint CenteredOrigin(int screenWidth, int screenHeight, int windowWidth, int windowHeight)
{
    /* An arithmetic shift rounds toward minus infinity, also for odd negative sizes. */
    ScreenPoint p;
    p.x = (screenWidth >> 1) - (windowWidth >> 1);
    p.y = (screenHeight >> 1) - (windowHeight >> 1);
    return p;
}
