// Small owning wrappers for the handles of the Win32 glue, so a function with
// several exits releases what it opened on each of them.
#pragma once

#include <windows.h>
#include <sql.h>

#include <utility>

namespace quillet {

// A kernel handle (file, mapping, pipe, thread, process). Both null and
// INVALID_HANDLE_VALUE count as empty, since CreateFile and CreateFileMapping
// fail with different ones.
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    void reset(HANDLE handle = nullptr) {
        if (valid()) CloseHandle(handle_);
        handle_ = handle;
    }

private:
    HANDLE handle_ = nullptr;
};

// A mapped view of a file.
class MappedView {
public:
    explicit MappedView(const void* address) : address_(address) {}
    ~MappedView() {
        if (address_) UnmapViewOfFile(address_);
    }
    MappedView(const MappedView&) = delete;
    MappedView& operator=(const MappedView&) = delete;
    const char* data() const { return static_cast<const char*>(address_); }
    bool valid() const { return address_ != nullptr; }

private:
    const void* address_;
};

// The one success test of every ODBC call: success, or success with a
// warning the caller need not read.
inline bool Succeeded(SQLRETURN result) { return result == SQL_SUCCESS || result == SQL_SUCCESS_WITH_INFO; }

// An ODBC statement handle, freed with SQLFreeHandle (which also closes its
// cursor) on every path.
class OdbcStatement {
public:
    OdbcStatement() = default;
    // A statement of `connection`; empty when none could be allocated.
    explicit OdbcStatement(SQLHDBC connection) {
        if (!connection || !Succeeded(SQLAllocHandle(SQL_HANDLE_STMT, connection, &handle_))) handle_ = nullptr;
    }
    ~OdbcStatement() { reset(); }
    OdbcStatement(OdbcStatement&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    OdbcStatement& operator=(OdbcStatement&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    OdbcStatement(const OdbcStatement&) = delete;
    OdbcStatement& operator=(const OdbcStatement&) = delete;
    SQLHSTMT get() const { return handle_; }
    SQLHSTMT* out() { return &handle_; }  // for SQLAllocHandle
    bool valid() const { return handle_ != nullptr; }
    void reset() {
        if (handle_) SQLFreeHandle(SQL_HANDLE_STMT, handle_);
        handle_ = nullptr;
    }

private:
    SQLHSTMT handle_ = nullptr;
};

}  // namespace quillet
