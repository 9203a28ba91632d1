// Drags files from a window of the X desktop onto the point (X, Y) of the
// screen and drops them there, as a file manager's drag does: the pointer
// is pressed on its own small window, moved and released through the X
// server's input (XTest), and the files go to the window under the pointer
// by the X drag-and-drop protocol (XDND), as a "text/uri-list". Wine takes
// such drops for its windows and hands them to a window that accepts files
// as WM_DROPFILES.
//
//   qbx_desktop_drag OUTCOME_FILE X Y FILE...
//
// A native program of the build machine, started by the Windows tests from
// under Wine. Writes what the window under the pointer answered into
// OUTCOME_FILE (written whole under another name, then renamed), one word:
//   dropped   the window accepted the files and took the drop
//   refused   the window refused them; the drag was left there
//   failed    no window to drop on, or no answer (a line follows saying why)
// Exit code 0 when the drag ran to its end, whichever way it went.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kProtocolVersion = 5;
constexpr int kSourceSize = 40;
constexpr int kSteps = 16;             // pointer moves from the source to the point
constexpr int kStepPauseUs = 20000;    // between two moves, as a hand's
constexpr int kAnswerTimeoutMs = 3000; // for the window's status and its end of the drop

struct Atoms {
    Atom aware, selection, enter, position, status, leave, drop, finished, actionCopy, uriList, targets;
};

struct Drag {
    Display* display = nullptr;
    Window root = 0;
    Window source = 0;
    Atoms atoms = {};
    std::string uriList;
    Window target = 0;     // the XDND-aware window under the pointer
    bool accepted = false; // its last status
    bool finished = false; // its end of the drop
    bool statusSeen = false;
};

