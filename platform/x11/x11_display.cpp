#include "platform/x11/x11_display.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace scintle {

namespace {

// Xlib reports errors to one handler per process; the saver has one display.
struct ErrorTrap {
    unsigned long window = 0;   // errors about it mean it is gone
    bool windowGone = false;
    bool trapping = false;      // while trying MIT-SHM: an error means "not offered"
    bool trapped = false;
    int failure = 0;            // the first other error's code
    char failureText[160] = "";
};
ErrorTrap errorTrap;

int OnXError(Display* display, XErrorEvent* event) {
    ErrorTrap& t = errorTrap;
    if (t.trapping) {
        t.trapped = true;
    } else if ((event->error_code == BadWindow || event->error_code == BadDrawable) &&
               event->resourceid == t.window) {
        t.windowGone = true;
    } else if (t.failure == 0) {
        t.failure = event->error_code;
        XGetErrorText(display, event->error_code, t.failureText, sizeof t.failureText);
    }
    return 0;
}

// Xlib cannot go on after the connection is lost: say so in one line and end.
int OnXIoError(Display*) {
    static const char kMessage[] = "scintle: lost the connection to the X server\n";
    (void)!write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
    _exit(1);
}

bool LittleEndian() {
    const uint16_t probe = 1;
    return *reinterpret_cast<const uint8_t*>(&probe) == 1;
}

std::string Hex(unsigned long id) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%lx", id);
    return text;
}

}  // namespace

bool X11Display::Open(const std::string& name, std::string* error) {
    XSetErrorHandler(OnXError);
    XSetIOErrorHandler(OnXIoError);
    display_ = XOpenDisplay(name.empty() ? nullptr : name.c_str());
    if (!display_) {
        const char* shown = name.empty() ? std::getenv("DISPLAY") : name.c_str();
        *error = std::string("cannot open the X display '") + (shown ? shown : "") + "'";
        return false;
    }
    return true;
}

bool X11Display::UseGivenWindow(uint32_t id, std::string* error) {
    XWindowAttributes attributes;
    errorTrap.trapping = true;
    errorTrap.trapped = false;
    const Status found = XGetWindowAttributes(display_, id, &attributes);
    XSync(display_, False);
    errorTrap.trapping = false;
    if (!found || errorTrap.trapped) {
        *error = "there is no window " + Hex(id);
        return false;
    }
    window_ = id;
    visual_ = attributes.visual;
    depth_ = attributes.depth;
    width_ = attributes.width;
    height_ = attributes.height;
    errorTrap.window = window_;
    // Other clients may listen to a window too, but only one may take its button presses.
    XSelectInput(display_, window_, StructureNotifyMask | ExposureMask);
    gc_ = XCreateGC(display_, window_, 0, nullptr);
    return true;
}

bool X11Display::UseRoot(std::string* error) {
    return UseGivenWindow(static_cast<uint32_t>(DefaultRootWindow(display_)), error);
}

bool X11Display::CreateOwnWindow(int32_t width, int32_t height, const char* title,
                                 std::string*) {
    Display* d = display_;
    const int screen = DefaultScreen(d);
    XSetWindowAttributes attributes = {};
    attributes.background_pixel = BlackPixel(d, screen);
    attributes.event_mask = StructureNotifyMask | ExposureMask;
    window_ = XCreateWindow(d, RootWindow(d, screen), 0, 0, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), 0, CopyFromParent, InputOutput,
                            CopyFromParent, CWBackPixel | CWEventMask, &attributes);
    ownWindow_ = true;
    visual_ = DefaultVisual(d, screen);
    depth_ = DefaultDepth(d, screen);
    width_ = width;
    height_ = height;
    errorTrap.window = window_;
    XStoreName(d, window_, title);
    XClassHint hint = {const_cast<char*>("scintle"), const_cast<char*>("Scintle")};
    XSetClassHint(d, window_, &hint);
    // The close button of the window manager asks rather than kills the connection.
    deleteAtom_ = XInternAtom(d, "WM_DELETE_WINDOW", False);
    Atom protocols[] = {deleteAtom_};
    XSetWMProtocols(d, window_, protocols, 1);
    gc_ = XCreateGC(d, window_, 0, nullptr);
    XMapWindow(d, window_);
    return true;
}

