#pragma once

#include <utility>

#include "platform/windows/Win32.h"

namespace wakelatch::platform::win32 {

// Owns one Win32 handle and closes it when it goes. `Traits` names the empty value and the close call.
template <typename Traits>
class Owned {
  public:
    using Value = typename Traits::Value;

    Owned() = default;
    explicit Owned(Value value) : value_(value) {}
    ~Owned() { Reset(); }
    Owned(Owned&& other) noexcept : value_(std::exchange(other.value_, Traits::Empty())) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.value_, Traits::Empty()));
        }
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    Value Get() const { return value_; }
    // For calls that hand out a new handle through a pointer; what was held is closed first.
    Value* Receive() {
        Reset();
        return &value_;
    }
    explicit operator bool() const { return value_ != Traits::Empty(); }
    void Reset(Value value = Traits::Empty()) {
        if (value_ != Traits::Empty()) {
            Traits::Close(value_);
        }
        value_ = value;
    }

  private:
    Value value_ = Traits::Empty();
};

struct HandleTraits {
    using Value = HANDLE;
    static HANDLE Empty() { return nullptr; }
    static void Close(HANDLE handle) { CloseHandle(handle); }
};

struct KeyTraits {
    using Value = HKEY;
    static HKEY Empty() { return nullptr; }
    static void Close(HKEY key) { RegCloseKey(key); }
};

// A process, thread, mutex or event handle (never INVALID_HANDLE_VALUE: files are closed where opened).
using UniqueHandle = Owned<HandleTraits>;
using UniqueKey = Owned<KeyTraits>;

}  // namespace wakelatch::platform::win32
