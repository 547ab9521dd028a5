#pragma once

// The program's start-up and shut-down, in their fixed order.
int _Main(int& argc, char** argv);
void _EarlyStartup();
void _InitFileTypes();
void _NewAppInstance();
void _ApplicationAddMenuHandlers();
void _LateStartup();
void _MakeDefaultView();
// Releases the program-wide references, in the order of start-up's counterpart.
void _Finalize();
