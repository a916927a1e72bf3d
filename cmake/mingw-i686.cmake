# The deliverables: 32-bit Windows programs.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QIVYUN_MINGW_TRIPLE i686-w64-mingw32)
set(QIVYUN_WINE_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
