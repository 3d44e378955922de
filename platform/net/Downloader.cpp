#include "platform/net/Downloader.h"

#include <wininet.h>

#include <memory>
#include <new>

#include "platform/file/PathWin.h"

namespace s::system::network::win {

using str::strbuffer::StrBuffer;

namespace {

constexpr const wchar_t* kDefaultUserAgent = L"Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1)";
constexpr DWORD kChunk = 5000;

uint64_t nowMs() { return GetTickCount64(); }

// Whole file as text, one unit per byte; false when it cannot be read, is empty, or
// the room for it cannot be had (never an exception: this runs on the worker thread).
bool readBytesAsText(const wchar_t* path, StrBuffer* out, DWORD limit) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size) != 0;
    DWORD want = ok ? DWORD(size.QuadPart < LONGLONG(limit) ? size.QuadPart : limit) : 0;
    std::unique_ptr<unsigned char[]> bytes(want > 0 ? new (std::nothrow) unsigned char[want] : nullptr);
    DWORD got = 0;
    ok = ok && bytes && ReadFile(file, bytes.get(), want, &got, nullptr) && got > 0;
    CloseHandle(file);
    if (!ok) return false;
    out->clear();
    if (!out->ensureCapacity(got + 1)) return false;
    for (DWORD i = 0; i < got; ++i) out->appendChar(wchar_t(bytes[i]));
    return true;
}

bool parsePort(const wchar_t* s, uint32_t n, uint16_t* port) {
    if (n == 0 || n > 5) return false;
    uint32_t v = 0;
    for (uint32_t i = 0; i < n; ++i) {
        if (s[i] < L'0' || s[i] > L'9') return false;
        v = v * 10 + uint32_t(s[i] - L'0');
    }
    if (v == 0 || v > 65535) return false;
    *port = uint16_t(v);
    return true;
}

}  // namespace

bool Downloader::splitUrl(const wchar_t* url, bool* secure, StrBuffer* host, uint16_t* port, StrBuffer* object) {
    if (!url) return false;
    StrBuffer text;
    text.setText(url);
    uint32_t start;
    if (text.startsWithIgnoreCase(L"http://")) {
        *secure = false;
        start = 7;
    } else if (text.startsWithIgnoreCase(L"https://")) {
        *secure = true;
        start = 8;
    } else {
        return false;
    }
    uint32_t slash;
    if (!text.find(L"/", &slash, start) || slash == start) return false;
    const wchar_t* h = text.text() + start;
    uint32_t hostLength = slash - start;
    *port = *secure ? INTERNET_DEFAULT_HTTPS_PORT : INTERNET_DEFAULT_HTTP_PORT;
    // A port after the host ("host:8080", "[::1]:8080").
    uint32_t colon = hostLength;
    for (uint32_t i = hostLength; i > 0; --i) {
        if (h[i - 1] == L':') {
            colon = i - 1;
            break;
        }
        if (h[i - 1] == L']') break;
    }
    if (colon < hostLength) {
        if (!parsePort(h + colon + 1, hostLength - colon - 1, port)) return false;
        hostLength = colon;
    }
    if (hostLength == 0) return false;
    host->assign(h, int32_t(hostLength));
    object->setText(text.text() + slash);
    return true;
}

Downloader::Downloader() : thread_(thread::win::Thread::create()) {
    if (thread_) thread_->setPriority(THREAD_PRIORITY_HIGHEST);
}

Downloader::~Downloader() {
    stop(true);
    if (thread_) thread_->release();
}

void Downloader::reset() {
    stop(true);
    running_ = 0;
    stopRequested_ = 0;
    done_ = 0;
    keepText_ = false;
    url_.freeStorage();
    userAgent_.freeStorage();
    referrer_.freeStorage();
    filePath_.freeStorage();
    result_.freeStorage();
    progress_ = nullptr;
    data_ = nullptr;
    buffer_ = nullptr;
    stallTimeoutMs_ = 30000;
}