bool X11Display::MakeImage(ImageCanvas* canvas, std::string* error) {
    FreeImage();
    shmRefusal_.clear();
    Display* d = display_;
    auto* visual = static_cast<Visual*>(visual_);
    const auto w = static_cast<unsigned>(width_), h = static_cast<unsigned>(height_);
    if (XShmQueryExtension(d)) {
        // Offered does not mean usable: a server on another machine refuses the attach.
        auto* segment = new XShmSegmentInfo{};
        image_ = XShmCreateImage(d, visual, static_cast<unsigned>(depth_), ZPixmap, nullptr,
                                 segment, w, h);
        if (image_) segment->shmid = shmget(IPC_PRIVATE,
                                            static_cast<size_t>(image_->bytes_per_line) * h,
                                            IPC_CREAT | 0600);
        if (!image_) shmRefusal_ = "no shared image could be made";
        else if (segment->shmid < 0) shmRefusal_ = std::string("shmget: ") + std::strerror(errno);
        if (image_ && segment->shmid >= 0) {
            segment->shmaddr = image_->data = static_cast<char*>(shmat(segment->shmid, nullptr, 0));
            segment->readOnly = True;
            errorTrap.trapping = true;
            errorTrap.trapped = false;
            const bool attached = segment->shmaddr != reinterpret_cast<char*>(-1) &&
                                  XShmAttach(d, segment) && (XSync(d, False), !errorTrap.trapped);
            errorTrap.trapping = false;
            // Marked for removal now, so that it goes when both sides have let go of it.
            shmctl(segment->shmid, IPC_RMID, nullptr);
            if (attached) {
                shm_ = true;
                shmSegment_ = segment;
            } else if (segment->shmaddr != reinterpret_cast<char*>(-1)) {
                shmdt(segment->shmaddr);
                shmRefusal_ = "the X server refused to attach the shared memory";
            } else {
                shmRefusal_ = "shmat: could not map the shared memory";
            }
        }
        if (!shm_) {
            if (image_) {
                image_->data = nullptr;
                XDestroyImage(image_);
                image_ = nullptr;
            }
            delete segment;
        }
    }
    if (!image_) {
        image_ = XCreateImage(d, visual, static_cast<unsigned>(depth_), ZPixmap, 0, nullptr, w, h,
                              32, 0);
        if (image_) image_->data = static_cast<char*>(std::calloc(image_->bytes_per_line, h));
        // Our pixels are in this machine's order; Xlib reorders them for the server.
        if (image_) image_->byte_order = LittleEndian() ? LSBFirst : MSBFirst;
    }
    if (!image_ || !image_->data) {
        *error = "cannot make an image of " + std::to_string(width_) + "x" +
                 std::to_string(height_);
        return false;
    }
    if (image_->bits_per_pixel != 32 && image_->bits_per_pixel != 16) {
        *error = "the window's visual has " + std::to_string(image_->bits_per_pixel) +
                 " bits a pixel; only 16 and 32 are drawn";
        return false;
    }
    PixelFormat format;
    format.bytesPerPixel = image_->bits_per_pixel / 8;
    format.redMask = static_cast<uint32_t>(visual->red_mask);
    format.greenMask = static_cast<uint32_t>(visual->green_mask);
    format.blueMask = static_cast<uint32_t>(visual->blue_mask);
    canvas->Attach(reinterpret_cast<uint8_t*>(image_->data), width_, height_,
                   image_->bytes_per_line, format);
    return true;
}

void X11Display::FreeImage() {
    if (!image_) return;
    if (shm_) {
        auto* segment = static_cast<XShmSegmentInfo*>(shmSegment_);
        XShmDetach(display_, segment);
        XSync(display_, False);
        shmdt(segment->shmaddr);
        image_->data = nullptr;
        delete segment;
        shmSegment_ = nullptr;
        shm_ = false;
    }
    XDestroyImage(image_);  // frees a plain image's pixels too
    image_ = nullptr;
}

int X11Display::ConnectionFd() const { return XConnectionNumber(display_); }

X11Happenings X11Display::TakeEvents() {
    X11Happenings happened;
    while (XPending(display_)) {
        XEvent event;
        XNextEvent(display_, &event);
        switch (event.type) {
            case ConfigureNotify:
                if (event.xconfigure.window == window_ &&
                    (event.xconfigure.width != width_ || event.xconfigure.height != height_)) {
                    width_ = event.xconfigure.width;
                    height_ = event.xconfigure.height;
                    happened.resized = true;
                }
                break;
            case Expose:
                happened.exposed = true;
                break;
            case DestroyNotify:
                if (event.xdestroywindow.window == window_) errorTrap.windowGone = true;
                break;
            case ClientMessage:
                if (static_cast<unsigned long>(event.xclient.data.l[0]) == deleteAtom_ &&
                    deleteAtom_ != 0)
                    happened.closed = true;
                break;
        }
    }
    if (errorTrap.windowGone) happened.closed = true;
    return happened;
}

bool X11Display::Failed(std::string* error) const {
    if (errorTrap.failure == 0) return false;
    *error = std::string("X error: ") + errorTrap.failureText;
    return true;
}

void X11Display::SendRows(int32_t firstRow, int32_t endRow) {
    if (errorTrap.windowGone) return;
    const auto rows = static_cast<unsigned>(endRow - firstRow);
    if (shm_) {
        XShmPutImage(display_, window_, gc_, image_, 0, firstRow, 0, firstRow,
                     static_cast<unsigned>(width_), rows, False);
    } else {
        XPutImage(display_, window_, gc_, image_, 0, firstRow, 0, firstRow,
                  static_cast<unsigned>(width_), rows);
    }
}

void X11Display::SendChanged(ImageCanvas* canvas) {
    bool sent = false;
    canvas->TakeChangedRows([&](int32_t first, int32_t end) {
        SendRows(first, end);
        sent = true;
    });
    // In step with the server: never more frames queued than it can take.
    if (sent) XSync(display_, False);
}

void X11Display::Bell() { XBell(display_, 0); }

void X11Display::Close() {
    if (!display_) return;
    FreeImage();
    if (gc_) XFreeGC(display_, gc_);
    if (ownWindow_ && !errorTrap.windowGone) XDestroyWindow(display_, window_);
    XCloseDisplay(display_);
    display_ = nullptr;
    gc_ = nullptr;
}

}  // namespace scintle
