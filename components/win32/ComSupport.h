// SPDX-License-Identifier: MIT
#pragma once

// The little COM that the WebView2 adapter needs, without WRL (which
// mingw-w64 lacks): an owning interface pointer, callback objects made
// from lambdas, and the texts the engine hands over. Interface identities
// are passed as IID constants, because __uuidof of the SDK's interfaces
// does not link with mingw-w64.

#include "platform/Utf8.h"

#include <atomic>
#include <functional>
#include <memory>
#include <objbase.h>
#include <string>
#include <utility>

namespace orv::win32 {

template <class Interface> class ComPtr
{
public:
    ComPtr() = default;
    ComPtr(const ComPtr &other) : m_p(other.m_p)
    {
        if (m_p)
            m_p->AddRef();
    }
    ComPtr(ComPtr &&other) noexcept : m_p(std::exchange(other.m_p, nullptr)) { }
    ComPtr &operator=(ComPtr other) noexcept
    {
        std::swap(m_p, other.m_p);
        return *this;
    }
    ~ComPtr() { reset(); }

    // Takes a reference the caller already holds (an out parameter's).
    static ComPtr adopt(Interface *p)
    {
        ComPtr result;
        result.m_p = p;
        return result;
    }
    // Adds a reference of its own (a callback's argument, which the caller keeps).
    static ComPtr share(Interface *p)
    {
        if (p)
            p->AddRef();
        return adopt(p);
    }

    void reset()
    {
        if (Interface *p = std::exchange(m_p, nullptr))
            p->Release();
    }
    Interface **put()
    {
        reset();
        return &m_p;
    }
    Interface *get() const { return m_p; }
    Interface *operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    // The same object under another of its interfaces; empty where it has none
    // (an older runtime lacks the newer interfaces).
    template <class Other> ComPtr<Other> query(const IID &iid) const
    {
        ComPtr<Other> result;
        if (m_p)
            m_p->QueryInterface(iid, reinterpret_cast<void **>(result.put()));
        return result;
    }

private:
    Interface *m_p = nullptr;
};

// The IUnknown part of a COM object of ours that implements one interface:
// it answers for IUnknown and that interface, and deletes itself at its last
// release. It starts with one reference, the creator's.
template <class Interface> class ComObject : public Interface
{
public:
    explicit ComObject(const IID &iid) : m_iid(iid) { }
    virtual ~ComObject() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **object) override
    {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, m_iid)) {
            AddRef();
            *object = static_cast<Interface *>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }

private:
    const IID &m_iid;
    std::atomic<ULONG> m_references { 1 };
};

// A callback object implementing one handler interface (whose one method is
// Invoke) with a function. It starts with one reference, the creator's.
template <class Interface, class Method = decltype(&Interface::Invoke)> class Handler;

template <class Interface, class Class, class... Args>
class Handler<Interface, HRESULT (STDMETHODCALLTYPE Class::*)(Args...)> final
    : public ComObject<Interface>
{
public:
    using Function = std::function<HRESULT(Args...)>;

    Handler(const IID &iid, Function function)
        : ComObject<Interface>(iid), m_function(std::move(function))
    {
    }

    HRESULT STDMETHODCALLTYPE Invoke(Args... args) override { return m_function(args...); }

private:
    Function m_function;
};

template <class Interface, class Function>
ComPtr<Interface> makeHandler(const IID &iid, Function &&function)
{
    return ComPtr<Interface>::adopt(new Handler<Interface>(iid, std::forward<Function>(function)));
}

// Registers a handler of one of the engine's events (add: the source's
// add_ method) that calls call(*target, sender, arguments) while the target
// is there: whoever owns the target clears it when going, so that a late
// event finds nobody. The engine keeps its own reference to the handler.
template <class Target, class Source, class Interface, class Token, class Function>
void subscribe(const std::shared_ptr<Target *> &target, Source *source,
    HRESULT (STDMETHODCALLTYPE Source::*add)(Interface *, Token *), const IID &iid, Function call)
{
    const auto handler
        = makeHandler<Interface>(iid, [target, call](auto *sender, auto *arguments) -> HRESULT {
              if (Target *alive = *target)
                  call(*alive, sender, arguments);
              return S_OK;
          });
    Token token;
    (source->*add)(handler.get(), &token);
}

// A text the engine handed over, as UTF-8; the engine's memory is freed.
inline std::string takeText(LPWSTR text)
{
    if (!text)
        return {};
    std::string result = platform::toUtf8(text);
    CoTaskMemFree(text);
    return result;
}

} // namespace orv::win32
