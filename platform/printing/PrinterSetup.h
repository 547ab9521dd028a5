#pragma once

// How a print job lays out its pages. The page drawn is 540 x 720 points (US Letter less
// half-inch margins) in portrait, 720 x 540 in landscape; a printer whose printable area is
// smaller gets it scaled down evenly.
class PrinterSetup {
public:
    static constexpr int kMargin = 36; // half an inch on every side of US Letter
    static constexpr int kPortraitWidth = 540;
    static constexpr int kPortraitHeight = 720;

    bool Landscape = false;
    int PageWidth() const { return Landscape ? kPortraitHeight : kPortraitWidth; }
    int PageHeight() const { return Landscape ? kPortraitWidth : kPortraitHeight; }
};
