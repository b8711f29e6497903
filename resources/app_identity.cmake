# Reads the application identity from app_identity.h, its one home, into
# APP_* variables, and derives the version texts of the version record.
file(STRINGS "${CMAKE_CURRENT_LIST_DIR}/app_identity.h" _identity_lines REGEX "^#define APP_" ENCODING UTF-8)
# A change to the header re-runs CMake, so that the version record and the
# package follow it as the windows do.
set_property(DIRECTORY "${CMAKE_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  "${CMAKE_CURRENT_LIST_DIR}/app_identity.h")
foreach(_line IN LISTS _identity_lines)
  if(_line MATCHES "^#define (APP_[A-Z_]+) \"?([^\"]*)\"?$")
    set(${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
  endif()
endforeach()

# "1.00.0002": minor to two digits, revision to four.
function(_app_pad value width out)
  string(LENGTH "${value}" length)
  while(length LESS width)
    string(PREPEND value "0")
    math(EXPR length "${length} + 1")
  endwhile()
  set(${out} "${value}" PARENT_SCOPE)
endfunction()
_app_pad("${APP_VERSION_MINOR}" 2 _minor)
_app_pad("${APP_VERSION_REVISION}" 4 _revision)
set(APP_VERSION_TEXT "${APP_VERSION_MAJOR}.${_minor}.${_revision}")
set(APP_VERSION_NUMBERS "${APP_VERSION_MAJOR},${APP_VERSION_MINOR},0,${APP_VERSION_REVISION}")
