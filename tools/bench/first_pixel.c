/* Seconds from exec of a program to the first frame it shows: polls the screen's centre row on
 * the X display every 2 ms until it shows a picture (not a flat colour), then ends the program.
 *   first_pixel TIMEOUT_SECONDS PROGRAM [ARGS...]     prints the seconds, or "nan" on time-out
 * (ImageMagick's import takes a second per look on a busy machine; this takes well under 1 ms.) */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double Now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec + (double)t.tv_nsec / 1e9;
}

/* True when the centre row shows a picture: at least 16 different colours, some of them brighter
 * than 16 of 255. A window just mapped is one flat colour (black, or white on some servers) and
 * does not count. */
static int Shown(Display* d, Window root, int w, int h) {
    XImage* row = XGetImage(d, root, 0, h / 2, (unsigned)w, 1, AllPlanes, ZPixmap);
    if (row == NULL) return 0;
    unsigned long seen[16];
    int distinct = 0, bright = 0;
    for (int x = 0; x < w && distinct < 16; ++x) {
        unsigned long p = XGetPixel(row, x, 0) & 0xFFFFFFul;
        bright = bright || ((p >> 16) & 0xFF) > 16 || ((p >> 8) & 0xFF) > 16 || (p & 0xFF) > 16;
        int known = 0;
        for (int i = 0; i < distinct && !known; ++i) known = seen[i] == p;
        if (!known) seen[distinct++] = p;
    }
    XDestroyImage(row);
    return bright && distinct >= 16;
}

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: first_pixel TIMEOUT_SECONDS PROGRAM [ARGS...]\n");
        return 2;
    }
    double timeout = atof(argv[1]);
    Display* d = XOpenDisplay(NULL);
    if (d == NULL) {
        fprintf(stderr, "first_pixel: no X display\n");
        return 2;
    }
    Window root = DefaultRootWindow(d);
    int w = DisplayWidth(d, DefaultScreen(d)), h = DisplayHeight(d, DefaultScreen(d));
    /* The screen must be black before the program starts. */
    for (double until = Now() + 5; Shown(d, root, w, h) && Now() < until;) usleep(20000);
    double start = Now();
    pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    double shown = -1;
    while (Now() - start < timeout) {
        if (Shown(d, root, w, h)) {
            shown = Now() - start;
            break;
        }
        if (waitpid(child, NULL, WNOHANG) == child) {
            child = -1;
            break;
        }
        usleep(2000);
    }
    if (child > 0) {
        kill(child, SIGTERM);
        waitpid(child, NULL, 0);
    }
    if (shown < 0)
        printf("nan\n");
    else
        printf("%.3f\n", shown);
    XCloseDisplay(d);
    return 0;
}
