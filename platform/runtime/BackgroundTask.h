#pragma once

// Lets a long loop on the GUI thread keep the windows responsive. Cheap enough to call for
// every pixel: most calls only count; events are processed at most every few milliseconds.
namespace BackgroundTask {
// Wider than a pixel, so that pixel stores cannot alias it and the count stays in a register.
extern unsigned long countdown;
void Poll();
}

inline void RuntimeBackgroundTask()
{
    if (--BackgroundTask::countdown == 0)
        BackgroundTask::Poll();
}
