#pragma once
// The window properties of the skin engine. Host programs may set the last four on their windows.

namespace qivyun::skin {

inline constexpr char SkinnerProperty[] = "ZOR";             // the window's WindowSkinner
inline constexpr char ExaminedProperty[] = "ZOR_A";          // 1: the hook has decided about the window
inline constexpr char MenuOwnerProperty[] = "ZOR_B";         // procedure saved for one owner-drawn menu message
inline constexpr char SkinTypeProperty[] = "ZOR_C";          // host: a skin type in place of the class's
inline constexpr char PaintRedirectProperty[] = "ZOR_D";     // PaintRedirect of an off-screen painting skinner
inline constexpr char DcRedirectProperty[] = "ZOR_E";        // DcRedirect of an off-screen painting skinner
inline constexpr char ComboSkinnerProperty[] = "ZOR_F";      // on a combo box's parts: the combo box's skinner
inline constexpr char TextColourProperty[] = "ZOR_G";        // host: COLORREF of the window's text
inline constexpr char BackgroundColourProperty[] = "ZOR_H";  // host: COLORREF of a solid background
inline constexpr char FontProperty[] = "ZOR_I";              // host: HFONT of the window's text
inline constexpr char InertCaptionProperty[] = "ZOR_J";      // host: non-null makes the caption area inert

}  // namespace qivyun::skin
