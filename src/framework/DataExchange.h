#pragma once
// Read controls (saving: control → member) and write controls (loading: member → control).
#include <windows.h>

#include <string>

namespace qivyun {

class Window;

class DataExchange {
public:
    DataExchange(HWND dialog, bool saving) : dialog_(dialog), saving_(saving) {}
    bool Saving() const { return saving_; }

    // Binds a member to the control with this id (subclassing it when the member's type does).
    void Control(int id, Window& member) const;
    void Text(int id, std::string& value) const;
    void Check(int id, int& value) const;

private:
    HWND dialog_;
    bool saving_;
};

}  // namespace qivyun
