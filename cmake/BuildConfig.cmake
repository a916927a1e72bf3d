# Every host the programs talk to is fixed at build time. The defaults are the local test world
# (tools/devserver) on loopback; a release passes the real hosts with -D on the configure line.
set(QIVYUN_WORLD_HOST "127.0.0.1" CACHE STRING "Host of the local test world")
set(QIVYUN_WORLD_PORT_BASE 18080 CACHE STRING "First port of the local test world")

math(EXPR _vendor "${QIVYUN_WORLD_PORT_BASE} + 0")
math(EXPR _update "${QIVYUN_WORLD_PORT_BASE} + 1")
math(EXPR _ed2k4u "${QIVYUN_WORLD_PORT_BASE} + 11")
math(EXPR _h31b "${QIVYUN_WORLD_PORT_BASE} + 12")
math(EXPR _dhct "${QIVYUN_WORLD_PORT_BASE} + 13")
math(EXPR _fuso "${QIVYUN_WORLD_PORT_BASE} + 14")
math(EXPR _hash "${QIVYUN_WORLD_PORT_BASE} + 15")
math(EXPR _mtkan "${QIVYUN_WORLD_PORT_BASE} + 21")
math(EXPR _kcplay "${QIVYUN_WORLD_PORT_BASE} + 22")
math(EXPR _livetv "${QIVYUN_WORLD_PORT_BASE} + 31")
math(EXPR _radio "${QIVYUN_WORLD_PORT_BASE} + 32")
set(_w "http://${QIVYUN_WORLD_HOST}")

set(QIVYUN_PROBE_ADDRESS "${_w}:${_vendor}/probe" CACHE STRING "Connectivity probe")
set(QIVYUN_HOME_PAGE_ADDRESS "${_w}:${_vendor}/" CACHE STRING "Vendor home page")
set(QIVYUN_FEEDBACK_PAGE_ADDRESS "${_w}:${_vendor}/Qiv_ly/" CACHE STRING "Vendor feedback page")
set(QIVYUN_UPDATE_SERVER_ADDRESS "${_w}:${_update}" CACHE STRING "Update server (scheme and host)")
set(QIVYUN_ED2K4U_ADDRESS "${_w}:${_ed2k4u}" CACHE STRING "Ed2k 4U search site")
set(QIVYUN_H31B_ADDRESS "${_w}:${_h31b}" CACHE STRING "H31B search site")
set(QIVYUN_DHCT_ADDRESS "${_w}:${_dhct}" CACHE STRING "DHCT search site")
set(QIVYUN_FUSO_ADDRESS "${_w}:${_fuso}" CACHE STRING "FuSo search site")
set(QIVYUN_HASH_ADDRESS "${_w}:${_hash}" CACHE STRING "Hash search site")
set(QIVYUN_MTKAN_PAGE_ADDRESS "${_w}:${_mtkan}/xinyun/pt/kuaijin.php" CACHE STRING "MTkan cloud-play page")
set(QIVYUN_MTKAN_ACCESS_KEY "QivYunTestWorldKey000000000000" CACHE STRING "MTkan access key (30 letters and digits)")
set(QIVYUN_KCPLAY_PAGE_ADDRESS "${_w}:${_kcplay}/" CACHE STRING "KCPlay cloud-play page")
set(QIVYUN_LIVE_TV_PAGE_ADDRESS "${_w}:${_livetv}/cietv/e.html" CACHE STRING "Live-TV page")
set(QIVYUN_RADIO_PAGE_ADDRESS "${_w}:${_radio}/" CACHE STRING "Music radio site")

# How long a download waits for a server that has gone quiet (connect, reply head, body) before it
# gives the download up.
set(QIVYUN_DOWNLOAD_QUIET_SECONDS 30 CACHE STRING "Seconds a download waits for a quiet server")

configure_file(${CMAKE_CURRENT_LIST_DIR}/BuildConfig.h.in ${CMAKE_BINARY_DIR}/generated/BuildConfig.h @ONLY)
