#pragma once

#include <QString>
#include <optional>
#include <utility>

namespace datastore {

// Why an operation on a database did not go through.
enum class ErrorKind {
    Busy,        // another desk or program holds the lock: the same operation may go through later
    ServerAway,  // the database server cannot be reached (or the connection to it was lost)
    MissingFile, // a database file, or the data source that names it, is not there
    Other,       // anything else: the text says what
};

struct Error {
    ErrorKind kind = ErrorKind::Other;
    QString text; // in words, with the statement where one failed
};

// Nothing to return but that it went through.
struct Done {};

// What every operation of the data store gives back: its value, or why there is none. The data
// store tells no one; the windows and the tools decide what to show and whether to go on.
template <typename T = Done>
class [[nodiscard]] Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Error error) : m_error(std::move(error)) {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    bool failedWith(ErrorKind kind) const { return !ok() && m_error.kind == kind; }

    const T& value() const& { return *m_value; }
    T& value() & { return *m_value; }
    T&& value() && { return std::move(*m_value); }
    const T& operator*() const& { return *m_value; }
    T& operator*() & { return *m_value; }
    const T* operator->() const { return &*m_value; }
    T* operator->() { return &*m_value; }

    const Error& error() const { return m_error; }
    // The error's text with a lead-in ("Data Error - " + ...).
    QString errorText() const { return m_error.text; }

private:
    std::optional<T> m_value;
    Error m_error;
};

inline Error error(ErrorKind kind, const QString& text)
{
    return Error{kind, text};
}

} // namespace datastore
