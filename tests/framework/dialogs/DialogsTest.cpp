// The common dialogs, run for real and answered from a second thread the way a
// user would: typing into the name box, picking a file type, pressing OK.
#include <gtest/gtest.h>
#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "framework/dialogs/ColorDialog.h"
#include "framework/dialogs/FileDialog.h"
#include "framework/dialogs/PrintDialog.h"
#include "support/DialogDriver.h"

namespace {

using testsupport::DialogDriver;
using testsupport::textOf;

using testsupport::nameBox;
using testsupport::TempFolder;

TEST(CFileDialog, MultiSelectionGivesEveryPathInOrder) {
    TempFolder folder(L"dialogs", {L"a.jpg", L"b.jpg", L"c.jpg"});
    CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST,
                    L"JPEG|*.jpg|");
    dlg.SetInitialDir(folder.path.c_str());
    EXPECT_EQ(dlg.m_ofn.nMaxFile, 0u);  // set up by DoModal
    DialogDriver driver([](HWND dialog) {
        SendMessageW(nameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"\"a.jpg\" \"b.jpg\" \"c.jpg\""));
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK) << dlg.GetError();
    EXPECT_GE(dlg.m_ofn.nMaxFile, CFileDialog::kMultiSelectBufferChars);
    std::vector<std::wstring> paths = dlg.GetPathNames();
    ASSERT_EQ(paths.size(), 3u);
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(lstrcmpiW(paths[i].c_str(), folder.files[i].c_str()), 0) << paths[i];
    EXPECT_EQ(lstrcmpiW(dlg.GetPathName().c_str(), folder.files[0].c_str()), 0);
    EXPECT_EQ(dlg.GetFileName(), L"a.jpg");
    EXPECT_EQ(dlg.GetFileExt(), L"jpg");
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);  // unbound once the dialog is gone
}

TEST(CFileDialog, SingleSelectionGivesOnePath) {
    TempFolder folder(L"dialogs", {L"only.png"});
    CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, L"PNG|*.png||");
    dlg.SetInitialDir(folder.path.c_str());
    DialogDriver driver([](HWND dialog) {
        SendMessageW(nameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"only.png"));
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK) << dlg.GetError();
    ASSERT_EQ(dlg.GetPathNames().size(), 1u);
    EXPECT_EQ(lstrcmpiW(dlg.GetPathName().c_str(), folder.files[0].c_str()), 0);
}

// Gives the name in the dialog the extension of the chosen filter.
class RenamingDialog : public CFileDialog {
public:
    RenamingDialog() : CFileDialog(FALSE, L"jpg", L"photo.jpg", OFN_HIDEREADONLY, L"JPEG|*.jpg|PNG|*.png||") {}
    std::vector<DWORD> typeChanges;
    bool boundAtStart = false;

protected:
    void OnInitDone() override { boundAtStart = GetDialogWindow() != nullptr && FromHandlePermanent(m_hWnd) == this; }
    void OnTypeChange() override {
        typeChanges.push_back(GetFilterIndex());
        std::wstring name = GetDialogFileSpec();
        size_t dot = name.rfind(L'.');
        if (name.empty() || dot == std::wstring::npos) return;
        name = name.substr(0, dot) + (GetFilterIndex() == 2 ? L".png" : L".jpg");
        SetControlText(cmb13, name.c_str());
        SetControlText(edt1, name.c_str());
    }
};

TEST(CFileDialog, TypeChangeReachesTheDialogObjectWhichMayRewriteTheName) {
    RenamingDialog dlg;
    std::wstring shownAfterChange;
    DialogDriver driver([&](HWND dialog) {
        HWND types = GetDlgItem(dialog, cmb1);
        SendMessageW(types, CB_SETCURSEL, 1, 0);
        // What the combo box tells its dialog when the user picks an entry.
        for (WORD code : {WORD(CBN_SELCHANGE), WORD(CBN_SELENDOK)})
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, code), reinterpret_cast<LPARAM>(types));
        shownAfterChange = textOf(nameBox(dialog));
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.GetError(), 0u);  // cancelled, not failed
    EXPECT_TRUE(driver.acted());
    EXPECT_TRUE(dlg.boundAtStart);
    EXPECT_EQ(dlg.typeChanges, std::vector<DWORD>{2});
    EXPECT_EQ(shownAfterChange, L"photo.png");
}

TEST(CColorDialog, OkGivesTheColourTheDialogStartedWith) {
    CColorDialog dlg(RGB(12, 34, 56), CC_FULLOPEN);
    EXPECT_TRUE(dlg.m_cc.Flags & CC_RGBINIT);
    DialogDriver ok([](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDOK, 0); });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetColor(), RGB(12, 34, 56));
}

TEST(CColorDialog, CancelAnswersCancel) {
    CColorDialog dlg(RGB(1, 2, 3));
    DialogDriver cancel([](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST(CPrintDialog, AsksForTheChosenPrintersDcAndReportsAMissingPrinter) {
    CPrintDialog dlg(FALSE, PD_ALLPAGES | PD_NOSELECTION | PD_NOPAGENUMS);
    DialogDriver driver([](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDOK, 0); });
    INT_PTR answer = dlg.DoModal();
    EXPECT_TRUE(dlg.m_pd.Flags & PD_RETURNDC);
    if (answer == IDOK) {
        // A printer exists: the DC is the chosen printer's.
        ASSERT_NE(dlg.GetPrinterDC(), nullptr);
        EXPECT_FALSE(dlg.GetDeviceName().empty());
        DeleteDC(dlg.GetPrinterDC());
    } else {
        // No printer: the system says so, and there is no DC.
        EXPECT_TRUE(dlg.GetError() == 0 || dlg.GetError() == DWORD(PDERR_NODEFAULTPRN)) << dlg.GetError();
        EXPECT_EQ(dlg.GetPrinterDC(), nullptr);
        EXPECT_EQ(dlg.CreatePrinterDC(), nullptr);
    }
}

}  // namespace
