#include "imaging/exchange/Print.h"

#include <winspool.h>

#include "framework/app/Afx.h"
#include "framework/dialogs/PrintDialog.h"
#include "framework/window/Wnd.h"
#include "imaging/filters/Sharpness.h"
#include "imaging/image/BufferedImage.h"

namespace s::image {

namespace {

constexpr int kSharpenLevel = 80;

void inform(const wchar_t* text) { AfxMessageBox(text, MB_ICONINFORMATION); }

// True when the system knows at least one printer (local or connected).
bool anyPrinterInstalled() {
    DWORD needed = 0, count = 0;
    EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
    return needed > 0;
}

// Gives a pooled image back however the job ends.
struct Owned {
    win::BufferedImage* image = nullptr;
    ~Owned() {
        if (image) image->release();
    }
};

// The page copy: the picture turned and fitted as planned, or a plain copy; null when
// the memory for it is not there.
win::BufferedImage* makePageCopy(win::BufferedImage* picture, const PageGeometry& page, const PrintPlan& plan) {
    if (!plan.fit) return picture->copy();
    Owned turned;
    win::BufferedImage* source = picture;
    if (plan.turn) {
        turned.image = picture->rotateRight();
        if (!turned.image || !turned.image->hasPixels()) return nullptr;
        source = turned.image;
    }
    win::BufferedImage* fitted = source->fitScale(page.availWidth, page.availHeight, true);
    return fitted ? fitted->copy() : nullptr;
}

// Draws the prepared picture at the page's top left, stretched by the printer-to-screen
// ratio. False when no memory DC could be made.
bool drawOnPage(HDC printer, win::BufferedImage* picture, int dpiX, int dpiY, int screenDpiX, int screenDpiY) {
    HDC memory = CreateCompatibleDC(nullptr);
    if (!memory) return false;
    HGDIOBJ old = SelectObject(memory, picture->getHBitmap());
    const int w = picture->getWidth(), h = picture->getHeight();
    StretchBlt(printer, 0, 0, printerPixels(w, dpiX, screenDpiX), printerPixels(h, dpiY, screenDpiY), memory, 0, 0, w,
               h, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    return true;
}

int screenDpi(int index) {
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, index) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

// The job on a chosen printer's DC; the DC is the caller's.
PrintResult runJob(win::BufferedImage* picture, const PrintOptions& options, HDC printer, const wchar_t* docName,
                   PrintBackend* backend) {
    const int dpiX = GetDeviceCaps(printer, LOGPIXELSX), dpiY = GetDeviceCaps(printer, LOGPIXELSY);
    const int screenX = screenDpi(LOGPIXELSX), screenY = screenDpi(LOGPIXELSY);
    if (dpiX <= 0 || dpiY <= 0) {
        inform(kPrinterRefusedText);
        return PrintResult::PrinterRefused;
    }
    const PageGeometry page =
        pageGeometry(GetDeviceCaps(printer, HORZSIZE), GetDeviceCaps(printer, VERTSIZE), dpiX, dpiY, screenX, screenY);
    const PrintPlan plan = planPrint(page, picture->getWidth(), picture->getHeight(), options);

    // The page is prepared before the job starts, so a lack of memory leaves no empty job.
    Owned pageCopy{makePageCopy(picture, page, plan)};
    if (!pageCopy.image || !pageCopy.image->hasPixels()) {
        inform(kPrintMemoryText);
        return PrintResult::OutOfMemory;
    }
    win::BufferedImage* toPrint = pageCopy.image;
    if (options.sharpen) {
        auto* sharpen = filters::sharpness::Sharpness::create();
        sharpen->setLevel(kSharpenLevel);
        pageCopy.image->addFilter(sharpen);  // released with the page copy
        toPrint = pageCopy.image->getFiltered();
        if (!toPrint || !toPrint->hasPixels()) {
            inform(kPrintMemoryText);
            return PrintResult::OutOfMemory;
        }
    }
    toPrint->flattenOnto(255, 255, 255);

    if (!backend->startDoc(printer, docName)) {
        inform(kPrinterRefusedText);
        return PrintResult::PrinterRefused;
    }
    bool ok = backend->startPage(printer);
    if (ok) {
        RECT whole{0, 0, page.pageWidth, page.pageHeight};
        FillRect(printer, &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        ok = drawOnPage(printer, toPrint, dpiX, dpiY, screenX, screenY);
        ok = backend->endPage(printer) && ok;
    }
    if (!ok) {
        backend->abortDoc(printer);
        inform(kPrinterRefusedText);
        return PrintResult::PrinterRefused;
    }
    return backend->endDoc(printer) ? PrintResult::Printed : PrintResult::PrinterRefused;
}

}  // namespace

PageGeometry pageGeometry(int horzSizeMm, int vertSizeMm, int dpiX, int dpiY, int screenDpiX, int screenDpiY) {
    PageGeometry g;
    g.pageWidth = int(horzSizeMm * dpiX / 25.4) - int(7 * dpiX / 25.4);
    g.pageHeight = int(vertSizeMm * dpiY / 25.4);
    if (dpiX > 0 && screenDpiX > 0) g.availWidth = int(g.pageWidth / (double(dpiX) / screenDpiX));
    if (dpiY > 0 && screenDpiY > 0) g.availHeight = int(g.pageHeight / (double(dpiY) / screenDpiY));
    return g;
}

PrintPlan planPrint(const PageGeometry& page, int w, int h, const PrintOptions& options) {
    PrintPlan plan;
    plan.fit = options.fitToPage || w > page.availWidth || h > page.availHeight;
    plan.turn = plan.fit && options.turnLandscape && w > h;
    return plan;
}

int printerPixels(int w, int dpi, int screenDpi) {
    return screenDpi > 0 ? int(double(dpi) / double(screenDpi) * w) : w;
}

PrintBackend::Choice PrintBackend::choosePrinter(HWND owner, HDC* dc) {
    *dc = nullptr;
    // Without any printer the dialog has nothing to offer: say so at once.
    if (!anyPrinterInstalled()) return Choice::NoPrinter;
    CPrintDialog dialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION | PD_HIDEPRINTTOFILE,
                        CWnd::FromHandle(owner));
    dialog.m_pd.nFromPage = dialog.m_pd.nToPage = 1;
    dialog.m_pd.nMinPage = dialog.m_pd.nMaxPage = 1;
    if (dialog.DoModal() != IDOK)
        return dialog.GetError() == DWORD(PDERR_NODEFAULTPRN) || dialog.GetError() == DWORD(PDERR_PRINTERNOTFOUND)
                   ? Choice::NoPrinter
                   : Choice::Cancelled;
    *dc = dialog.GetPrinterDC();
    if (!*dc) *dc = dialog.CreatePrinterDC();
    return *dc ? Choice::Chosen : Choice::NoPrinter;
}

bool PrintBackend::startDoc(HDC dc, const wchar_t* docName) {
    DOCINFOW info{};
    info.cbSize = sizeof info;
    info.lpszDocName = docName && *docName ? docName : L"";
    return StartDocW(dc, &info) > 0;
}

PrintResult printImage(win::BufferedImage* image, const PrintOptions& options, HWND owner, const wchar_t* docName,
                       PrintBackend* backend) {
    if (!image || !image->hasPixels() || image->getWidth() <= 0 || image->getHeight() <= 0)
        return PrintResult::NoPicture;
    win::BufferedImage* picture = image;
    if (image->hasFilters()) {
        picture = image->getFiltered();
        if (!picture || !picture->hasPixels()) {
            inform(kPrintMemoryText);
            return PrintResult::OutOfMemory;
        }
    }
    PrintBackend systemPrinters;
    if (!backend) backend = &systemPrinters;
    HDC printer = nullptr;
    switch (backend->choosePrinter(owner, &printer)) {
        case PrintBackend::Choice::Cancelled:
            if (printer) DeleteDC(printer);
            return PrintResult::Cancelled;
        case PrintBackend::Choice::NoPrinter:
            if (printer) DeleteDC(printer);
            inform(kNoPrinterText);
            return PrintResult::NoPrinter;
        case PrintBackend::Choice::Chosen: break;
    }
    const PrintResult result = runJob(picture, options, printer, docName, backend);
    DeleteDC(printer);
    return result;
}

}  // namespace s::image
