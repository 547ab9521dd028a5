#pragma once

// Prints the help text, then closes the help window; true in every case.
bool PrintHelp();
