// The X11 saver's one connection to the X server and the one window it draws into:
// a window someone else made (xscreensaver's), the root window, or a top-level window
// of its own. It keeps the image the render thread draws into (image_canvas.h), in
// memory shared with the server where the server offers MIT-SHM, and sends changed
// rows of it. Only the thread that opened the display calls it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/x11/image_canvas.h"

// Xlib's own types, so that only x11_display.cpp includes its headers.
struct _XDisplay;
struct _XGC;
struct _XImage;

namespace scintle {

// What happened since the last look, for the window thread to act on.
struct X11Happenings {
    bool resized = false;  // the window has a new size: the image must be remade
    bool exposed = false;  // the server lost part of the window's content
    bool closed = false;   // destroyed, or the window manager's close button
};

class X11Display {
public:
    X11Display() = default;
    X11Display(const X11Display&) = delete;
    X11Display& operator=(const X11Display&) = delete;
    ~X11Display() { Close(); }

    // `name` empty: the DISPLAY variable's. Losing the connection later ends the
    // process with a one-line message (Xlib cannot go on after it).
    bool Open(const std::string& name, std::string* error);

    bool UseGivenWindow(uint32_t id, std::string* error);
    bool UseRoot(std::string* error);
    bool CreateOwnWindow(int32_t width, int32_t height, const char* title, std::string* error);

    // Makes the image at the window's present size, black, and hands it to `canvas`.
    // Only while the render thread is stopped.
    bool MakeImage(ImageCanvas* canvas, std::string* error);
    bool sharedMemory() const { return shm_; }
    // After MakeImage: why the image is not in shared memory though the server offers
    // MIT-SHM (the server refused to attach it, or no segment could be made); empty
    // when it is, or when the server does not offer it.
    const std::string& sharedMemoryRefusal() const { return shmRefusal_; }

    int ConnectionFd() const;
    X11Happenings TakeEvents();
    // A protocol error the saver cannot go on after (the target's destruction is not
    // one: it shows as `closed`).
    bool Failed(std::string* error) const;

    // Sends the rows the render thread changed since the last call, and waits until
    // the server has them. Called once a frame.
    void SendChanged(ImageCanvas* canvas);
    // The pace of frames: 30 a second. While a picture is painted nearly every row
    // changes between frames, so each frame is the whole image; 60 would double the
    // server's copying for pixels that appear one by one anyway.
    int32_t FrameMilliseconds() const { return 33; }
    void Bell();
    void Close();

private:
    void FreeImage();
    void SendRows(int32_t firstRow, int32_t endRow);

    ::_XDisplay* display_ = nullptr;
    unsigned long window_ = 0;
    bool ownWindow_ = false;
    ::_XGC* gc_ = nullptr;
    void* visual_ = nullptr;  // Visual*
    int depth_ = 0;
    int32_t width_ = 0;
    int32_t height_ = 0;
    unsigned long deleteAtom_ = 0;
    ::_XImage* image_ = nullptr;
    bool shm_ = false;
    void* shmSegment_ = nullptr;  // XShmSegmentInfo*, alive as long as the image
    std::string shmRefusal_;
};

}  // namespace scintle
