// The saver page's full screen, as the saver runs full screen: a click or a key enters
// it (with the Fullscreen API) and keeps the screen awake (with the Screen Wake Lock
// API, where the browser offers it); in full screen a key, a mouse button, or the
// pointer drifting further than `threshold` device pixels from where it was (the sum
// of the two distances, platform/pointer_drift.h) leaves it, as the saver ends.
//
// A held key's repeats neither enter nor leave: the press that entered must not leave.
// The drift counts from the pointer's first position in full screen: entering full
// screen may move the window on the screen, and with it the pointer's coordinates.
// That position is forgotten when full screen is asked for, not when the browser says
// it has begun: some (WebKit) send a pointer move in full screen before saying so.

function drift(from, to) {
    return Math.abs(from.x - to.x) + Math.abs(from.y - to.y);
}

export function armFullScreen(element, getThreshold) {
    let reference = null;   // where the pointer was first seen in full screen
    let wakeLock = null;
    let swallowClick = false;  // the click of the press that left full screen

    const inFullScreen = () => document.fullscreenElement !== null;
    const enter = () => {
        if (inFullScreen()) return;
        reference = null;
        element.requestFullscreen?.().catch(() => {});
    };
    const leave = () => {
        if (inFullScreen()) document.exitFullscreen().catch(() => {});
    };
    const keepAwake = () => {
        if (!navigator.wakeLock || wakeLock || !inFullScreen()) return;
        navigator.wakeLock.request('screen').then((lock) => {
            wakeLock = lock;
            lock.addEventListener('release', () => { wakeLock = null; });
        }).catch(() => {});
    };

    document.addEventListener('keydown', (event) => {
        if (event.repeat) return;
        if (inFullScreen()) leave();
        else enter();
    });
    document.addEventListener('mousedown', () => {
        if (!inFullScreen()) return;
        swallowClick = true;
        leave();
    });
    document.addEventListener('click', () => {
        if (swallowClick) swallowClick = false;
        else enter();
    });
    document.addEventListener('mousemove', (event) => {
        if (!inFullScreen()) return;
        const ratio = window.devicePixelRatio || 1;
        const pointer = { x: Math.round(event.screenX * ratio),
                          y: Math.round(event.screenY * ratio) };
        if (reference === null) reference = pointer;
        else if (drift(reference, pointer) > getThreshold()) leave();
    });
    document.addEventListener('fullscreenchange', () => {
        if (inFullScreen()) keepAwake();
        else wakeLock?.release().catch(() => {});
    });
    // The browser lets the lock go when the page is hidden.
    document.addEventListener('visibilitychange', () => {
        if (document.visibilityState === 'visible') keepAwake();
    });
}
