#pragma once

// The program's start-up and shut-down, in their fixed order.
int Main(int& argc, char** argv);
// Main's steps before and after its event loop (RuntimeRun), which raises the application's
// Open event first. Tests and benchmarks start and stop the program with these.
void StartProgram(int& argc, char** argv);
int StopProgram(int result);
void EarlyStartup();
void InitFileTypes();
void NewAppInstance();
void ApplicationAddMenuHandlers();
void LateStartup();
void MakeDefaultView();
// Releases the program-wide references, in the order of start-up's counterpart.
void Finalize();
