#pragma once
// A kernel event with its one owner. Auto-reset: one Set lets exactly one wait through, also a wait
// that begins after the Set. Manual-reset: once set it stays set.
#include "framework/Handles.h"

namespace qivyun {

class Event {
public:
    enum class Reset { Auto, Manual };
    explicit Event(Reset reset = Reset::Auto)
        : handle_(CreateEventW(nullptr, reset == Reset::Manual ? TRUE : FALSE, FALSE, nullptr)) {}

    void Set() const { SetEvent(handle_.Get()); }
    HANDLE Handle() const { return handle_.Get(); }

private:
    UniqueHandle handle_;
};

}  // namespace qivyun
