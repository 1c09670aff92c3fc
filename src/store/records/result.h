#pragma once

#include <optional>
#include <string>
#include <utility>

// What went wrong with a store operation. `message` is the Chinese text the
// user reads (it names the file or the box); `field` names the box that holds
// the bad value ("name", "density", "arrivalDate" ...), empty when no box is
// to blame.
enum class StoreErrorCode
{
    Invalid, // a value the user typed was refused; nothing was written
    Duplicate, // a name or number already in use
    NotFound,
    ReadOnly, // an issued entry, or a file the store may not write
    InUse, // a batch a saved design uses
    Unavailable, // the store could not be opened, or is closed
    Busy, // locked by another program past the busy timeout
    DiskFull,
    NewerVersion, // a file written by a newer program
    Damaged, // the file is damaged; the next open moves it aside
    Denied, // the server does not let this user do it
    Lost, // the connection to the server broke; nothing of the change was kept
    Stale, // changed by someone else since it was read
    Failed, // any other failure of the database
};

struct StoreError
{
    StoreErrorCode code = StoreErrorCode::Failed;
    std::string message;
    std::string field;
};

// A value or the error that stopped it.
template <class T> class Result
{
public:
    Result(T value)
        : m_value(std::move(value))
    { } // NOLINT: a value is a success
    Result(StoreError error)
        : m_error(std::move(error))
    { } // NOLINT: an error is a failure

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const& { return *m_value; }
    T& value() & { return *m_value; }
    // From a temporary the value is moved out, so that
    // `for (auto& m : *library.materials(kind))` holds no dangling reference.
    T value() && { return std::move(*m_value); }
    const T& operator*() const& { return *m_value; }
    T& operator*() & { return *m_value; }
    T operator*() && { return std::move(*m_value); }
    const T* operator->() const { return &*m_value; }
    T* operator->() { return &*m_value; }
    const StoreError& error() const { return m_error; }

private:
    std::optional<T> m_value;
    StoreError m_error;
};

template <> class Result<void>
{
public:
    Result() = default;
    Result(StoreError error)
        : m_failed(true)
        , m_error(std::move(error))
    { } // NOLINT

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const StoreError& error() const { return m_error; }

private:
    bool m_failed = false;
    StoreError m_error;
};
