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

# Updates are trusted only when the manifest is signed with the maker's key: the public key as the
# uncompressed point of the curve P-256 in hexadecimal ("04" and 128 more digits; `qivyun keygen`
# prints it). The default is the test world's key, whose private half is the test fixture
# tests/fixtures/update-signing-key.TEST-ONLY.pem, so a release must pass its own. An empty key
# builds programs that trust any manifest, as they did before signatures: unsafe, since anyone on
# the network path can then replace the programs.
set(QIVYUN_TEST_UPDATE_PUBLIC_KEY
  "043c48b79033b7f7be1a226c034d9e7e75d01d9798be936071685f5d003cd05f92ce00a49e4ec29471493033741414b0315d49827d8355dbee3070f64460f3299b")
set(QIVYUN_UPDATE_PUBLIC_KEY "${QIVYUN_TEST_UPDATE_PUBLIC_KEY}" CACHE STRING
  "Public key of the update manifest's signature (130 hexadecimal digits; empty: unsafe, no signature checked)")
# The release's own serial: the programs refuse a manifest whose [Release] serial is lower than
# this (or than the last one the installation applied), so an older signed manifest cannot roll
# them back. Give every release a higher one.
set(QIVYUN_RELEASE_SERIAL 1 CACHE STRING "Serial of this release (a positive whole number)")
# A release build: refuses the test world's key and a build without a key.
option(QIVYUN_RELEASE "Configure a release: refuse the test key and an empty key" OFF)

string(TOLOWER "${QIVYUN_UPDATE_PUBLIC_KEY}" QIVYUN_UPDATE_PUBLIC_KEY)
if(NOT QIVYUN_UPDATE_PUBLIC_KEY STREQUAL "" AND NOT QIVYUN_UPDATE_PUBLIC_KEY MATCHES "^04[0-9a-f]+$")
  message(FATAL_ERROR "QIVYUN_UPDATE_PUBLIC_KEY is not a public key: \"04\" and 128 hexadecimal digits")
endif()
string(LENGTH "${QIVYUN_UPDATE_PUBLIC_KEY}" _keyLength)
if(NOT _keyLength EQUAL 0 AND NOT _keyLength EQUAL 130)
  message(FATAL_ERROR "QIVYUN_UPDATE_PUBLIC_KEY has ${_keyLength} digits, not 130")
endif()
string(LENGTH "${QIVYUN_RELEASE_SERIAL}" _serialLength)
if(NOT QIVYUN_RELEASE_SERIAL MATCHES "^[1-9][0-9]*$" OR _serialLength GREATER 15)
  message(FATAL_ERROR "QIVYUN_RELEASE_SERIAL must be a positive whole number (at most 15 digits)")
endif()
if(QIVYUN_RELEASE)
  if(QIVYUN_UPDATE_PUBLIC_KEY STREQUAL QIVYUN_TEST_UPDATE_PUBLIC_KEY)
    message(FATAL_ERROR "QIVYUN_RELEASE: the update key is the test world's key, whose private half is public; "
                        "pass the maker's key with -DQIVYUN_UPDATE_PUBLIC_KEY=...")
  endif()
  if(QIVYUN_UPDATE_PUBLIC_KEY STREQUAL "")
    message(FATAL_ERROR "QIVYUN_RELEASE: a release must carry the maker's update key (QIVYUN_UPDATE_PUBLIC_KEY)")
  endif()
elseif(QIVYUN_UPDATE_PUBLIC_KEY STREQUAL "")
  message(WARNING "QIVYUN_UPDATE_PUBLIC_KEY is empty: the programs will trust any update manifest (unsafe)")
endif()

configure_file(${CMAKE_CURRENT_LIST_DIR}/BuildConfig.h.in ${CMAKE_BINARY_DIR}/generated/BuildConfig.h @ONLY)
