#pragma once

class Window1;

// Starts the program the way main() does, up to (not into) the event loop, and shuts it down.
namespace ProgramFixture {
void Start();
void Stop();
// The main window of the running program.
Window1& MainWindow();
// Lets queued events (deferred deletes, paints) run.
void ProcessEvents();
}
