// The display monitors: an enumerated list (made once per process) with each
// monitor's rectangle and work area, and the primary work area.
#pragma once

#include <windows.h>

#include <cstdint>

#include "foundation/base/Object.h"
#include "foundation/thread/Pool.h"

namespace s::str::strbuffer {
class StrBuffer;
}

namespace s::system::monitor {

class IMonitor : public base::IObject {
public:
    virtual int32_t getIndex() const = 0;
    virtual void setIndex(int32_t index) = 0;
    // The device name ("\\.\DISPLAY1"); an empty text when none is known.
    virtual const wchar_t* getDeviceName() = 0;
    virtual void setDeviceName(const wchar_t* name) = 0;
    virtual int32_t reserved() { return 0; }
    // The monitor rectangle, read afresh at each call (0 when the monitor is gone).
    virtual int32_t getMonitorLeft() const = 0;
    virtual int32_t getMonitorTop() const = 0;
    virtual int32_t getMonitorWidth() const = 0;
    virtual int32_t getMonitorHeight() const = 0;
    // The work area (without task bars), read afresh at each call.
    virtual int32_t getWorkLeft() const = 0;
    virtual int32_t getWorkTop() const = 0;
    virtual int32_t getWorkWidth() const = 0;
    virtual int32_t getWorkHeight() const = 0;
};

namespace win {

class Monitor final : public IMonitor, public thread::IPoolable {
    S_POOLED(Monitor, L"s_system_monitor_win_Monitor")
public:
    Monitor() = default;
    ~Monitor() override;
    Monitor(const Monitor&) = delete;
    Monitor& operator=(const Monitor&) = delete;

    void reset() override;

    HMONITOR getHandle() const { return handle_; }
    void setHandle(HMONITOR handle) { handle_ = handle; }

    int32_t getIndex() const override { return index_; }
    void setIndex(int32_t index) override { index_ = index; }
    const wchar_t* getDeviceName() override;
    void setDeviceName(const wchar_t* name) override;
    int32_t getMonitorLeft() const override;
    int32_t getMonitorTop() const override;
    int32_t getMonitorWidth() const override;
    int32_t getMonitorHeight() const override;
    int32_t getWorkLeft() const override;
    int32_t getWorkTop() const override;
    int32_t getWorkWidth() const override;
    int32_t getWorkHeight() const override;

private:
    // False (rectangles zeroed) when the monitor is gone.
    bool info(MONITORINFO* mi) const;

    HMONITOR handle_ = nullptr;
    int32_t index_ = 0;
    str::strbuffer::StrBuffer* deviceName_ = nullptr;
};

}  // namespace win

// Number of monitors (enumerating them on first use; the list is never refreshed).
int32_t countMonitors();
// The listed monitor at index (0 first), or null; owned by the list.
win::Monitor* getMonitor(int32_t index);
// The listed monitor nearest to the rectangle, or null when the list is empty or no
// entry matches; owned by the list.
win::Monitor* findMonitor(int32_t x, int32_t y, int32_t width, int32_t height);

}  // namespace s::system::monitor

namespace s::system {

// The primary work area (SPI_GETWORKAREA), read at each call.
int32_t getWorkAreaLeft();
int32_t getWorkAreaTop();
int32_t getWorkAreaWidth();
int32_t getWorkAreaHeight();

}  // namespace s::system