long NowMs()
{
    using namespace std::chrono;
    return static_cast<long>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

Atoms InternAtoms(Display* d)
{
    Atoms a;
    a.aware = XInternAtom(d, "XdndAware", False);
    a.selection = XInternAtom(d, "XdndSelection", False);
    a.enter = XInternAtom(d, "XdndEnter", False);
    a.position = XInternAtom(d, "XdndPosition", False);
    a.status = XInternAtom(d, "XdndStatus", False);
    a.leave = XInternAtom(d, "XdndLeave", False);
    a.drop = XInternAtom(d, "XdndDrop", False);
    a.finished = XInternAtom(d, "XdndFinished", False);
    a.actionCopy = XInternAtom(d, "XdndActionCopy", False);
    a.uriList = XInternAtom(d, "text/uri-list", False);
    a.targets = XInternAtom(d, "TARGETS", False);
    return a;
}

// A file path as a "file://" URI: bytes outside the unreserved set escaped.
std::string FileUri(const std::string& path)
{
    std::string uri = "file://";
    for (unsigned char c : path) {
        if (std::isalnum(c) || std::strchr("/-_.~", c)) {
            uri += static_cast<char>(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            uri += escaped;
        }
    }
    return uri;
}

// The XDND version a window announces, or 0 when it takes no drops.
long AwareVersion(const Drag& drag, Window window)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    long version = 0;
    if (XGetWindowProperty(drag.display, window, drag.atoms.aware, 0, 1, False, AnyPropertyType, &type, &format,
                           &count, &after, &data) == Success &&
        data && count == 1 && format == 32) {
        version = static_cast<long>(*reinterpret_cast<unsigned long*>(data));
    }
    if (data) XFree(data);
    return version;
}

// The XDND-aware window at the root point: the top-level window there or
// the first of its descendants down the point that announces XDND.
Window AwareWindowAt(const Drag& drag, int x, int y)
{
    Window from = drag.root, child = 0;
    int cx = x, cy = y;
    while (XTranslateCoordinates(drag.display, drag.root, from, x, y, &cx, &cy, &child) && child) {
        if (child == drag.source) return 0;
        if (AwareVersion(drag, child) > 0) return child;
        from = child;
    }
    return 0;
}

void SendClientMessage(const Drag& drag, Window to, Atom type, long l1, long l2, long l3, long l4)
{
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.display = drag.display;
    event.xclient.window = to;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(drag.source);
    event.xclient.data.l[1] = l1;
    event.xclient.data.l[2] = l2;
    event.xclient.data.l[3] = l3;
    event.xclient.data.l[4] = l4;
    XSendEvent(drag.display, to, False, NoEventMask, &event);
    XFlush(drag.display);
}

// Hands the files to a window that asks for them (or for the list of what
// it may ask for).
void AnswerSelectionRequest(const Drag& drag, const XSelectionRequestEvent& request)
{
    XEvent reply = {};
    reply.xselection.type = SelectionNotify;
    reply.xselection.display = request.display;
    reply.xselection.requestor = request.requestor;
    reply.xselection.selection = request.selection;
    reply.xselection.target = request.target;
    reply.xselection.time = request.time;
    reply.xselection.property = None;
    const Atom property = request.property != None ? request.property : request.target;
    if (request.target == drag.atoms.uriList) {
        XChangeProperty(drag.display, request.requestor, property, drag.atoms.uriList, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(drag.uriList.data()),
                        static_cast<int>(drag.uriList.size()));
        reply.xselection.property = property;
    } else if (request.target == drag.atoms.targets) {
        const Atom offered[] = {drag.atoms.targets, drag.atoms.uriList};
        XChangeProperty(drag.display, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(offered), 2);
        reply.xselection.property = property;
    }
    XSendEvent(drag.display, request.requestor, False, NoEventMask, &reply);
    XFlush(drag.display);
}

// Serves the events that come in until done() holds or the time is up.
template <typename Done>
bool ServeUntil(Drag& drag, Done done, int milliseconds)
{
    const long end = NowMs() + milliseconds;
    for (;;) {
        while (XPending(drag.display)) {
            XEvent event;
            XNextEvent(drag.display, &event);
            if (event.type == SelectionRequest) {
                AnswerSelectionRequest(drag, event.xselectionrequest);
            } else if (event.type == ClientMessage && event.xclient.message_type == drag.atoms.status &&
                       static_cast<Window>(event.xclient.data.l[0]) == drag.target) {
                drag.accepted = (event.xclient.data.l[1] & 1) != 0;
                drag.statusSeen = true;
            } else if (event.type == ClientMessage && event.xclient.message_type == drag.atoms.finished &&
                       static_cast<Window>(event.xclient.data.l[0]) == drag.target) {
                drag.finished = true;
            }
        }
        if (done()) return true;
        if (NowMs() >= end) return false;
        usleep(2000);
    }
}

// The pointer has moved to (x, y): enters a new window under it, or tells
// the one under it where it is, and waits for its status.
void PointerAt(Drag& drag, int x, int y)
{
    const Window now = AwareWindowAt(drag, x, y);
    if (now != drag.target) {
        if (drag.target) SendClientMessage(drag, drag.target, drag.atoms.leave, 0, 0, 0, 0);
        drag.target = now;
        drag.accepted = false;
        if (!now) return;
        const long version = std::min<long>(kProtocolVersion, AwareVersion(drag, now));
        SendClientMessage(drag, now, drag.atoms.enter, version << 24, static_cast<long>(drag.atoms.uriList), 0, 0);
    }
    if (!drag.target) return;
    drag.statusSeen = false;
    SendClientMessage(drag, drag.target, drag.atoms.position, 0, (x << 16) | (y & 0xFFFF), CurrentTime,
                      static_cast<long>(drag.atoms.actionCopy));
    ServeUntil(drag, [&] { return drag.statusSeen; }, kAnswerTimeoutMs);
}

bool WaitForEvent(Drag& drag, int type, int milliseconds)
{
    const long end = NowMs() + milliseconds;
    XEvent event;
    while (NowMs() < end) {
        if (XCheckTypedWindowEvent(drag.display, drag.source, type, &event)) return true;
        usleep(2000);
    }
    return false;
}

void WriteOutcome(const char* file, const std::string& text)
{
    const std::string part = std::string(file) + ".part";
    if (FILE* f = std::fopen(part.c_str(), "w")) {
        std::fputs(text.c_str(), f);
        std::fclose(f);
        std::rename(part.c_str(), file);
    }
}

std::string Run(Drag& drag, int x, int y)
{
    Display* d = drag.display;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(d, &eventBase, &errorBase, &major, &minor)) return "failed\nno XTest on this display";
    drag.root = DefaultRootWindow(d);
    drag.atoms = InternAtoms(d);

    // The window the drag starts from, in the lower left corner.
    const int height = DisplayHeight(d, DefaultScreen(d));
    XSetWindowAttributes attributes = {};
    attributes.background_pixel = WhitePixel(d, DefaultScreen(d));
    attributes.event_mask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask | StructureNotifyMask;
    drag.source = XCreateWindow(d, drag.root, 8, height - kSourceSize - 8, kSourceSize, kSourceSize, 0,
                                CopyFromParent, InputOutput, CopyFromParent, CWBackPixel | CWEventMask, &attributes);
    XMapRaised(d, drag.source);
    if (!WaitForEvent(drag, MapNotify, kAnswerTimeoutMs)) return "failed\nthe source window was not shown";

    // Pressed on the source, the pointer held there (the press's own grab).
    const int fromX = 8 + kSourceSize / 2, fromY = height - kSourceSize / 2 - 8;
    XTestFakeMotionEvent(d, -1, fromX, fromY, CurrentTime);
    XTestFakeButtonEvent(d, 1, True, CurrentTime);
    XFlush(d);
    if (!WaitForEvent(drag, ButtonPress, kAnswerTimeoutMs)) return "failed\nthe press did not reach the source";
    XGrabPointer(d, drag.source, False, ButtonMotionMask | PointerMotionMask | ButtonReleaseMask, GrabModeAsync,
                 GrabModeAsync, None, None, CurrentTime);
    XSetSelectionOwner(d, drag.atoms.selection, drag.source, CurrentTime);

    for (int step = 1; step <= kSteps; ++step) {
        const int px = fromX + (x - fromX) * step / kSteps;
        const int py = fromY + (y - fromY) * step / kSteps;
        XTestFakeMotionEvent(d, -1, px, py, CurrentTime);
        XFlush(d);
        usleep(kStepPauseUs);
        PointerAt(drag, px, py);
    }
    XTestFakeButtonEvent(d, 1, False, CurrentTime);
    XFlush(d);
    WaitForEvent(drag, ButtonRelease, kAnswerTimeoutMs);
    XUngrabPointer(d, CurrentTime);

    if (!drag.target) return "failed\nno window that takes drops under the point";
    if (!drag.accepted) {
        SendClientMessage(drag, drag.target, drag.atoms.leave, 0, 0, 0, 0);
        return "refused\n";
    }
    SendClientMessage(drag, drag.target, drag.atoms.drop, 0, CurrentTime, 0, 0);
    if (!ServeUntil(drag, [&] { return drag.finished; }, kAnswerTimeoutMs)) return "failed\nthe drop was not finished";
    return "dropped\n";
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s OUTCOME_FILE X Y FILE...\n", argv[0]);
        return 2;
    }
    Drag drag;
    for (int i = 4; i < argc; ++i) drag.uriList += FileUri(argv[i]) + "\r\n";
    drag.display = XOpenDisplay(nullptr);
    if (!drag.display) {
        WriteOutcome(argv[1], "failed\nno X display\n");
        return 1;
    }
    const std::string outcome = Run(drag, std::atoi(argv[2]), std::atoi(argv[3]));
    if (drag.source) XDestroyWindow(drag.display, drag.source);
    XCloseDisplay(drag.display);
    WriteOutcome(argv[1], outcome);
    return 0;
}
