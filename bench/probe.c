// SPDX-FileCopyrightText: 2026 The Farbrix developers
// SPDX-License-Identifier: MIT

/* One measured start of an X11 program, watched from outside as a second X
 * client. Prints one JSON line:
 *
 *   map_ms, paint_ms     exec -> first top-level window mapped / first painted
 *                        (painted = its pixels are no longer one flat colour)
 *   rss_kib              resident memory of the process tree, --mem-after ms
 *                        after that paint
 *   idle_wakeups, idle_cpu_ms
 *                        voluntary context switches of every thread, and CPU
 *                        time, over the next --idle ms of doing nothing
 *
 * With --click X,Y the probe then clicks at that point of the first window
 * (XTEST, so no window manager is needed) and reports the same figures for
 * the next top-level window that appears: click_paint_ms (click -> that
 * window painted), click_rss_kib, click_idle_wakeups, click_idle_cpu_ms.
 *
 * Times are taken when the probe receives the X event, so they are upper
 * bounds by a few milliseconds (the GetImage that judges a paint included).
 *
 *   farbrix-probe [--mem-after MS] [--idle MS] [--click X,Y] -- PROGRAM [ARG...]
 */
#define _GNU_SOURCE
#include <dirent.h>
#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#define MAX_WATCHED 64

static xcb_connection_t *conn;
static xcb_window_t root;
static uint8_t damage_event_base;
static double t0;

struct watched {
    xcb_window_t window;
    xcb_damage_damage_t damage;
    int mapped;
    double map_time;
    double paint_time;
};
static struct watched watched[MAX_WATCHED];
static int nwatched;

static double now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

static void die(const char *what)
{
    fprintf(stderr, "farbrix-probe: %s\n", what);
    exit(2);
}

static struct watched *find(xcb_window_t w)
{
    for (int i = 0; i < nwatched; ++i)
        if (watched[i].window == w)
            return &watched[i];
    return NULL;
}

static void watch(xcb_window_t w)
{
    if (find(w) || nwatched == MAX_WATCHED)
        return;
    struct watched *x = &watched[nwatched++];
    memset(x, 0, sizeof *x);
    x->window = w;
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(conn, w, XCB_CW_EVENT_MASK, &mask);
    x->damage = xcb_generate_id(conn);
    xcb_damage_create(conn, x->damage, w, XCB_DAMAGE_REPORT_LEVEL_BOUNDING_BOX);
    /* The window may have been mapped before the probe selected the event. */
    xcb_get_window_attributes_reply_t *a =
        xcb_get_window_attributes_reply(conn, xcb_get_window_attributes(conn, w), NULL);
    if (a) {
        if (a->map_state == XCB_MAP_STATE_VIEWABLE && a->_class == XCB_WINDOW_CLASS_INPUT_OUTPUT) {
            x->mapped = 1;
            x->map_time = now_ms();
        }
        free(a);
    }
}

/* True when the window shows more than one colour. */
static int painted(xcb_window_t w)
{
    xcb_get_geometry_reply_t *g = xcb_get_geometry_reply(conn, xcb_get_geometry(conn, w), NULL);
    if (!g)
        return 0;
    xcb_get_image_reply_t *img = xcb_get_image_reply(
        conn, xcb_get_image(conn, XCB_IMAGE_FORMAT_Z_PIXMAP, w, 0, 0, g->width, g->height, ~0u), NULL);
    free(g);
    if (!img)
        return 0;
    const uint8_t *data = xcb_get_image_data(img);
    const int len = xcb_get_image_data_length(img);
    int varied = 0;
    if (img->depth >= 24 && len >= 4) {
        const uint32_t *px = (const uint32_t *)data;
        const uint32_t mask = img->depth == 32 ? 0xffffffffu : 0x00ffffffu;
        const uint32_t first = px[0] & mask;
        for (int i = 1; i < len / 4 && !varied; ++i)
            varied = (px[i] & mask) != first;
    } else {
        for (int i = 1; i < len && !varied; ++i)
            varied = data[i] != data[0];
    }
    free(img);
    return varied;
}

static void handle(xcb_generic_event_t *ev)
{
    const uint8_t type = ev->response_type & 0x7f;
    const double t = now_ms();
    if (type == XCB_CREATE_NOTIFY) {
        xcb_create_notify_event_t *e = (xcb_create_notify_event_t *)ev;
        if (e->parent == root && !e->override_redirect)
            watch(e->window);
    } else if (type == XCB_MAP_NOTIFY) {
        xcb_map_notify_event_t *e = (xcb_map_notify_event_t *)ev;
        struct watched *w = find(e->window);
        if (w && !w->mapped) {
            w->mapped = 1;
            w->map_time = t;
        }
    } else if (type == XCB_UNMAP_NOTIFY) {
        struct watched *w = find(((xcb_unmap_notify_event_t *)ev)->window);
        if (w)
            w->mapped = 0;
    } else if (type == XCB_DESTROY_NOTIFY) {
        struct watched *w = find(((xcb_destroy_notify_event_t *)ev)->window);
        if (w)
            w->window = XCB_NONE;
    } else if (type == damage_event_base + XCB_DAMAGE_NOTIFY) {
        xcb_damage_notify_event_t *e = (xcb_damage_notify_event_t *)ev;
        struct watched *w = find(e->drawable);
        if (!w)
            return;
        xcb_damage_subtract(conn, w->damage, XCB_NONE, XCB_NONE);
        if (w->mapped && w->paint_time == 0 && painted(w->window))
            w->paint_time = t;
    }
}