void Downloader::start() {
    if (done_ || !thread_) return;
    if (running_ && stopRequested_) stop(true);
    thread::ObjLocker::Guard guard(lock_);
    if (!running_) {
        stopRequested_ = 0;
        running_ = 1;
        thread_->runOnce(this);
    }
}

bool Downloader::startWith(ProgressFn progress, void* data, void* buffer) {
    if (done_ || !thread_) return false;
    // A run that was asked to stop ends soon: wait for it rather than refuse.
    if (running_ && stopRequested_) stop(true);
    thread::ObjLocker::Guard guard(lock_);
    // The worker of a run under way reads the callback and its data: leave them alone.
    if (running_) return false;
    progress_ = progress;
    data_ = data;
    buffer_ = buffer;
    stopRequested_ = 0;
    running_ = 1;
    thread_->runOnce(this);
    return true;
}

void Downloader::stop(bool wait) {
    stopRequested_ = 1;
    closeHandles();
    if (wait) {
        waitStopped();
        stopRequested_ = 0;
    }
}

void Downloader::waitStopped() {
    // The task ends on its own once it sees the request: the progress notification
    // aborts a URL download, closed handles or the stall time-out end a GET request.
    while (running_) Sleep(5);
    if (thread_) thread_->waitIdle();
}

void Downloader::closeHandles() {
    thread::ObjLocker::Guard guard(lock_);
    if (request_) InternetCloseHandle(request_);
    if (connection_) InternetCloseHandle(connection_);
    if (internet_) InternetCloseHandle(internet_);
    request_ = connection_ = internet_ = nullptr;
}

bool Downloader::download(int32_t timeoutMs, ProgressFn progress, void* data, void* buffer) {
    if (!isOnline()) return false;
    if (done_) return true;
    // One run at a time: a download while another run is under way is refused.
    if (!startWith(progress, data, buffer)) return false;
    const uint64_t deadline = nowMs() + uint64_t(timeoutMs > 0 ? timeoutMs : 0);
    while (running_) {
        const uint64_t now = nowMs();
        if (stopRequested_ || now >= deadline) break;
        Sleep(DWORD(deadline - now < 20 ? deadline - now : 20));
    }
    if (running_) {
        bool finished;
        {
            thread::ObjLocker::Guard guard(lock_);
            finished = done_ != 0;
            // Once asked to stop, the task no longer reports success.
            if (!finished) stopRequested_ = 1;
        }
        if (!finished) closeHandles();
    }
    return done_ != 0;
}

void Downloader::run() {
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (isOnline() && !stopRequested_) fetch();
    if (SUCCEEDED(com)) CoUninitialize();
    closeHandles();
    stopRequested_ = 0;
    running_ = 0;
}

bool Downloader::fetch() {
    file::win::PathWin* temp = file::win::PathWin::createTemp();
    if (!temp) return false;
    StrBuffer path;
    path.setText(temp->getFullPath());
    temp->release();
    if (path.length() == 0) return false;  // no temporary file could be made
    {
        thread::ObjLocker::Guard guard(lock_);
        filePath_.setText(path.text());
    }

    bool ok;
    if (userAgent_.length() != 0 || referrer_.length() != 0) {
        ok = request(path.text());
    } else {
        // The callback always goes along: it carries the stop request and the status.
        CCallback callback(progress_, data_, buffer_, &stopRequested_);
        HRESULT hr = URLDownloadToFileW(nullptr, url_.text(), path.text(), 0, &callback);
        ok = SUCCEEDED(hr) && callback.statusOk();
    }

    bool done = false;
    if (ok) {
        thread::ObjLocker::Guard guard(lock_);
        if (!stopRequested_) {
            if (!keepText_) {
                done = true;
            } else {
                done = readBytesAsText(path.text(), &result_, 0x7FFFFFFF);
                DeleteFileW(path.text());
            }
            if (done) done_ = 1;
        }
    }
    // A failed or abandoned transfer leaves no partial file behind.
    if (!done) DeleteFileW(path.text());
    return done;
}

