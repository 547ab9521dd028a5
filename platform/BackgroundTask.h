#pragma once

// Lets a long loop on the GUI thread keep the windows responsive. Cheap enough to call for
// every pixel: most calls only count; events are processed at most every few milliseconds.
namespace BackgroundTask {
extern unsigned countdown;
void Poll();
}

inline void RuntimeBackgroundTask()
{
    if (--BackgroundTask::countdown == 0)
        BackgroundTask::Poll();
}
