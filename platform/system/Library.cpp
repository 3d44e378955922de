#include "platform/system/Library.h"

#include <windows.h>

namespace s::system::win {

DllLocater::DllLocater(const wchar_t* name) { load(name); }

DllLocater::~DllLocater() { unload(); }

bool DllLocater::load(const wchar_t* name) {
    unload();
    module_ = name ? LoadLibraryW(name) : nullptr;
    return module_ != nullptr;
}

void DllLocater::setHandle(void* module) {
    if (module == module_) return;
    unload();
    module_ = module;
}

void DllLocater::unload() {
    if (module_) {
        FreeLibrary(static_cast<HMODULE>(module_));
        module_ = nullptr;
    }
}

void* DllLocater::procAddress(const char* entryName) const {
    if (!module_ || !entryName) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module_), entryName));
}

}  // namespace s::system::win
