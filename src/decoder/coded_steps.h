/*
 * The second way newest-generation polygons code their points: the changes of step from point
 * to point, by bit planes with an adaptive run-length code (coded_steps.cpp).
 */
#ifndef MORVANE_CODED_STEPS_H
#define MORVANE_CODED_STEPS_H

#include <stddef.h>
#include <stdint.h>
#include <vector>

/* The `count` changes of step the `size` bytes at `p` code (x, y, x, y...), into `changes`;
 * false when the bytes end early, do not end where the code does, or contradict it. */
bool DecodeStepChanges(const unsigned char *p, size_t size, size_t count, std::vector<int32_t> &changes);

#endif
