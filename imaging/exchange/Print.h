// Printing one picture on one page, on the printer the user picks in the print dialog.
//
//   s::image::PrintOptions options{.turnLandscape = true, .sharpen = false, .fitToPage = true};
//   s::image::printImage(image, options, ownerHwnd, L"Glimmer");
//
// The user hears of a missing printer or a job the printer refuses through an
// information box (the framework's message box, which tests can answer).
#pragma once

#include <windows.h>

#include <string>

namespace s::image::win {
class BufferedImage;
}

namespace s::image {

struct PrintOptions {
    bool turnLandscape = false;  // a picture wider than high is turned clockwise to fit
    bool sharpen = false;        // sharpened at level 80 after fitting
    bool fitToPage = false;      // scaled to the page even when it would fit as it is
};

// The page in printer pixels (7 mm less than the printable width, the full printable
// height) and the same room in screen pixels.
struct PageGeometry {
    int pageWidth = 0, pageHeight = 0;
    int availWidth = 0, availHeight = 0;
};
PageGeometry pageGeometry(int horzSizeMm, int vertSizeMm, int dpiX, int dpiY, int screenDpiX, int screenDpiY);

// What happens to a picture of w x h on that page: turned first, fitted to the room
// (keeping its ratio), or printed as it is.
struct PrintPlan {
    bool turn = false;
    bool fit = false;
};
PrintPlan planPrint(const PageGeometry& page, int w, int h, const PrintOptions& options);

// The printer's size of a picture of w screen pixels (the printer-to-screen ratio,
// truncated).
int printerPixels(int w, int dpi, int screenDpi);

enum class PrintResult { Printed, Cancelled, NoPicture, NoPrinter, PrinterRefused, OutOfMemory };

// The printer side of a job, replaceable for tests.
class PrintBackend {
public:
    enum class Choice { Chosen, Cancelled, NoPrinter };

    virtual ~PrintBackend() = default;
    // Asks the user for the printer and its settings (one page, 1 to 1). On Chosen, dc
    // is the chosen printer's DC made with the chosen settings; the job deletes it.
    virtual Choice choosePrinter(HWND owner, HDC* dc);
    virtual bool startDoc(HDC dc, const wchar_t* docName);
    virtual bool startPage(HDC dc) { return StartPage(dc) > 0; }
    virtual bool endPage(HDC dc) { return EndPage(dc) > 0; }
    virtual bool endDoc(HDC dc) { return EndDoc(dc) > 0; }
    virtual void abortDoc(HDC dc) { AbortDoc(dc); }
};

// Prints the picture (its filter chain's result when it has filters). The picture
// itself is not changed. A missing printer, a job the printer refuses and a picture
// too large for memory are told to the user; a cancelled dialog is not.
PrintResult printImage(win::BufferedImage* image, const PrintOptions& options, HWND owner, const wchar_t* docName,
                       PrintBackend* backend = nullptr);

// The texts the user sees.
inline constexpr const wchar_t* kNoPrinterText = L"Unable to find a printer. Please check installed/default printers.";
inline constexpr const wchar_t* kPrinterRefusedText = L"Printing error occured. Unable to find printer.";
inline constexpr const wchar_t* kPrintMemoryText = L"There is not enough memory to print this picture.";

}  // namespace s::image
