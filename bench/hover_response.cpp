// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

/* Hover response as a user sees it, on the screen a desktop is drawn to.
 *
 *   hover_response <target-x> <target-y> <probe-x> <probe-y> <away-x> <away-y> <rounds>
 *
 * Each round warps the pointer to the away point, waits until a 24 x 24
 * patch around the probe point is still, then warps it to the target and
 * times the first change of that patch (the card starting to draw). It then
 * warps back to the away point and times the first change of a patch 400
 * points lower, in the card's lower part, which goes first as it shrinks (the
 * card starting to close), and until the first patch is back to what it was
 * (the card gone). Uses DISPLAY; prints the median, minimum and maximum
 * of each in milliseconds. Exits 1 when a change takes over 5 s. */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

constexpr int Patch = 24;
constexpr double TimeoutS = 5;

double now_ms()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

void sleep_ms(double ms)
{
    timespec ts { time_t(ms / 1000), long(ms * 1e6) % 1000000000L };
    nanosleep(&ts, nullptr);
}

std::vector<unsigned long> grab(Display *dpy, int x, int y)
{
    XImage *image = XGetImage(dpy, DefaultRootWindow(dpy), x, y, Patch, Patch, AllPlanes, ZPixmap);
    std::vector<unsigned long> pixels;
    if (!image)
        return pixels;
    pixels.reserve(Patch * Patch);
    for (int j = 0; j < Patch; ++j)
        for (int i = 0; i < Patch; ++i)
            pixels.push_back(XGetPixel(image, i, j));
    XDestroyImage(image);
    return pixels;
}

void warp(Display *dpy, int x, int y)
{
    XWarpPointer(dpy, None, DefaultRootWindow(dpy), 0, 0, 0, 0, x, y);
    XFlush(dpy);
}

// Polls until the patch differs from (or, with `equal`, matches) `reference`.
double wait_patch(Display *dpy, int x, int y, const std::vector<unsigned long> &reference, bool equal)
{
    const double start = now_ms();
    while (now_ms() - start < TimeoutS * 1000) {
        if ((grab(dpy, x, y) == reference) == equal)
            return now_ms() - start;
        sleep_ms(1);
    }
    return -1;
}

// A patch that stays the same for 300 ms: the screen has settled.
std::vector<unsigned long> settled(Display *dpy, int x, int y)
{
    std::vector<unsigned long> last = grab(dpy, x, y);
    double since = now_ms();
    const double start = since;
    while (now_ms() - since < 300 && now_ms() - start < TimeoutS * 1000) {
        sleep_ms(20);
        std::vector<unsigned long> next = grab(dpy, x, y);
        if (next != last) {
            last = std::move(next);
            since = now_ms();
        }
    }
    return last;
}

void summary(const char *what, std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    std::printf("%s median %.1f ms min %.1f ms max %.1f ms (%zu rounds)\n", what, values[values.size() / 2],
        values.front(), values.back(), values.size());
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 8) {
        std::fprintf(stderr, "usage: %s target-x target-y probe-x probe-y away-x away-y rounds\n", argv[0]);
        return 2;
    }
    int v[7];
    for (int i = 0; i < 7; ++i)
        v[i] = std::atoi(argv[i + 1]);
    Display *dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "hover_response: cannot open the display\n");
        return 2;
    }
    const int px = v[2] - Patch / 2, py = v[3] - Patch / 2;
    std::vector<unsigned long> idle_patch;
    std::vector<double> open, closeStarts, close;
    const int bottom = py + 400;
    // Times one change of the patch against the idle screen, or gives up.
    const auto timed = [&](std::vector<double> &into, bool back, const char *failure, int round) {
        const double ms = wait_patch(dpy, px, py, idle_patch, back);
        if (ms < 0)
            std::fprintf(stderr, "hover_response: round %d: %s\n", round, failure);
        into.push_back(ms);
        return ms >= 0;
    };
    for (int round = 1; round <= v[6]; ++round) {
        warp(dpy, v[4], v[5]);
        idle_patch = settled(dpy, px, py);
        warp(dpy, v[0], v[1]);
        if (!timed(open, false, "the card never drew", round))
            return 1;
        settled(dpy, px, py);
        const std::vector<unsigned long> open_bottom = settled(dpy, px, bottom);
        // Back out through the card's body, as a pointer leaving it would.
        warp(dpy, v[2], v[3]);
        sleep_ms(50);
        warp(dpy, v[4], v[5]);
        const double left = now_ms();
        const double starts = wait_patch(dpy, px, bottom, open_bottom, false);
        if (starts < 0) {
            std::fprintf(stderr, "hover_response: round %d: the card never started to close\n", round);
            return 1;
        }
        closeStarts.push_back(starts);
        if (wait_patch(dpy, px, py, idle_patch, true) < 0) {
            std::fprintf(stderr, "hover_response: round %d: the card never went away\n", round);
            return 1;
        }
        close.push_back(now_ms() - left);
    }
    summary("open", open);
    summary("collapse starts", closeStarts);
    summary("collapse", close);
    XCloseDisplay(dpy);
    return 0;
}
