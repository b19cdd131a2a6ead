#pragma once
// Owners for the handles Kestro opens. Each closes its handle exactly once; copying is
// deleted so that no two owners can close the same handle.
#include <windows.h>

#include <utility>

namespace kestro {

template <typename T, typename Traits>
class TUniqueResource {
public:
    TUniqueResource() noexcept = default;
    explicit TUniqueResource(T value) noexcept : FValue(value) {}
    TUniqueResource(const TUniqueResource&) = delete;
    TUniqueResource& operator=(const TUniqueResource&) = delete;
    TUniqueResource(TUniqueResource&& other) noexcept : FValue(other.release()) {}
    TUniqueResource& operator=(TUniqueResource&& other) noexcept
    {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~TUniqueResource() { reset(); }

    T get() const noexcept { return FValue; }
    explicit operator bool() const noexcept { return FValue != Traits::Invalid(); }
    T release() noexcept { return std::exchange(FValue, Traits::Invalid()); }
    void reset(T value = Traits::Invalid()) noexcept
    {
        T old = std::exchange(FValue, value);
        if (old != Traits::Invalid()) Traits::Close(old);
    }

private:
    T FValue = Traits::Invalid();
};

// CreateMutexW, OpenProcess and friends report failure with NULL ...
struct TNullHandleTraits {
    static HANDLE Invalid() noexcept { return nullptr; }
    static void Close(HANDLE h) noexcept { ::CloseHandle(h); }
};
// ... while CreateFileW reports it with INVALID_HANDLE_VALUE.
struct TFileHandleTraits {
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) noexcept { ::CloseHandle(h); }
};
struct TModuleTraits {
    static HMODULE Invalid() noexcept { return nullptr; }
    static void Close(HMODULE h) noexcept { ::FreeLibrary(h); }
};
struct TFindTraits {
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) noexcept { ::FindClose(h); }
};
struct TGdiObjectTraits {
    static HGDIOBJ Invalid() noexcept { return nullptr; }
    static void Close(HGDIOBJ h) noexcept { ::DeleteObject(h); }
};
// Memory that the system allocated for the caller (FormatMessageW, CommandLineToArgvW).
struct TLocalMemoryTraits {
    static HLOCAL Invalid() noexcept { return nullptr; }
    static void Close(HLOCAL h) noexcept { ::LocalFree(h); }
};
struct TFontTraits {
    static HFONT Invalid() noexcept { return nullptr; }
    static void Close(HFONT h) noexcept { ::DeleteObject(h); }
};

struct TWinEventHookTraits {
    static HWINEVENTHOOK Invalid() noexcept { return nullptr; }
    static void Close(HWINEVENTHOOK h) noexcept { ::UnhookWinEvent(h); }
};

using UniqueHandle = TUniqueResource<HANDLE, TNullHandleTraits>;
using UniqueFile = TUniqueResource<HANDLE, TFileHandleTraits>;
using UniqueModule = TUniqueResource<HMODULE, TModuleTraits>;
using UniqueFind = TUniqueResource<HANDLE, TFindTraits>;
using UniqueGdiObject = TUniqueResource<HGDIOBJ, TGdiObjectTraits>;
using UniqueFont = TUniqueResource<HFONT, TFontTraits>;
using UniqueLocalMemory = TUniqueResource<HLOCAL, TLocalMemoryTraits>;
using UniqueWinEventHook = TUniqueResource<HWINEVENTHOOK, TWinEventHookTraits>;

// A window's device context, released on scope exit.
class TWindowDC {
public:
    explicit TWindowDC(HWND wnd) noexcept : FWnd(wnd), FDC(::GetDC(wnd)) {}
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    ~TWindowDC()
    {
        if (FDC) ::ReleaseDC(FWnd, FDC);
    }
    HDC get() const noexcept { return FDC; }

private:
    HWND FWnd;
    HDC FDC;
};

// An object selected into a device context, put back on scope exit.
class TSelectObject {
public:
    TSelectObject(HDC dc, HGDIOBJ obj) noexcept : FDC(dc), FOld(::SelectObject(dc, obj)) {}
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;
    ~TSelectObject()
    {
        if (FOld && FOld != HGDI_ERROR) ::SelectObject(FDC, FOld);
    }

private:
    HDC FDC;
    HGDIOBJ FOld;
};

// The system's slim lock, held exclusively for one scope.
class TLockGuard {
public:
    explicit TLockGuard(SRWLOCK& lock) : FLock(lock) { ::AcquireSRWLockExclusive(&FLock); }
    TLockGuard(const TLockGuard&) = delete;
    TLockGuard& operator=(const TLockGuard&) = delete;
    ~TLockGuard() { ::ReleaseSRWLockExclusive(&FLock); }

private:
    SRWLOCK& FLock;
};

// Runs a clean-up on every way out of a scope.
template <typename F>
class TScopeExit {
public:
    explicit TScopeExit(F f) noexcept : FFunc(std::move(f)) {}
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;
    ~TScopeExit() { FFunc(); }

private:
    F FFunc;
};

}  // namespace kestro
