# The time a release's files carry: SOURCE_DATE_EPOCH as the environment
# gives it, else the time of the commit built, never the clock, so that the
# same commit builds the same bytes wherever and whenever it is built
# (reproducible-builds.org's convention). Read when the build is configured.
# Sets TESSARIN_SOURCE_DATE_EPOCH, empty where neither is to be had.
set(TESSARIN_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
if(TESSARIN_SOURCE_DATE_EPOCH STREQUAL "")
  # Only the sources' own checkout: a copy of them inside another one's
  # folder is not that commit.
  find_package(Git QUIET)
  if(GIT_FOUND)
    execute_process(COMMAND "${GIT_EXECUTABLE}" -C "${PROJECT_SOURCE_DIR}" rev-parse --show-toplevel
      OUTPUT_VARIABLE _top OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    file(REAL_PATH "${PROJECT_SOURCE_DIR}" _sources)
    if(_top AND _top STREQUAL _sources)
      execute_process(COMMAND "${GIT_EXECUTABLE}" -C "${PROJECT_SOURCE_DIR}" log -1 --format=%ct
        OUTPUT_VARIABLE TESSARIN_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    endif()
  endif()
endif()
if(NOT TESSARIN_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  message(WARNING "No SOURCE_DATE_EPOCH and no git commit: the packages carry the build's own times, "
    "and two builds of them differ")
  set(TESSARIN_SOURCE_DATE_EPOCH "")
endif()
