// Finds the machine's public IP address by fetching a small text page on a worker
// thread, retrying until it succeeds or is stopped.
#pragma once

#include <atomic>
#include <cstdint>

#include "foundation/str/StrBuffer.h"
#include "foundation/thread/Thread.h"

namespace s::system::network {

class IGipFinder : public base::IObject {
public:
    // Starts looking (nothing once the address is found).
    virtual void start() = 0;
    // Asks the search to end; with wait, returns once it has.
    virtual void stop(bool wait) = 0;
    virtual void clearFound() = 0;
    virtual bool isFound() const = 0;
    // The address text into out; false (out unchanged) while none is found.
    virtual bool getAddress(str::strbuffer::StrBuffer* out) = 0;
};

// True when the text is an IPv4 address in dotted decimal form or an IPv6 address
// (no zone), and nothing else.
bool isIpAddressText(const wchar_t* text, int32_t length = -1);

namespace win {

class GipFinder final : public IGipFinder, public thread::IPoolable, public thread::ITask {
    S_POOLED(GipFinder, L"s_system_network_win_GipFinder")
public:
    // The web service that answers with the caller's address, and its page.
    static constexpr const wchar_t* kDefaultServer = L"http://www.zelk.com";
    static constexpr const wchar_t* kPagePath = L"/webapps/ip/";
    static constexpr int32_t kDefaultRetryMs = 60000;
    // Longest address text kept (a full IPv6 address with an IPv4 tail).
    static constexpr uint32_t kMaxAddressUnits = 45;

    GipFinder();
    ~GipFinder() override;
    GipFinder(const GipFinder&) = delete;
    GipFinder& operator=(const GipFinder&) = delete;

    void reset() override;

    void start() override;
    void stop(bool wait) override;
    void clearFound() override { found_ = 0; }
    bool isFound() const override { return found_.load() != 0; }
    bool getAddress(str::strbuffer::StrBuffer* out) override;

    bool isRunning() const { return running_.load() != 0; }
    // The server asked ("http://host[:port]", without the page path) and the pause
    // between attempts; for a pool reset both go back to their defaults.
    void setServer(const wchar_t* server) { server_.setText(server); }
    void setRetryInterval(int32_t ms) { retryMs_ = ms; }
    // Attempts made since start (for the caller's diagnostics).
    int32_t getAttempts() const { return attempts_.load(); }

    void run() override;

private:
    // One attempt: true when it ends the task (found, or the page could not be read).
    bool attempt();
    void waitStopped();

    thread::win::Thread* thread_;
    thread::ObjLocker lock_;
    std::atomic<uint8_t> running_{0};
    std::atomic<uint8_t> stopRequested_{0};
    std::atomic<uint8_t> found_{0};
    str::strbuffer::StrBuffer address_;
    str::strbuffer::StrBuffer server_;
    int32_t retryMs_ = kDefaultRetryMs;
    std::atomic<int32_t> attempts_{0};
};

}  // namespace win
}  // namespace s::system::network
