#pragma once

// How a print job lays out its pages. The page drawn is 540 x 720 points (US Letter less
// half-inch margins) in portrait, 720 x 540 in landscape; a printer whose printable area is
// smaller gets it scaled down evenly.
class PrinterSetup {
public:
    bool Landscape = false;
    int PageWidth() const { return Landscape ? 720 : 540; }
    int PageHeight() const { return Landscape ? 540 : 720; }
};
