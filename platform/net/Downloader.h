// Fetches one web resource on a worker thread into a temporary file, or into a text.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "foundation/str/StrBuffer.h"
#include "foundation/thread/Thread.h"
#include "platform/net/Callback.h"

namespace s::system::network {

class IDownloader : public base::IObject {
public:
    // Starts the transfer on the worker (nothing when already done).
    virtual void start() = 0;
    // Asks the transfer to end; with wait, returns once it has.
    virtual void stop(bool wait) = 0;
    virtual void setUrl(const wchar_t* url) = 0;
    // Also keep the downloaded bytes as the result text (one unit per byte) and delete the file.
    virtual void setKeepText(bool keep) = 0;
    // A user agent or referrer makes the download go through a plain GET request.
    virtual void setUserAgent(const wchar_t* text) = 0;
    virtual void setReferrer(const wchar_t* text) = 0;
    // Starts and waits up to timeoutMs; true when the download succeeded. A transfer
    // still running then is asked to stop and counts as failed. False at once, changing
    // nothing, while another run (a start, or a download on another thread) is under way.
    virtual bool download(int32_t timeoutMs, ProgressFn progress, void* data, void* buffer) = 0;
    virtual bool isDone() const = 0;
    virtual const wchar_t* getFilePath() = 0;
    virtual const wchar_t* getResult() = 0;
};

namespace win {

class Downloader final : public IDownloader, public thread::IPoolable, public thread::ITask {
    S_POOLED(Downloader, L"s_system_network_win_Downloader")
public:
    Downloader();
    ~Downloader() override;
    Downloader(const Downloader&) = delete;
    Downloader& operator=(const Downloader&) = delete;

    // Pool reset: stops (waiting), clears the flags, the texts and the callback.
    void reset() override;

    void start() override;
    void stop(bool wait) override;
    void setUrl(const wchar_t* url) override { url_.setText(url); }
    void setKeepText(bool keep) override { keepText_ = keep; }
    void setUserAgent(const wchar_t* text) override { userAgent_.setText(text); }
    void setReferrer(const wchar_t* text) override { referrer_.setText(text); }
    bool download(int32_t timeoutMs, ProgressFn progress, void* data, void* buffer) override;
    bool isDone() const override { return done_.load() != 0; }
    const wchar_t* getFilePath() override { return filePath_.text(); }
    const wchar_t* getResult() override { return result_.text(); }

    // The transfer is under way (set by start, cleared when the task ends).
    bool isRunning() const { return running_.load() != 0; }
    // Milliseconds a silent server gets before a GET request gives up (30 s unless set).
    void setStallTimeout(int32_t ms) { stallTimeoutMs_ = ms; }

    // The task body: the download itself.
    void run() override;

    // Splits an address: scheme from its start ("http://" or "https://", any case),
    // host, port (":n" after the host, else 80 or 443) and the object path from the
    // first "/" after the host. False for anything else.
    static bool splitUrl(const wchar_t* url, bool* secure, str::strbuffer::StrBuffer* host, uint16_t* port,
                         str::strbuffer::StrBuffer* object);

private:
    // Sets the callback and starts a run, under the lock; false while one is under way.
    bool startWith(ProgressFn progress, void* data, void* buffer);
    bool fetch();
    bool request(const wchar_t* path);
    // Closes the open request handles (under the lock); a blocked read then ends.
    void closeHandles();
    void waitStopped();

    thread::win::Thread* thread_;
    thread::ObjLocker lock_;
    std::atomic<uint8_t> running_{0};
    std::atomic<uint8_t> stopRequested_{0};
    str::strbuffer::StrBuffer url_;
    bool keepText_ = false;
    str::strbuffer::StrBuffer userAgent_;
    str::strbuffer::StrBuffer referrer_;
    std::atomic<uint8_t> done_{0};
    str::strbuffer::StrBuffer filePath_;
    str::strbuffer::StrBuffer result_;
    ProgressFn progress_ = nullptr;
    void* data_ = nullptr;
    void* buffer_ = nullptr;
    int32_t stallTimeoutMs_ = 30000;
    // The open handles of a GET request, closed by whoever comes first.
    void* internet_ = nullptr;
    void* connection_ = nullptr;
    void* request_ = nullptr;
};

}  // namespace win
}  // namespace s::system::network
