// Preloaded into Xvfb by the X11 saver's tests (LD_PRELOAD): a server that offers
// MIT-SHM but attaches no client's segment, as a server on another machine cannot.
// Every shmat fails as refused, so each XShmAttach is answered with BadAccess.
#include <sys/shm.h>

#include <cerrno>

extern "C" void* shmat(int, const void*, int) {
    errno = EACCES;
    return reinterpret_cast<void*>(-1);
}
