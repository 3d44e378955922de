// Printing: the page geometry and plan as case tables, and whole jobs run on a stand-in
// printer (a memory DC the print dialog "chose"), with the user's messages answered by
// the test.
#include <gtest/gtest.h>
#include <windows.h>

#include <winspool.h>

#include <string>
#include <vector>

#include "framework/app/Afx.h"
#include "imaging/exchange/Print.h"
#include "imaging/image/BufferedImage.h"
#include "support/PaperPrinter.h"

using s::image::PrintBackend;
using s::image::PrintOptions;
using s::image::PrintResult;
using s::image::win::BufferedImage;

namespace {

TEST(PrintGeometry, PageAndRoomFromThePrintersSizeAndResolution) {
    struct Case {
        int horz, vert, dpiX, dpiY, screenX, screenY;
        int pageW, pageH, availW, availH;
    } cases[] = {
        {210, 297, 600, 600, 96, 96, 4795, 7015, 767, 1122},  // A4 at 600 dpi
        {203, 271, 300, 300, 96, 96, 2315, 3200, 740, 1024},  // Letter's printable area at 300 dpi
        {210, 297, 600, 300, 144, 144, 4795, 3507, 1150, 1683},
    };
    for (const Case& c : cases) {
        s::image::PageGeometry g = s::image::pageGeometry(c.horz, c.vert, c.dpiX, c.dpiY, c.screenX, c.screenY);
        EXPECT_EQ(g.pageWidth, c.pageW) << c.horz << "x" << c.vert;
        EXPECT_EQ(g.pageHeight, c.pageH) << c.horz << "x" << c.vert;
        EXPECT_EQ(g.availWidth, c.availW) << c.horz << "x" << c.vert;
        EXPECT_EQ(g.availHeight, c.availH) << c.horz << "x" << c.vert;
    }
    EXPECT_EQ(s::image::printerPixels(100, 600, 96), 625);  // only the resolution ratio
    EXPECT_EQ(s::image::printerPixels(100, 96, 96), 100);
}

TEST(PrintGeometry, WhatHappensToThePicture) {
    const s::image::PageGeometry a4 = s::image::pageGeometry(210, 297, 600, 600, 96, 96);  // room 767 x 1122
    struct Case {
        int w, h;
        bool landscape, fitToPage;
        bool fit, turn;
    } cases[] = {
        {100, 100, false, false, false, false},   // fits: printed as it is
        {100, 100, true, false, false, false},    // fits: never turned
        {100, 100, false, true, true, false},     // fit to page asked
        {1200, 800, true, false, true, true},     // too wide: turned clockwise first
        {800, 1200, true, false, true, false},    // higher than wide: not turned
        {1200, 800, false, false, true, false},   // too wide, turning not asked
        {767, 1122, false, false, false, false},  // exactly the room
        {768, 10, false, false, true, false},
    };
    for (const Case& c : cases) {
        PrintOptions o;
        o.turnLandscape = c.landscape;
        o.fitToPage = c.fitToPage;
        s::image::PrintPlan plan = s::image::planPrint(a4, c.w, c.h, o);
        EXPECT_EQ(plan.fit, c.fit) << c.w << "x" << c.h;
        EXPECT_EQ(plan.turn, c.turn) << c.w << "x" << c.h;
    }
}

using testsupport::PaperBackend;
using Messages = testsupport::MessageLog;

BufferedImage* picture(int w, int h) {
    BufferedImage* image = BufferedImage::createSized(w, h);
    image->fill(255, 0x20, 0x60, 0xA0);
    image->getRow(0)[0] = 0x00123456;  // fully transparent: white on paper
    image->setHasAlpha(true);
    return image;
}

TEST(PrintJob, DrawsOnThePrinterTheUserChose) {
    Messages messages;
    PaperBackend paper;
    BufferedImage* image = picture(40, 30);
    EXPECT_EQ(s::image::printImage(image, PrintOptions{}, nullptr, L"Glimmer", &paper), PrintResult::Printed);
    EXPECT_EQ(paper.calls, (std::vector<std::wstring>{L"startDoc Glimmer", L"startPage", L"endPage", L"endDoc"}));
    EXPECT_TRUE(messages.texts.empty());
    // The screen and this stand-in share their resolution: drawn 1:1 at the top left.
    EXPECT_EQ(paper.pixel(5, 5), 0x2060A0u);
    EXPECT_EQ(paper.pixel(39, 29), 0x2060A0u);
    EXPECT_EQ(paper.pixel(0, 0), 0xFFFFFFu);  // transparent, flattened onto white
    EXPECT_EQ(paper.pixel(40, 29), 0xFFFFFFu);
    EXPECT_EQ(paper.pixel(200, 150), 0xFFFFFFu);     // the page was filled white
    EXPECT_EQ(GetObjectType(paper.chosenDc()), 0u);  // the printer DC is deleted
    // The picture itself is unchanged and got no filter.
    EXPECT_EQ(image->getRow(0)[0], 0x00123456u);
    EXPECT_FALSE(image->hasFilters());
    image->release();
}

TEST(PrintJob, SharpenedPrintLeavesThePictureAlone) {
    Messages messages;
    PaperBackend paper;
    BufferedImage* image = picture(20, 20);
    PrintOptions options;
    options.sharpen = true;
    EXPECT_EQ(s::image::printImage(image, options, nullptr, L"", &paper), PrintResult::Printed);
    EXPECT_EQ(paper.pixel(10, 10), 0x2060A0u);  // a flat area stays as it is
    EXPECT_FALSE(image->hasFilters());
    image->release();
}

TEST(PrintJob, EveryWayAJobEndsEarly) {
    struct Case {
        const char* what;
        PrintBackend::Choice choice;
        bool acceptDoc;
        PrintResult result;
        std::vector<std::wstring> messages;
        std::vector<std::wstring> calls;
    } cases[] = {
        {"no printer", PrintBackend::Choice::NoPrinter, true, PrintResult::NoPrinter, {s::image::kNoPrinterText}, {}},
        {"cancelled", PrintBackend::Choice::Cancelled, true, PrintResult::Cancelled, {}, {}},
        {"document refused",
         PrintBackend::Choice::Chosen,
         false,
         PrintResult::PrinterRefused,
         {s::image::kPrinterRefusedText},
         {L"startDoc x"}},
    };
    for (const Case& c : cases) {
        Messages messages;
        PaperBackend paper(c.choice, c.acceptDoc);
        BufferedImage* image = picture(10, 10);
        EXPECT_EQ(s::image::printImage(image, PrintOptions{}, nullptr, L"x", &paper), c.result) << c.what;
        EXPECT_EQ(messages.texts, c.messages) << c.what;
        EXPECT_EQ(paper.calls, c.calls) << c.what;
        if (paper.chosenDc()) EXPECT_EQ(GetObjectType(paper.chosenDc()), 0u) << c.what;
        image->release();
    }
    Messages messages;
    BufferedImage* empty = BufferedImage::create();
    EXPECT_EQ(s::image::printImage(empty, PrintOptions{}, nullptr, L"x"), PrintResult::NoPicture);
    empty->release();
    EXPECT_TRUE(messages.texts.empty());
}

TEST(PrintJob, RepeatedJobsLeaveNoGdiObjectsBehind) {
    Messages messages;
    PaperBackend paper;
    BufferedImage* image = picture(30, 20);
    PrintOptions turnAndSharpen;
    turnAndSharpen.fitToPage = turnAndSharpen.turnLandscape = turnAndSharpen.sharpen = true;
    auto gdiObjects = [] { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); };
    // One job first, so that pools and caches are made before counting.
    ASSERT_EQ(s::image::printImage(image, turnAndSharpen, nullptr, L"x", &paper), PrintResult::Printed);
    // The system's count (Wine answers 0 here, so each printer DC is also checked gone).
    const DWORD before = gdiObjects();
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(s::image::printImage(image, i % 2 ? turnAndSharpen : PrintOptions{}, nullptr, L"x", &paper),
                  PrintResult::Printed);
        EXPECT_EQ(GetObjectType(paper.chosenDc()), 0u) << "job " << i;
    }
    EXPECT_LE(gdiObjects(), before + 2);  // pooled images may keep a DIB or two
    image->release();
}

TEST(PrintJob, WithoutAnyPrinterTheUserIsTold) {
    DWORD needed = 0, count = 0;
    EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
    if (needed > 0) GTEST_SKIP() << "this machine has a printer";
    Messages messages;
    BufferedImage* image = picture(10, 10);
    EXPECT_EQ(s::image::printImage(image, PrintOptions{}, nullptr, L"x"), PrintResult::NoPrinter);
    EXPECT_EQ(messages.texts, std::vector<std::wstring>{s::image::kNoPrinterText});
    image->release();
}

}  // namespace
