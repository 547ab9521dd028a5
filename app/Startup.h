#pragma once

// The program's start-up and shut-down, in their fixed order.
int _Main(int& argc, char** argv);
// _Main's steps before and after its event loop (_RuntimeRun), which raises the application's
// Open event first. Tests and benchmarks start and stop the program with these.
void StartProgram(int& argc, char** argv);
int StopProgram(int result);
void _EarlyStartup();
void _InitFileTypes();
void _NewAppInstance();
void _ApplicationAddMenuHandlers();
void _LateStartup();
void _MakeDefaultView();
// Releases the program-wide references, in the order of start-up's counterpart.
void _Finalize();