/* Handles events until `done` says so or the deadline passes. */
static int pump(double deadline, int (*done)(void *), void *arg)
{
    const int fd = xcb_get_file_descriptor(conn);
    for (;;) {
        xcb_generic_event_t *ev;
        while ((ev = xcb_poll_for_event(conn))) {
            handle(ev);
            free(ev);
        }
        xcb_flush(conn);
        if (done && done(arg))
            return 1;
        const double left = deadline - now_ms();
        if (left <= 0)
            return 0;
        struct pollfd p = {fd, POLLIN, 0};
        poll(&p, 1, (int)(left + 1));
        if (xcb_connection_has_error(conn))
            die("X connection lost");
    }
}

/* A painted window created at or after index `from`; its index or -1. */
static int first_painted(int from)
{
    for (int i = from; i < nwatched; ++i)
        if (watched[i].window != XCB_NONE && watched[i].paint_time > 0)
            return i;
    return -1;
}

static int painted_from(void *from) { return first_painted(*(int *)from) >= 0; }

/* --- the process tree ------------------------------------------------- */

static int children_of(pid_t parent, pid_t *out, int max)
{
    int n = 0;
    DIR *d = opendir("/proc");
    struct dirent *e;
    while (d && (e = readdir(d)) && n < max) {
        const pid_t pid = atoi(e->d_name);
        if (pid <= 0)
            continue;
        char path[64], buf[512];
        snprintf(path, sizeof path, "/proc/%d/stat", pid);
        FILE *f = fopen(path, "r");
        if (!f)
            continue;
        const size_t len = fread(buf, 1, sizeof buf - 1, f);
        fclose(f);
        buf[len] = 0;
        const char *close = strrchr(buf, ')');
        int ppid;
        if (close && sscanf(close + 2, "%*c %d", &ppid) == 1 && ppid == parent)
            out[n++] = pid;
    }
    if (d)
        closedir(d);
    return n;
}

static int tree(pid_t top, pid_t *out, int max)
{
    int n = 0;
    out[n++] = top;
    for (int i = 0; i < n && n < max; ++i)
        n += children_of(out[i], out + n, max - n);
    return n;
}

static long status_field(const char *path, const char *key)
{
    FILE *f = fopen(path, "r");
    if (!f)
        return 0;
    char line[256];
    long value = 0;
    const size_t klen = strlen(key);
    while (fgets(line, sizeof line, f))
        if (strncmp(line, key, klen) == 0) {
            value = atol(line + klen);
            break;
        }
    fclose(f);
    return value;
}

struct sample {
    long rss_kib;
    long wakeups;
    double cpu_ms;
};

static struct sample take_sample(pid_t top)
{
    struct sample s = {0, 0, 0};
    pid_t pids[256];
    const int n = tree(top, pids, 256);
    for (int i = 0; i < n; ++i) {
        char path[96];
        snprintf(path, sizeof path, "/proc/%d/status", pids[i]);
        s.rss_kib += status_field(path, "VmRSS:");
        clockid_t clock;
        struct timespec ts;
        if (clock_getcpuclockid(pids[i], &clock) == 0 && clock_gettime(clock, &ts) == 0)
            s.cpu_ms += ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
        snprintf(path, sizeof path, "/proc/%d/task", pids[i]);
        DIR *d = opendir(path);
        struct dirent *e;
        while (d && (e = readdir(d))) {
            if (e->d_name[0] == '.')
                continue;
            char task[320];
            snprintf(task, sizeof task, "/proc/%d/task/%s/status", pids[i], e->d_name);
            s.wakeups += status_field(task, "voluntary_ctxt_switches:");
        }
        if (d)
            closedir(d);
    }
    return s;
}

/* Waits `mem_after` ms, samples memory, then watches `idle` ms of quiet. */
static void settle_and_idle(pid_t pid, double from, int mem_after, int idle, const char *prefix)
{
    pump(from + mem_after, NULL, NULL);
    const struct sample a = take_sample(pid);
    pump(now_ms() + idle, NULL, NULL);
    const struct sample b = take_sample(pid);
    printf(", \"%srss_kib\": %ld, \"%sidle_wakeups\": %ld, \"%sidle_cpu_ms\": %.1f", prefix, a.rss_kib,
           prefix, b.wakeups - a.wakeups, prefix, b.cpu_ms - a.cpu_ms);
}

