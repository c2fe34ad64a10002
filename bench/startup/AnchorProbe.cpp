// The native side of bench/startup/run.sh, built for the machine itself (not for Windows): starts
// a Linux player on the same X display, and times from the spawn to its window being mapped and
// to the first picture in it, watching the screen the same way as the Windows side does.
// Usage: anchor_probe <label> <window-title> <runs> -- <command...>
// Prints one line: label, then the median window and picture times in ms (- for none).
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPoll = std::chrono::milliseconds(10); // as on the Windows side
constexpr double kTimeoutMs = 30000;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A window can go between finding it and reading it; such errors only mean "not yet".
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

struct DisplayCloser {
    void operator()(Display* d) const { XCloseDisplay(d); }
};
using UniqueDisplay = std::unique_ptr<Display, DisplayCloser>;

struct ImageDestroyer {
    void operator()(XImage* image) const { XDestroyImage(image); }
};

bool HasTitle(Display* d, Window w, const std::string& title) {
    char* name = nullptr;
    if (!XFetchName(d, w, &name) || !name) return false;
    bool same = title == name;
    XFree(name);
    return same;
}

// A viewable window with the title, anywhere in the tree (no window manager reparents here).
Window FindViewable(Display* d, Window parent, const std::string& title) {
    Window root = 0, up = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, parent, &root, &up, &children, &count)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        XWindowAttributes a{};
        if (!XGetWindowAttributes(d, children[i], &a) || a.map_state != IsViewable) continue;
        found = HasTitle(d, children[i], title) ? children[i] : FindViewable(d, children[i], title);
    }
    if (children) XFree(children);
    return found;
}

bool IsDark(unsigned long pixel) {
    unsigned r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    return r < 40 && g < 40 && b < 40;
}

// Same rule as the Windows side: more than half of the window's pixels are lit.
bool PictureShows(Display* d, Window w) {
    XWindowAttributes a{};
    if (!XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable || a.width <= 0 || a.height <= 0) return false;
    std::unique_ptr<XImage, ImageDestroyer> image(XGetImage(d, w, 0, 0, a.width, a.height, AllPlanes, ZPixmap));
    if (!image) return false;
    long lit = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (!IsDark(XGetPixel(image.get(), x, y))) ++lit;
    return lit > static_cast<long>(a.width) * a.height / 2;
}

template <typename Done> std::optional<double> TimeUntil(Clock::time_point start, Done done) {
    for (;;) {
        if (done()) return MsSince(start);
        if (MsSince(start) > kTimeoutMs) return std::nullopt;
        std::this_thread::sleep_for(kPoll);
    }
}

pid_t Spawn(char** command) {
    pid_t pid = fork();
    if (pid == 0) {
        // The player's own chatter would only interleave with the figures.
        freopen("/dev/null", "w", stdout);
        freopen("/dev/null", "w", stderr);
        execvp(command[0], command);
        _exit(127);
    }
    return pid;
}

// Asks the player to end; one that has not within two seconds (ffplay can deadlock in its
// own exit when a signal meets its audio thread) is killed.
void Stop(pid_t pid) {
    kill(pid, SIGTERM);
    int status = 0;
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, &status, WNOHANG) == pid) return;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
}

struct Sample {
    std::optional<double> windowMs, pictureMs;
};

Sample RunOnce(Display* d, const std::string& title, char** command) {
    Sample sample;
    Window root = DefaultRootWindow(d);
    Window w = 0;
    auto start = Clock::now();
    pid_t pid = Spawn(command);
    if (pid < 0) return sample;
    sample.windowMs = TimeUntil(start, [&] { return (w = FindViewable(d, root, title)) != 0; });
    if (sample.windowMs) sample.pictureMs = TimeUntil(start, [&] { return PictureShows(d, w); });
    Stop(pid);
    return sample;
}

std::optional<double> Median(std::vector<double> values) {
    if (values.empty()) return std::nullopt;
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string Figure(std::optional<double> ms) {
    if (!ms) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", *ms);
    return text;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 6 || std::strcmp(argv[4], "--") != 0) {
        std::fprintf(stderr, "usage: anchor_probe <label> <window-title> <runs> -- <command...>\n");
        return 2;
    }
    std::string label = argv[1], title = argv[2];
    int runs = std::max(1, std::atoi(argv[3]));
    char** command = argv + 5;
    UniqueDisplay display(XOpenDisplay(nullptr));
    if (!display) {
        std::fprintf(stderr, "anchor_probe: no X display\n");
        return 1;
    }
    XSetErrorHandler(IgnoreErrors);
    RunOnce(display.get(), title, command); // warm-up, not counted
    std::vector<double> windows, pictures;
    for (int i = 0; i < runs; ++i) {
        Sample s = RunOnce(display.get(), title, command);
        if (s.windowMs) windows.push_back(*s.windowMs);
        if (s.pictureMs) pictures.push_back(*s.pictureMs);
    }
    std::printf("%-34s %8s %8s   (%zu/%d runs)\n", label.c_str(), Figure(Median(windows)).c_str(),
        Figure(Median(pictures)).c_str(), pictures.size(), runs);
    return 0;
}
