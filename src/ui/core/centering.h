/*
 * Where a window goes to sit in the middle of the screen.
 */
#ifndef VANTREL_CENTERING_H
#define VANTREL_CENTERING_H

struct ScreenPoint {
    int x;
    int y;
};

/* Halves each size on its own, rounding down, before subtracting; a window larger than the
 * screen gets a negative position. */
ScreenPoint CenteredOrigin(int screenWidth, int screenHeight, int windowWidth, int windowHeight);

#endif
