#pragma once
// Month calendars, also the one a date-time picker drops down: the control draws its months in the
// skin's colours (the title band and the selected day in the title colour, the days on the month
// colour, the days of neighbouring months dimmed, all of them greyed while the control is
// disabled), in the skin's border. The control keeps its dates, selection, keyboard and
// notifications.
#include "skin/engine/KindSkinner.h"

namespace qivyun::skin {

class MonthCalendarSkinner : public KindSkinner {
public:
    using KindSkinner::KindSkinner;
    void OnAttach() override;
    void OnSkinLoaded() override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Gives the control the skin's colours for its state.
    void ApplyColours(bool enabled);
    void PaintBorder() const;
};

}  // namespace qivyun::skin
