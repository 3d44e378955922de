#include "platform/system/Monitor.h"

#include "foundation/col/Array.h"
#include "foundation/str/StrBuffer.h"

namespace s::system::monitor {

using str::strbuffer::StrBuffer;

namespace win {

Monitor::~Monitor() {
    if (deviceName_) deviceName_->release();
}

void Monitor::reset() {
    handle_ = nullptr;
    index_ = 0;
    if (deviceName_) deviceName_->freeStorage();
}

const wchar_t* Monitor::getDeviceName() { return deviceName_ ? deviceName_->text() : L""; }

void Monitor::setDeviceName(const wchar_t* name) {
    if (!deviceName_) deviceName_ = StrBuffer::create();
    if (deviceName_) deviceName_->setText(name);
}

bool Monitor::info(MONITORINFO* mi) const {
    *mi = {};
    mi->cbSize = sizeof(MONITORINFO);
    if (handle_ && GetMonitorInfoW(handle_, mi)) return true;
    *mi = {};
    return false;
}

int32_t Monitor::getMonitorLeft() const {
    MONITORINFO mi;
    info(&mi);
    return mi.rcMonitor.left;
}
int32_t Monitor::getMonitorTop() const {
    MONITORINFO mi;
    info(&mi);
    return mi.rcMonitor.top;
}
int32_t Monitor::getMonitorWidth() const {
    MONITORINFO mi;
    info(&mi);
    return mi.rcMonitor.right - mi.rcMonitor.left;
}
int32_t Monitor::getMonitorHeight() const {
    MONITORINFO mi;
    info(&mi);
    return mi.rcMonitor.bottom - mi.rcMonitor.top;
}
int32_t Monitor::getWorkLeft() const {
    MONITORINFO mi;
    info(&mi);
    return mi.rcWork.left;
}
int32_t Monitor::getWorkTop() const {
    MONITORINFO mi;
    info(&mi);
    return mi.rcWork.top;
}
int32_t Monitor::getWorkWidth() const {
    MONITORINFO mi;
    info(&mi);
    return mi.rcWork.right - mi.rcWork.left;
}
int32_t Monitor::getWorkHeight() const {
    MONITORINFO mi;
    info(&mi);
    return mi.rcWork.bottom - mi.rcWork.top;
}

}  // namespace win

namespace {

// The process-wide list: built once under its lock, only read afterwards.
struct MonitorList {
    thread::ObjLocker lock;
    col::_array::ArrayP monitors{cleaner::CleanerIObject::instance()};
    bool enumerated = false;
};

MonitorList& monitorList() {
    static MonitorList* list = new MonitorList();
    return *list;
}

BOOL CALLBACK addMonitor(HMONITOR handle, HDC, LPRECT, LPARAM param) {
    auto* list = reinterpret_cast<MonitorList*>(param);
    win::Monitor* m = win::Monitor::create();
    if (!m) return TRUE;
    m->setIndex(int32_t(list->monitors.count()));
    m->setHandle(handle);
    MONITORINFOEXW mi = {};
    mi.cbSize = sizeof(mi);
    if (GetMonitorInfoW(handle, &mi)) m->setDeviceName(mi.szDevice);
    list->monitors.push(static_cast<base::IObject*>(m));
    return TRUE;
}

MonitorList& enumeratedList() {
    MonitorList& list = monitorList();
    thread::ObjLocker::Guard guard(list.lock);
    if (!list.enumerated) {
        EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&list));
        list.enumerated = true;
    }
    return list;
}

win::Monitor* monitorAt(MonitorList& list, uint32_t i) {
    return static_cast<win::Monitor*>(static_cast<base::IObject*>(list.monitors.get(i)));
}

}  // namespace

int32_t countMonitors() { return int32_t(enumeratedList().monitors.count()); }

win::Monitor* getMonitor(int32_t index) {
    MonitorList& list = enumeratedList();
    if (index < 0 || uint32_t(index) >= list.monitors.count()) return nullptr;
    return monitorAt(list, uint32_t(index));
}

win::Monitor* findMonitor(int32_t x, int32_t y, int32_t width, int32_t height) {
    MonitorList& list = enumeratedList();
    if (list.monitors.count() == 0) return nullptr;
    RECT r = {x, y, x + width, y + height};
    HMONITOR handle = MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST);
    for (uint32_t i = 0; i < list.monitors.count(); ++i) {
        win::Monitor* m = monitorAt(list, i);
        if (m->getHandle() == handle) return m;
    }
    return nullptr;
}

}  // namespace s::system::monitor

namespace s::system {

namespace {
RECT workArea() {
    RECT r = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}
}  // namespace

int32_t getWorkAreaLeft() { return workArea().left; }
int32_t getWorkAreaTop() { return workArea().top; }
int32_t getWorkAreaWidth() {
    RECT r = workArea();
    return r.right - r.left;
}
int32_t getWorkAreaHeight() {
    RECT r = workArea();
    return r.bottom - r.top;
}

}  // namespace s::system
