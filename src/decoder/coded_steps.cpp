/*
 * Points coded 1 in section 0x65 (corpus: the thirty-one such polygons of EDGX/EDGX.bgl,
 * KDKX/KDKX.bgl and KPSC/KPSC.bgl against their sources; no published description covers them).
 * The values are the changes of step, x and y of each in turn. The first byte is their bit width
 * shifted left by 2; the rest is read most significant bit first, by bit planes from the top:
 * - a plane begins on a byte boundary with one raw bit for each value already found, in order;
 * - then the values not yet found are run-length coded with an adaptive parameter kp, 8 at the
 *   start of every plane, k = kp / 8: a 0 stands for 2^k values below the plane (kp += 4 while k
 *   is 0, 5 after); a 1 is a value reaching it, then its sign (1 negative), then in k bits how
 *   many values below the plane came before it (kp -= 3 while k is 0, 6 after, not below 0);
 *   a run the plane's end cuts short is written as a 0 all the same.
 * Whether kp has a ceiling no corpus polygon shows (none has more than 34 points); none is assumed.
 */
#include "coded_steps.h"

namespace {

struct BitReader {
    const unsigned char *p;
    size_t bits; /* how many there are */
    size_t at;   /* the next one */
};

bool ReadBits(BitReader &r, unsigned count, uint32_t *value)
{
    if (r.bits - r.at < count)
        return false;
    uint32_t v = 0;
    for (unsigned i = 0; i < count; ++i, ++r.at)
        v = v << 1 | (uint32_t)(r.p[r.at >> 3] >> (7 - (r.at & 7)) & 1);
    *value = v;
    return true;
}

/* The values not yet found that reach plane `bit`. */
bool ReadSignificance(BitReader &r, unsigned bit, std::vector<uint32_t> &magnitude, std::vector<bool> &negative,
                      std::vector<size_t> &waiting)
{
    unsigned kp = 8;
    size_t next = 0, kept = 0;
    while (next < waiting.size()) {
        unsigned k = kp >> 3;
        uint32_t flag, sign, run = 0;
        if (!ReadBits(r, 1, &flag))
            return false;
        if (!flag) {
            size_t span = k >= 32 ? waiting.size() : (size_t)1 << k;
            for (size_t end = next + span; next < end && next < waiting.size(); ++next)
                waiting[kept++] = waiting[next];
            kp += k ? 5 : 4;
            continue;
        }
        if (!ReadBits(r, 1, &sign) || (k && !ReadBits(r, k > 31 ? 31 : k, &run)) || run >= waiting.size() - next)
            return false;
        for (size_t end = next + run; next < end; ++next)
            waiting[kept++] = waiting[next];
        size_t found = waiting[next++];
        magnitude[found] |= 1u << bit;
        negative[found] = sign != 0;
        kp = kp > (k ? 6u : 3u) ? kp - (k ? 6u : 3u) : 0;
    }
    waiting.resize(kept);
    return true;
}

} // namespace

bool DecodeStepChanges(const unsigned char *p, size_t size, size_t count, std::vector<int32_t> &changes)
{
    if (size == 0)
        return count == 0;
    unsigned width = p[0] >> 2;
    if (width > 31)
        return false;
    BitReader r = {p + 1, (size - 1) * 8, 0};
    std::vector<uint32_t> magnitude(count, 0);
    std::vector<bool> negative(count, false);
    std::vector<size_t> waiting(count);
    for (size_t i = 0; i < count; ++i)
        waiting[i] = i;
    for (unsigned bit = width; bit-- > 0;) {
        /* A value found in a plane above is the one with a magnitude already. */
        for (size_t i = 0; i < count; ++i) {
            uint32_t b;
            if (!magnitude[i])
                continue;
            if (!ReadBits(r, 1, &b))
                return false;
            magnitude[i] |= b << bit;
        }
        if (!ReadSignificance(r, bit, magnitude, negative, waiting))
            return false;
        r.at = (r.at + 7) & ~(size_t)7;
    }
    if (r.at != r.bits)
        return false;
    changes.resize(count);
    for (size_t i = 0; i < count; ++i)
        changes[i] = negative[i] ? -(int32_t)magnitude[i] : (int32_t)magnitude[i];
    return true;
}
