#include "platform/net/GipFinder.h"

#include <windows.h>
#include <urlmon.h>

#include "platform/file/PathWin.h"
#include "platform/net/Callback.h"

namespace s::system::network {

using str::strbuffer::StrBuffer;

namespace {

bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool isHex(wchar_t c) { return isDigit(c) || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F'); }

// Dotted decimal: four numbers 0..255 without leading zeros.
bool isIpv4(const wchar_t* s, uint32_t n) {
    uint32_t i = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (i >= n || s[i] != L'.') return false;
            ++i;
        }
        uint32_t start = i, value = 0;
        while (i < n && isDigit(s[i]) && i - start < 3) value = value * 10 + uint32_t(s[i++] - L'0');
        const uint32_t digits = i - start;
        if (digits == 0 || value > 255 || (digits > 1 && s[start] == L'0')) return false;
    }
    return i == n;
}

// Eight groups of up to four hex digits, one "::" standing for one or more zero
// groups, and optionally an IPv4 address in place of the last two groups.
bool isIpv6(const wchar_t* s, uint32_t n) {
    if (n < 2) return false;
    int groups = 0;
    bool gap = false;
    uint32_t i = 0;
    if (s[0] == L':') {
        if (s[1] != L':') return false;
        gap = true;
        i = 2;
        if (i == n) return true;  // "::"
    }
    while (i < n) {
        uint32_t start = i;
        while (i < n && isHex(s[i]) && i - start < 5) ++i;
        if (i < n && s[i] == L'.') {  // the IPv4 tail
            if (groups > 6 || !isIpv4(s + start, n - start)) return false;
            groups += 2;
            i = n;
            break;
        }
        const uint32_t digits = i - start;
        if (digits == 0 || digits > 4) return false;
        ++groups;
        if (i == n) break;
        if (s[i] != L':') return false;
        ++i;
        if (i < n && s[i] == L':') {
            if (gap) return false;
            gap = true;
            ++i;
            if (i == n) break;
        } else if (i == n) {
            return false;  // a single trailing colon
        }
    }
    return gap ? groups < 8 : groups == 8;
}

}  // namespace

bool isIpAddressText(const wchar_t* text, int32_t length) {
    if (!text) return false;
    const uint32_t n = length >= 0 ? uint32_t(length) : uint32_t(wcslen(text));
    return isIpv4(text, n) || isIpv6(text, n);
}

namespace win {

GipFinder::GipFinder() : thread_(thread::win::Thread::create()) {
    if (thread_) thread_->setPriority(THREAD_PRIORITY_NORMAL);
}

GipFinder::~GipFinder() {
    stop(true);
    if (thread_) thread_->release();
}

void GipFinder::reset() {
    stop(true);
    running_ = 0;
    stopRequested_ = 0;
    found_ = 0;
    address_.freeStorage();
    server_.freeStorage();
    retryMs_ = kDefaultRetryMs;
    attempts_ = 0;
}

void GipFinder::start() {
    if (found_ || !thread_) return;
    if (running_ && stopRequested_) stop(true);
    if (!running_) {
        stopRequested_ = 0;
        attempts_ = 0;
        running_ = 1;
        thread_->runOnce(this);
    }
}

void GipFinder::stop(bool wait) {
    stopRequested_ = 1;
    if (wait) {
        waitStopped();
        stopRequested_ = 0;
    }
}

void GipFinder::waitStopped() {
    // The task notices the request between its pause steps, and a download in
    // progress is aborted at its next notification.
    while (running_) Sleep(5);
    if (thread_) thread_->waitIdle();
}

bool GipFinder::getAddress(StrBuffer* out) {
    if (!found_ || !out) return false;
    thread::ObjLocker::Guard guard(lock_);
    if (!found_) return false;
    out->setStr(&address_);
    return true;
}

void GipFinder::run() {
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    while (!stopRequested_ && !found_) {
        if (attempt()) break;
        // Wait before the next try, in short steps so that a stop is noticed quickly.
        for (int32_t waited = 0; waited < retryMs_ && !stopRequested_; waited += 200)
            Sleep(DWORD(retryMs_ - waited < 200 ? retryMs_ - waited : 200));
    }
    if (SUCCEEDED(com)) CoUninitialize();
    stopRequested_ = 0;
    running_ = 0;
}

bool GipFinder::attempt() {
    attempts_.fetch_add(1);
    if (!isOnline()) return false;
    StrBuffer url;
    url.setText(server_.length() ? server_.text() : kDefaultServer);
    url.appendText(kPagePath);

    // The page goes to a fresh temporary file rather than the internet cache, so a
    // retry never reads back an earlier (wrong) answer.
    file::win::PathWin* temp = file::win::PathWin::createTemp();
    if (!temp) return false;
    StrBuffer path;
    path.setText(temp->getFullPath());
    temp->release();
    if (path.length() == 0) return false;
    win::CCallback callback(nullptr, nullptr, nullptr, &stopRequested_);
    HRESULT hr = URLDownloadToFileW(nullptr, url.text(), path.text(), 0, &callback);
    if (FAILED(hr) || !callback.statusOk() || stopRequested_) {
        DeleteFileW(path.text());
        return false;
    }

    HANDLE file = CreateFileW(path.text(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DeleteFileW(path.text());
        return true;
    }
    char bytes[100];
    DWORD got = 0;
    if (!ReadFile(file, bytes, sizeof(bytes), &got, nullptr)) got = 0;
    CloseHandle(file);
    DeleteFileW(path.text());

    // The page holds the address, perhaps with a line end around it; anything
    // else (an error page, a truncated answer) is no answer, and the search goes on.
    DWORD first = 0, last = got;
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (first < last && blank(bytes[first])) ++first;
    while (last > first && blank(bytes[last - 1])) --last;
    wchar_t text[100];
    const DWORD n = last - first;
    for (DWORD i = 0; i < n; ++i) text[i] = wchar_t(static_cast<unsigned char>(bytes[first + i]));
    if (n == 0 || n > kMaxAddressUnits || !isIpAddressText(text, int32_t(n))) return false;

    thread::ObjLocker::Guard guard(lock_);
    address_.assign(text, int32_t(n));
    found_ = 1;
    return true;
}

}  // namespace win
}  // namespace s::system::network
