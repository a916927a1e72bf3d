#pragma once
// What the paint benchmark times: the main window and one control of each skinned kind, in a
// process of their own that repaints one of them on request and answers how long a repaint took.
// The benchmark runs it twice, from the program's resources with the skin and without it.
#include <windows.h>

#include <array>
#include <string_view>

namespace qivyun::test {

struct PaintSubject {
    std::string_view name;
    double ceiling;  // skinned cost over unskinned cost that the skin may reach
    int repeats;     // repaints per timed run
};

inline constexpr std::array<PaintSubject, 14> PaintSubjects{{
    {"main window", 1.2, 10},
    {"push button", 1.5, 200},
    {"check box", 1.5, 200},
    {"radio button", 1.5, 200},
    {"group box", 1.5, 200},
    {"header", 1.5, 200},
    {"edit", 1.5, 200},
    {"list", 1.5, 100},
    {"progress bar", 1.5, 200},
    {"tab control", 1.5, 100},
    {"date-time picker", 1.5, 200},
    {"month calendar", 1.5, 100},
    {"toolbar", 1.5, 100},
    {"status bar", 1.5, 200},
}};

// The class of the window the benchmark sends its requests to; the title tells the processes apart.
inline constexpr char PaintServerClass[] = "QivYunPaintBenchmark";
// wParam: the subject's index, lParam: how many repaints; the answer: nanoseconds per repaint, or 0
// when there is no such subject.
inline constexpr UINT TimeRepaintsMessage = WM_APP + 1;

// Shows the subjects and answers requests until its request window is closed; the exit code.
int ServePaintSubjects(const char* title);

}  // namespace qivyun::test
