#pragma once
#include "db/FbClient.h"
#include <utility>

// Owns one interface of the client library: it is released when the handle ends, however the
// scope is left, unless it was handed on with take(). Movable, not copyable.
template <typename T>
class FbHandle {
public:
    FbHandle() = default;
    explicit FbHandle(T* p) : m_p(p) {}
    FbHandle(FbHandle&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    FbHandle& operator=(FbHandle&& o) noexcept
    {
        if (this != &o)
            reset(std::exchange(o.m_p, nullptr));
        return *this;
    }
    FbHandle(const FbHandle&) = delete;
    FbHandle& operator=(const FbHandle&) = delete;
    ~FbHandle() { reset(); }

    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    T* take() { return std::exchange(m_p, nullptr); }
    void reset(T* p = nullptr)
    {
        if (m_p)
            drop(m_p);
        m_p = p;
    }

    // Ends the interface with a call that releases it when it succeeds (close, free); when the
    // call fails, only our reference is dropped: nothing is left to the caller to clean up.
    template <typename F>
    void finish(F&& call)
    {
        if (T* p = take()) {
            try {
                FbClient::Status st;
                call(p, &st);
            } catch (const Firebird::FbException&) {
                drop(p);
            }
        }
    }

private:
    static void drop(Firebird::IXpbBuilder* p) { p->dispose(); }
    template <typename U>
    static void drop(U* p) { p->release(); }
    T* m_p = nullptr;
};
