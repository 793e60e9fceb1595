# Build-time settings of the program: the version record and the outside
# names it shows or opens. Every name defaults to the
# reserved ".example" top-level domain, so an unconfigured build points at
# nobody's site; a packager sets the real ones with -D on the first configure.
#
# They reach the program twice, from these variables alone: app/site_settings.h
# (for code) and the stored window description (texts, items), both generated.

# The version record. The file version is the project's version; the product
# version and the two names are the record's other fields.
set(QV_FILE_VERSION "${PROJECT_VERSION}")
set(QV_PRODUCT_VERSION "1.0.0.0")
set(QV_PRODUCT_NAME "Quorvane")
set(QV_FILE_DESCRIPTION "Quorvane")
# What the window and the about page show: "Версия 1.2".
set(QV_SHOWN_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")

set(QV_GAME_HOST "www.ballora.example" CACHE STRING
    "Host (and optional :port) of the game's main web site: profile pages, the start page")
set(QV_GAME_SERVER_1 "s1.ballora.example" CACHE STRING
    "First game-server host of the transfer-market search (the one selected at start)")
set(QV_GAME_SERVER_2 "s2.ballora.example" CACHE STRING
    "Second game-server host of the transfer-market search")
set(QV_GAME_SERVER_3 "s3.ballora.example" CACHE STRING
    "Third game-server host of the transfer-market search")
set(QV_DEVELOPER_HOST "quorvane.example" CACHE STRING
    "Host of the developer's web site (its domain name is shown on the about page)")
set(QV_PRODUCT_PAGE "quorvane" CACHE STRING
    "Name of the product's page on the developer's site: https://HOST/products/NAME/")
set(QV_AUTHOR_USER_ID "1" CACHE STRING
    "The author's numeric user identifier on the game site (profile link, ref key)")
set(QV_AUTHOR_NICKNAME "Quorvane" CACHE STRING
    "The author's in-game nickname, shown as the profile link on the about page")
set(QV_COPYRIGHT "Copyright © 2012 Quorvane" CACHE STRING
    "The maker's copyright line on the about page")

# Malformed values are refused here rather than producing a broken URL,
# header or description.
foreach(var QV_GAME_HOST QV_GAME_SERVER_1 QV_GAME_SERVER_2 QV_GAME_SERVER_3 QV_DEVELOPER_HOST)
  if(NOT "${${var}}" MATCHES "^[A-Za-z0-9]([A-Za-z0-9.-]*[A-Za-z0-9])?(:[0-9]+)?$")
    message(FATAL_ERROR "${var} must be a host name with an optional :port, not '${${var}}'")
  endif()
endforeach()
if(NOT QV_PRODUCT_PAGE MATCHES "^[A-Za-z0-9._~-]+$")
  message(FATAL_ERROR "QV_PRODUCT_PAGE must be one path segment, not '${QV_PRODUCT_PAGE}'")
endif()
if(NOT QV_AUTHOR_USER_ID MATCHES "^[0-9]+$")
  message(FATAL_ERROR "QV_AUTHOR_USER_ID must be a number, not '${QV_AUTHOR_USER_ID}'")
endif()
foreach(var QV_AUTHOR_NICKNAME QV_COPYRIGHT)
  if("${${var}}" STREQUAL "" OR "${${var}}" MATCHES "[\\\\\"<>\r\n\t]")
    message(FATAL_ERROR
      "${var} must be one non-empty line without quotes, backslashes or angle brackets")
  endif()
endforeach()

# Texts as the stored window description quotes them ('' is a quote).
foreach(var QV_AUTHOR_NICKNAME QV_COPYRIGHT)
  string(REPLACE "'" "''" ${var}_QUOTED "${${var}}")
endforeach()
