#pragma once
// An owner for one reference to a COM interface, released once.
#include <unknwn.h>

#include <utility>

namespace kestro {

template <typename T>
class TComPtr {
public:
    TComPtr() noexcept = default;
    TComPtr(const TComPtr&) = delete;
    TComPtr& operator=(const TComPtr&) = delete;
    ~TComPtr()
    {
        if (FPtr) FPtr->Release();
    }

    T* operator->() const noexcept { return FPtr; }
    T* get() const noexcept { return FPtr; }
    explicit operator bool() const noexcept { return FPtr != nullptr; }
    // For calls that hand out a new reference.
    T** out() noexcept { return &FPtr; }
    void** outVoid() noexcept { return reinterpret_cast<void**>(&FPtr); }

private:
    T* FPtr = nullptr;
};

}  // namespace kestro