static void click_at(int x, int y)
{
    xcb_test_fake_input(conn, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root, x, y, 0);
    xcb_test_fake_input(conn, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, root, 0, 0, 0);
    xcb_test_fake_input(conn, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, root, 0, 0, 0);
    xcb_flush(conn);
}

static pid_t child;

/* A run that hangs (a program that never paints again, a lost event) must
 * not stop the whole series: the probe ends the program and itself. */
static void on_alarm(int sig)
{
    (void)sig;
    if (child > 0)
        kill(child, SIGKILL);
    static const char msg[] = "{\"error\": \"run took too long\"}\n";
    if (write(STDOUT_FILENO, msg, sizeof msg - 1) < 0) {}
    _exit(3);
}

static void end_tree(pid_t pid)
{
    pid_t pids[256];
    const int n = tree(pid, pids, 256);
    for (int i = n - 1; i >= 0; --i)
        kill(pids[i], SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (waitpid(pid, NULL, WNOHANG) == pid)
            return;
        usleep(10000);
    }
    for (int i = n - 1; i >= 0; --i)
        kill(pids[i], SIGKILL);
    waitpid(pid, NULL, 0);
}

int main(int argc, char **argv)
{
    int mem_after = 1000, idle = 5000, timeout = 20000;
    int click = 0, click_x = 0, click_y = 0;
    int i = 1;
    for (; i < argc; ++i) {
        if (!strcmp(argv[i], "--")) {
            ++i;
            break;
        } else if (!strcmp(argv[i], "--mem-after") && i + 1 < argc) {
            mem_after = atoi(argv[++i]);
        } else if (!strcmp(argv[i], "--idle") && i + 1 < argc) {
            idle = atoi(argv[++i]);
        } else if (!strcmp(argv[i], "--timeout") && i + 1 < argc) {
            timeout = atoi(argv[++i]);
        } else if (!strcmp(argv[i], "--click") && i + 1 < argc) {
            click = sscanf(argv[++i], "%d,%d", &click_x, &click_y) == 2;
            if (!click)
                die("--click wants X,Y");
        } else {
            die("usage: farbrix-probe [--mem-after MS] [--idle MS] [--timeout MS] [--click X,Y] -- "
                "PROGRAM [ARG...]");
        }
    }
    if (i >= argc)
        die("no program given");

    int screen_number;
    conn = xcb_connect(NULL, &screen_number);
    if (xcb_connection_has_error(conn))
        die("cannot connect to the X server");
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(conn));
    for (int s = 0; s < screen_number; ++s)
        xcb_screen_next(&it);
    root = it.data->root;
    const xcb_query_extension_reply_t *damage = xcb_get_extension_data(conn, &xcb_damage_id);
    if (!damage || !damage->present)
        die("the X server has no DAMAGE extension");
    damage_event_base = damage->first_event;
    free(xcb_damage_query_version_reply(conn, xcb_damage_query_version(conn, 1, 1), NULL));
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(conn, root, XCB_CW_EVENT_MASK, &mask);
    free(xcb_get_input_focus_reply(conn, xcb_get_input_focus(conn), NULL));

    /* Orphans of a launcher that forks stay in the tree. */
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    fflush(stdout);
    t0 = now_ms();
    const pid_t pid = fork();
    if (pid == 0) {
        close(xcb_get_file_descriptor(conn));
        execvp(argv[i], argv + i);
        _exit(127);
    }
    if (pid < 0)
        die("fork failed");
    child = pid;
    signal(SIGALRM, on_alarm);
    alarm((unsigned)((2 * timeout + 2 * (mem_after + idle)) / 1000 + 10));

    int from = 0;
    printf("{\"program\": \"%s\"", argv[i]);
    if (!pump(t0 + timeout, painted_from, &from)) {
        printf(", \"error\": \"no painted window within %d ms\"}\n", timeout);
        end_tree(pid);
        return 1;
    }
    struct watched *first = &watched[first_painted(0)];
    printf(", \"map_ms\": %.1f, \"paint_ms\": %.1f", first->map_time - t0, first->paint_time - t0);
    settle_and_idle(pid, first->paint_time, mem_after, idle, "");

    if (click) {
        xcb_translate_coordinates_reply_t *at = xcb_translate_coordinates_reply(
            conn, xcb_translate_coordinates(conn, first->window, root, click_x, click_y), NULL);
        if (!at)
            die("the first window is gone");
        from = nwatched;
        const double clicked = now_ms();
        click_at(at->dst_x, at->dst_y);
        free(at);
        if (!pump(clicked + timeout, painted_from, &from)) {
            printf(", \"error\": \"no new window painted after the click\"}\n");
            end_tree(pid);
            return 1;
        }
        struct watched *next = &watched[first_painted(from)];
        printf(", \"click_paint_ms\": %.1f", next->paint_time - clicked);
        settle_and_idle(pid, next->paint_time, mem_after, idle, "click_");
    }
    printf("}\n");
    fflush(stdout);
    end_tree(pid);
    return 0;
}
