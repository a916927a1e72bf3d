#pragma once
// The numbers the engine gives its own messages, timers and hit-test answers, so that none of them
// stands bare in a procedure. A host never sends these; the engine sends them to skinned windows.
#include <windows.h>

namespace qivyun::skin {

// Examine this window now (sent by the refresh after a load, and by a scrollable control's first
// non-client paint).
inline constexpr UINT ExamineWindowMessage = 0x6A30;
// Write the stored scroll information back to the system's bars.
inline constexpr UINT WriteBackScrollInfoMessage = 0x6A31;
// The note a scrollable control gets after its non-client area was painted, with WM_NCPAINT's
// parameters.
inline constexpr UINT NonClientPaintedMessage = 0x7401;

// The timers of the skin's own scroll bars: the first repeat of a held arrow or track, the
// repeats after it, and the end of hovering.
inline constexpr UINT_PTR FirstRepeatTimer = 0x6622;
inline constexpr UINT_PTR RepeatTimer = 0x6623;
inline constexpr UINT_PTR HoverTimer = 0x6624;

// Hit-test answers for the skin's own scroll bars; the system does not know them, so it runs no
// bar itself.
inline constexpr LRESULT HitHorizontalBar = 0x8001;
inline constexpr LRESULT HitVerticalBar = 0x8002;

}  // namespace qivyun::skin
