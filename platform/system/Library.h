// Owner of a module loaded at run time for the system entry points the program binds
// to late (layered-window opacity, theme fonts, the native registry).
#pragma once

#include "foundation/base/Object.h"
#include "foundation/thread/Pool.h"

namespace s::system::win {

// Holds one module handle and frees it when reset, destroyed or reloaded. Typical use
// is a function-local static that stays loaded until the process ends:
//   static DllLocater user32(L"user32.dll");
//   auto fn = user32.entry<SetLayeredFn>("SetLayeredWindowAttributes");
class DllLocater : public thread::IPoolable, public base::IObject {
    S_POOLED(DllLocater, L"s_system_win_DllLocater")
public:
    DllLocater() = default;
    // Loads the library (LoadLibraryW); a missing library leaves the handle null.
    explicit DllLocater(const wchar_t* name);
    ~DllLocater() override;
    DllLocater(const DllLocater&) = delete;
    DllLocater& operator=(const DllLocater&) = delete;

    // Frees the module held (if any), then loads this one; true when it loaded.
    bool load(const wchar_t* name);
    // Takes over a handle returned by LoadLibraryW (any module held is freed first).
    void setHandle(void* module);
    void* handle() const { return module_; }
    bool isLoaded() const { return module_ != nullptr; }
    // FreeLibrary of the module held, handle cleared; nothing when there is none.
    void unload();
    // GetProcAddress of the entry point; null when the module or the entry is missing.
    void* procAddress(const char* entryName) const;
    template <class Fn>
    Fn entry(const char* entryName) const {
        return reinterpret_cast<Fn>(procAddress(entryName));
    }

    void reset() override { unload(); }

private:
    void* module_ = nullptr;
};

}  // namespace s::system::win
