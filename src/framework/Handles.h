#pragma once
// Move-only owners of Win32 handles: each closes its handle exactly once, with the
// function that belongs to its kind, when it goes out of scope or is reset.
#include <windows.h>
#include <unknwn.h>

#include <utility>

namespace fw {

// Traits describe one handle kind: its type, its empty value(s) and how to close it.
template <typename Traits>
class UniqueHandle {
public:
    using Type = typename Traits::Type;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Type handle) noexcept : m_handle(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    Type Get() const noexcept { return m_handle; }
    bool IsValid() const noexcept { return Traits::IsValid(m_handle); }
    explicit operator bool() const noexcept { return IsValid(); }

    // Gives up ownership without closing.
    Type Release() noexcept { return std::exchange(m_handle, Traits::Empty()); }
    // Closes the current handle (if any) and takes the new one.
    void Reset(Type handle = Traits::Empty()) noexcept {
        Type old = std::exchange(m_handle, handle);
        if (Traits::IsValid(old)) Traits::Close(old);
    }
    // For functions that return a handle through an out parameter; closes the old one first.
    Type* Receive() noexcept {
        Reset();
        return &m_handle;
    }

private:
    Type m_handle = Traits::Empty();
};

namespace handle_traits {

// Kernel objects: some functions report failure as NULL, others as INVALID_HANDLE_VALUE.
struct Kernel {
    using Type = HANDLE;
    static Type Empty() noexcept { return nullptr; }
    static bool IsValid(Type h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Type h) noexcept { ::CloseHandle(h); }
};

struct RegistryKey {
    using Type = HKEY;
    static Type Empty() noexcept { return nullptr; }
    // The predefined root keys (HKEY_CLASSES_ROOT ... HKEY_DYN_DATA) are not ours to close.
    static bool IsValid(Type h) noexcept {
        const LONG_PTR value = reinterpret_cast<LONG_PTR>(h);
        const bool predefined = value >= static_cast<LONG>(0x80000000) && value <= static_cast<LONG>(0x80000006);
        return h != nullptr && !predefined;
    }
    static void Close(Type h) noexcept { ::RegCloseKey(h); }
};

struct Library {
    using Type = HMODULE;
    static Type Empty() noexcept { return nullptr; }
    static bool IsValid(Type h) noexcept { return h != nullptr; }
    static void Close(Type h) noexcept { ::FreeLibrary(h); }
};

struct GdiObject {
    using Type = HGDIOBJ;
    static Type Empty() noexcept { return nullptr; }
    static bool IsValid(Type h) noexcept { return h != nullptr; }
    static void Close(Type h) noexcept { ::DeleteObject(h); }
};

struct Find {
    using Type = HANDLE;
    static Type Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Type h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Type h) noexcept { ::FindClose(h); }
};

}  // namespace handle_traits

using Handle = UniqueHandle<handle_traits::Kernel>;
using RegKey = UniqueHandle<handle_traits::RegistryKey>;
using Module = UniqueHandle<handle_traits::Library>;
using GdiObject = UniqueHandle<handle_traits::GdiObject>;
using FindHandle = UniqueHandle<handle_traits::Find>;

// Holds one reference to a COM interface and releases it.
template <typename Interface>
class ComPtr {
public:
    ComPtr() noexcept = default;
    // Takes over a reference the caller already owns (no AddRef).
    explicit ComPtr(Interface* owned) noexcept : m_ptr(owned) {}
    ComPtr(ComPtr&& other) noexcept : m_ptr(std::exchange(other.m_ptr, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.m_ptr, nullptr));
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { Reset(); }

    Interface* Get() const noexcept { return m_ptr; }
    Interface* operator->() const noexcept { return m_ptr; }
    explicit operator bool() const noexcept { return m_ptr != nullptr; }

    void Reset(Interface* owned = nullptr) noexcept {
        Interface* old = std::exchange(m_ptr, owned);
        if (old) old->Release();
    }
    // Out parameter for CoCreateInstance / QueryInterface; releases the old reference first.
    void** ReceiveVoid() noexcept {
        Reset();
        return reinterpret_cast<void**>(&m_ptr);
    }
    Interface** Receive() noexcept {
        Reset();
        return &m_ptr;
    }

private:
    Interface* m_ptr = nullptr;
};

}  // namespace fw
