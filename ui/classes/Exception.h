// Exceptions of the framework: every error carries a readable message.
//
// Contract: Exception::Message() is the text a user sees in the default error report; it is
// never empty for the framework's own errors. The kinds below let callers catch one family
// (stream, layout, list index) without catching everything.
#pragma once

#include <stdexcept>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const noexcept { return message_; }
    void SetMessage(std::string message) { message_ = std::move(message); }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// Reading or writing a stream failed (short read, seek past the end, unwritable file...).
class EStreamError : public Exception {
    using Exception::Exception;
};
class EReadError : public EStreamError {
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
    using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
    using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
    using EStreamError::EStreamError;
};

// An index outside a list, a duplicate in a list that forbids them.
class EListError : public Exception {
    using Exception::Exception;
};
class EStringListError : public EListError {
    using EListError::EListError;
};

// Naming or ownership rules of components broken (duplicate or invalid name).
class EComponentError : public Exception {
    using Exception::Exception;
};

// A property that does not exist or a value it cannot take.
class EPropertyError : public Exception {
    using Exception::Exception;
};

// Text that is not a valid number, colour, shortcut...
class EConvertError : public Exception {
    using Exception::Exception;
};

// An operation not allowed in the object's current state (no parent window, recursive modal...).
class EInvalidOperation : public Exception {
    using Exception::Exception;
};

// A system call that should not fail did (window creation, class registration...).
class EOutOfResources : public Exception {
    using Exception::Exception;
};

// Layout text that cannot be read; the message names the line.
class ELayoutError : public EReadError {
public:
    ELayoutError(int line, const std::string& what)
        : EReadError("Layout line " + std::to_string(line) + ": " + what), line_(line) {}
    int Line() const noexcept { return line_; }

private:
    int line_;
};