bool Downloader::request(const wchar_t* path) {
    bool secure = false;
    uint16_t port = 0;
    StrBuffer host, object;
    if (!splitUrl(url_.text(), &secure, &host, &port, &object)) return false;

    HINTERNET internet = InternetOpenW(userAgent_.length() ? userAgent_.text() : kDefaultUserAgent,
                                       INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!internet) return false;
    DWORD timeout = DWORD(stallTimeoutMs_ > 0 ? stallTimeoutMs_ : 1);
    InternetSetOptionW(internet, INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof(timeout));
    InternetSetOptionW(internet, INTERNET_OPTION_SEND_TIMEOUT, &timeout, sizeof(timeout));
    InternetSetOptionW(internet, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof(timeout));
    {
        thread::ObjLocker::Guard guard(lock_);
        if (stopRequested_) {
            InternetCloseHandle(internet);
            return false;
        }
        internet_ = internet;
    }

    HINTERNET connection = InternetConnectW(internet, host.text(), port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
    {
        thread::ObjLocker::Guard guard(lock_);
        if (!connection || !internet_) {  // failed, or the handles were closed by stop
            if (connection && !internet_) InternetCloseHandle(connection);
            return false;
        }
        connection_ = connection;
    }

    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE;
    if (secure) flags |= INTERNET_FLAG_SECURE;
    HINTERNET request = HttpOpenRequestW(connection, L"GET", object.text(), nullptr,
                                         referrer_.length() ? referrer_.text() : nullptr, nullptr, flags, 0);
    {
        thread::ObjLocker::Guard guard(lock_);
        if (!request || !internet_) {
            if (request && !internet_) InternetCloseHandle(request);
            return false;
        }
        request_ = request;
    }
    // The time-outs again on the request itself: not every WinINet passes the
    // session's values on to the requests made under it.
    InternetSetOptionW(request, INTERNET_OPTION_SEND_TIMEOUT, &timeout, sizeof(timeout));
    InternetSetOptionW(request, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof(timeout));
    InternetSetOptionW(request, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT, &timeout, sizeof(timeout));

    if (!HttpSendRequestW(request, nullptr, 0, nullptr, 0) || stopRequested_) return false;

    DWORD status = 0, size = sizeof(status);
    if (!HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr) ||
        status < 200 || status > 299)
        return false;

    DWORD length = 0;
    size = sizeof(length);
    if (!HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &length, &size, nullptr)) {
        length = 0;
        if (progress_) progress_(1, 1, data_, buffer_);
    }

    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    unsigned char chunk[kChunk];
    uint32_t total = 0;
    bool ok = true;
    for (;;) {
        if (stopRequested_) {
            ok = false;
            break;
        }
        // Wait for what has arrived (at most the stall time-out), then take only that,
        // so that a slow server never keeps the loop from seeing a stop request.
        DWORD available = 0;
        if (!InternetQueryDataAvailable(request, &available, 0, 0)) {
            ok = false;
            break;
        }
        if (stopRequested_) {
            ok = false;
            break;
        }
        DWORD got = 0;
        DWORD want = available == 0 || available > kChunk ? kChunk : available;
        if (!InternetReadFile(request, chunk, want, &got)) {
            ok = false;
            break;
        }
        if (got == 0) break;
        DWORD written = 0;
        if (!WriteFile(file, chunk, got, &written, nullptr) || written != got) {
            ok = false;
            break;
        }
        total += got;
        if (length && progress_) progress_(length, total, data_, buffer_);
    }
    if (!CloseHandle(file)) ok = false;
    // A body shorter than announced was cut off.
    if (ok && length && total < length) ok = false;
    return ok && !stopRequested_;
}

}  // namespace s::system::network::win
