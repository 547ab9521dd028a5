#pragma once

// Prints the help text, then closes the help window; true in every case.
bool PrintHelp();

// Where the help text goes on a printed page, in points from the printable area's top-left:
// blocks of kHelpBlockWidth x kHelpBlockHeight at (kHelpBlockLeft, kHelpBlockTop), above the footer.
inline constexpr int kHelpBlockLeft = 36;
inline constexpr int kHelpBlockTop = 36;
inline constexpr int kHelpBlockWidth = 492;
inline constexpr int kHelpBlockHeight = 672;
