// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

/* Drives expand and collapse cycles of the Brivane strip from outside and
 * reports the process's resident memory along the way.
 *
 *   notch_cycles <window-id> <pid> <cycles> [report-every] [cycles-done-before]
 *
 * Each cycle warps the pointer into the strip, waits until the window's
 * bounding shape has grown to the card's full height, warps it well below the
 * card and waits until the shape is back to the strip. The shape is what the
 * user sees (the window keeps the card's size; its mask is the frame), and
 * ShapeNotify events say when it changes, so no polling and no fixed sleeps.
 * Prints "cycles <n> rss_kb <kB> seconds <s>" every report-every cycles
 * (default 100; n counts on from cycles-done-before) and after the last; exits 1 if a transition takes over
 * 10 s. */
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <poll.h>

constexpr unsigned CollapsedH = 32, ExpandedH = 520;
constexpr double TimeoutS = 10;

static double now_s(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

static long rss_kb(long pid)
{
    char path[64], line[256];
    long kb = -1;
    snprintf(path, sizeof path, "/proc/%ld/status", pid);
    FILE *f = fopen(path, "r");
    if (!f)
        return -1;
    while (fgets(line, sizeof line, f))
        if (strncmp(line, "VmRSS:", 6) == 0)
            kb = strtol(line + 6, NULL, 10);
    fclose(f);
    return kb;
}

static unsigned shape_height(Display *dpy, Window w)
{
    Bool bShaped, cShaped;
    int bx, by, cx, cy;
    unsigned bw, bh, cw, ch;
    if (!XShapeQueryExtents(dpy, w, &bShaped, &bx, &by, &bw, &bh, &cShaped, &cx, &cy, &cw, &ch))
        return 0;
    return bShaped ? (unsigned)by + bh : 0;
}

/* Waits until the bounding shape's bottom edge is at `height`. */
/* Where nothing composites, the collapsed strip is shaped to nothing. */
static int has_height(Display *dpy, Window w, unsigned height)
{
    const unsigned h = shape_height(dpy, w);
    return h == height || (height == CollapsedH && h == 0);
}

static int wait_height(Display *dpy, Window w, unsigned height)
{
    const double deadline = now_s() + TimeoutS;
    for (;;) {
        if (has_height(dpy, w, height))
            return 1;
        /* Drain what came; block on the connection until the next event. */
        while (XPending(dpy)) {
            XEvent ev;
            XNextEvent(dpy, &ev);
        }
        if (has_height(dpy, w, height))
            return 1;
        const double left = deadline - now_s();
        if (left <= 0)
            return 0;
        struct pollfd pfd = { ConnectionNumber(dpy), POLLIN, 0 };
        poll(&pfd, 1, left * 1000 < 50 ? (int)(left * 1000) : 50);
    }
}

int main(int argc, char **argv)
{
    if (argc < 4) {
        fprintf(
            stderr, "usage: %s <window-id> <pid> <cycles> [report-every] [cycles-done-before]\n", argv[0]);
        return 2;
    }
    const Window w = strtoul(argv[1], NULL, 0);
    const long pid = strtol(argv[2], NULL, 10);
    const long cycles = strtol(argv[3], NULL, 10);
    const long every = argc > 4 && strtol(argv[4], NULL, 10) > 0 ? strtol(argv[4], NULL, 10) : 100;
    const long done = argc > 5 ? strtol(argv[5], NULL, 10) : 0;

    Display *dpy = XOpenDisplay(NULL);
    if (!dpy) {
        fprintf(stderr, "notch_cycles: cannot open the display\n");
        return 2;
    }
    int eventBase, errorBase;
    if (!XShapeQueryExtension(dpy, &eventBase, &errorBase)) {
        fprintf(stderr, "notch_cycles: the X server has no SHAPE extension\n");
        return 2;
    }
    XShapeSelectInput(dpy, w, ShapeNotifyMask);

    XWindowAttributes attrs;
    XGetWindowAttributes(dpy, w, &attrs);
    int wx, wy;
    Window child;
    XTranslateCoordinates(dpy, w, attrs.root, 0, 0, &wx, &wy, &child);
    const int insideX = wx + attrs.width / 2, insideY = wy + 10;
    const int outsideX = insideX, outsideY = wy + ExpandedH + 150;

    const double start = now_s();
    for (long i = done + 1; i <= done + cycles; ++i) {
        XWarpPointer(dpy, None, attrs.root, 0, 0, 0, 0, insideX, insideY);
        XFlush(dpy);
        if (!wait_height(dpy, w, ExpandedH)) {
            fprintf(stderr, "notch_cycles: cycle %ld never expanded (height %u)\n", i, shape_height(dpy, w));
            return 1;
        }
        XWarpPointer(dpy, None, attrs.root, 0, 0, 0, 0, outsideX, outsideY);
        XFlush(dpy);
        if (!wait_height(dpy, w, CollapsedH)) {
            fprintf(stderr, "notch_cycles: cycle %ld never collapsed (height %u)\n", i, shape_height(dpy, w));
            return 1;
        }
        if (i % every == 0 || i == done + cycles) {
            printf("cycles %ld rss_kb %ld seconds %.1f\n", i, rss_kb(pid), now_s() - start);
            fflush(stdout);
        }
    }
    XCloseDisplay(dpy);
    return 0;
}
