#pragma once
// A text written by one thread and read by another, always replaced as a whole.
#include <mutex>
#include <string>

namespace qivyun {

class SharedText {
public:
    void Set(std::string text) {
        std::lock_guard lock(mutex_);
        text_ = std::move(text);
    }
    std::string Get() const {
        std::lock_guard lock(mutex_);
        return text_;
    }

private:
    mutable std::mutex mutex_;
    std::string text_;
};

}  // namespace qivyun
