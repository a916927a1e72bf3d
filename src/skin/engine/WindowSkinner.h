#pragma once
// The base of every per-window skinner. It subclasses its window with the engine's procedure,
// keeps the procedure that was there before, and is found from the window through "ZOR". The
// window owns it: it goes at WM_NCDESTROY.
#include "skin/engine/ScrollState.h"
#include "skin/engine/SkinTypes.h"
#include "skin/engine/WindowRedirects.h"

#include <windows.h>

namespace qivyun::skin {

class WindowSkinner;

// The list a skinner is on while it lives (the engine's); the skinner leaves it when it goes.
class SkinnerRoster {
public:
    virtual void Leave(WindowSkinner& skinner) = 0;

protected:
    ~SkinnerRoster() = default;
};

class WindowSkinner {
public:
    WindowSkinner() = default;
    WindowSkinner(const WindowSkinner&) = delete;
    WindowSkinner& operator=(const WindowSkinner&) = delete;
    // Puts previousProcedure back, removes the engine's properties and leaves its roster.
    virtual ~WindowSkinner();
    // Runs right after subclassing.
    virtual void OnAttach() {}
    virtual void OnTimer(UINT_PTR /*id*/) {}
    // A new skin is in: rebuild whatever the skinner derives from it.
    virtual void OnSkinLoaded() {}

    // What the refresh and the redirected functions ask of a skinner; the kinds that do these
    // things say so.
    virtual bool IsFramedWindow() const { return false; }
    // Drops the frame rectangle a framed-window skinner remembers, so that it is computed again.
    virtual void ForgetFrame() {}
    // SetWindowRgn is ignored for a window whose skinner shapes it.
    virtual bool ShapesWindow() const { return false; }
    // The bar (SB_HORZ, SB_VERT, SB_CTL) the skinner draws itself, or nothing.
    virtual ScrollState* OwnScrollBar(int /*bar*/) { return nullptr; }
    virtual void RedrawOwnScrollBars() {}
    // A child window's size changed, as the skinner of a bar tells its parent's: a window that
    // fits itself to its bar follows.
    virtual void ChildResized(HWND /*child*/) {}
    // Tells the parent's skinner, if the parent has one, that this window's size changed.
    void TellParentOfResize() const {
        if (WindowSkinner* parent = Of(GetParent(window))) parent->ChildResized(window);
    }

    // The skinner of a window, or nothing; from any thread.
    static WindowSkinner* Of(HWND window);

    // Subclasses the window: "ZOR", the engine's procedure through the unpatched wide window-long
    // function, the replaced procedure kept, then OnAttach.
    void Attach(HWND window);
    // Puts the skinner on a roster, which it leaves when it goes.
    void Enrol(SkinnerRoster& roster) { roster_ = &roster; }
    // Hands a message to the procedure beneath the engine's (as the wide procedure it is called as:
    // the system converts for an ANSI procedure beneath).
    LRESULT CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) const;
    // Hands a message to the procedure beneath, then brings the look up to what the message
    // changed (repaint()); the answer is the procedure's.
    template <class Repaint>
    LRESULT CallPreviousThen(UINT message, WPARAM wParam, LPARAM lParam, Repaint&& repaint) {
        const LRESULT result = CallPrevious(message, wParam, lParam);
        repaint();
        return result;
    }
    // Starts a timer whose ticks reach OnTimer.
    void StartTimer(UINT_PTR id, UINT periodMs) const;

    // "ZOR_D" and "ZOR_E"; null removes them. The records belong to the skinner.
    void SetPaintRedirect(PaintRedirect* record);
    void SetDcRedirect(DcRedirect* record);
    PaintRedirect* PaintRedirection() const { return paintRedirect_; }
    DcRedirect* DcRedirection() const { return dcRedirect_; }

    HWND window = nullptr;
    SkinType skinType = skintype::None;
    WNDPROC procedure = nullptr;
    WNDPROC previousProcedure = nullptr;

protected:
    // The kind's handling of a message; whatever it does not draw goes to CallPrevious.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
        return CallPrevious(message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The system calls in with the window only: its skinner's OnTimer.
    static void CALLBACK TimerProcedure(HWND window, UINT message, UINT_PTR id, DWORD time);

    SkinnerRoster* roster_ = nullptr;
    PaintRedirect* paintRedirect_ = nullptr;
    DcRedirect* dcRedirect_ = nullptr;
};

}  // namespace qivyun::skin
