// Test support for printing: a stand-in printer (a memory DC over a 32-bit page the
// print dialog "chose", each call of the job recorded) and a log of the message boxes
// shown while it lives, answered at once.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/app/Afx.h"
#include "imaging/exchange/Print.h"

namespace testsupport {

class PaperBackend : public s::image::PrintBackend {
public:
    explicit PaperBackend(Choice choice = Choice::Chosen, bool acceptDoc = true)
        : choice_(choice), acceptDoc_(acceptDoc) {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), kW, -kH, 1, 32, BI_RGB};
        paper_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    }
    ~PaperBackend() override { DeleteObject(paper_); }
    PaperBackend(const PaperBackend&) = delete;
    PaperBackend& operator=(const PaperBackend&) = delete;

    Choice choosePrinter(HWND, HDC* dc) override {
        *dc = nullptr;
        if (choice_ != Choice::Chosen) return choice_;
        dc_ = CreateCompatibleDC(nullptr);
        SelectObject(dc_, paper_);
        *dc = dc_;
        return choice_;
    }
    bool startDoc(HDC dc, const wchar_t* name) override {
        calls.push_back(L"startDoc " + std::wstring(name ? name : L"") + (dc == dc_ ? L"" : L" (other DC)"));
        return acceptDoc_;
    }
    bool startPage(HDC) override { return calls.push_back(L"startPage"), true; }
    bool endPage(HDC) override { return calls.push_back(L"endPage"), true; }
    bool endDoc(HDC) override { return calls.push_back(L"endDoc"), true; }
    void abortDoc(HDC) override { calls.push_back(L"abortDoc"); }

    uint32_t pixel(int x, int y) const {
        GdiFlush();
        return bits_[y * kW + x] & 0xFFFFFF;
    }
    HDC chosenDc() const { return dc_; }
    std::vector<std::wstring> calls;

    static constexpr int kW = 300, kH = 200;

private:
    Choice choice_;
    bool acceptDoc_;
    HBITMAP paper_ = nullptr;
    uint32_t* bits_ = nullptr;
    HDC dc_ = nullptr;
};

// Collects the texts of the message boxes shown while it lives (" (not info)" added to
// a box that is not an information box).
struct MessageLog {
    std::vector<std::wstring> texts;
    AfxMessageBoxHandler previous;
    MessageLog() {
        previous = AfxSetMessageBoxHandler([this](const wchar_t* text, const wchar_t*, UINT type) {
            texts.push_back(std::wstring(text) + ((type & MB_ICONMASK) == MB_ICONINFORMATION ? L"" : L" (not info)"));
            return IDOK;
        });
    }
    ~MessageLog() { AfxSetMessageBoxHandler(previous); }
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;
};

}  // namespace testsupport
