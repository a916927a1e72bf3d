# The same sources as 64-bit Windows programs, for the Windows tests on machines that cannot
# execute 32-bit code (and so cannot run 32-bit Wine).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QIVYUN_MINGW_TRIPLE x86_64-w64-mingw32)
set(QIVYUN_WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
