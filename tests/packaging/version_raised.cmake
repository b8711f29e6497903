# A release raised in its one place: in a scratch copy of the sources, built
# once as they stand, the revision in resources/app_identity.h goes up by one
# and nothing else changes. A plain build must notice that by itself, and the
# whole development suite (this test aside) must pass at the new version.
#   -DSOURCE=<project> -DSCRATCH=<folder>
file(REMOVE_RECURSE "${SCRATCH}")
file(COPY "${SOURCE}/" DESTINATION "${SCRATCH}"
  PATTERN ".git" EXCLUDE
  PATTERN "build" EXCLUDE)

function(run what)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY "${SCRATCH}" RESULT_VARIABLE failed
    OUTPUT_VARIABLE out ERROR_VARIABLE out)
  file(APPEND "${SCRATCH}/version_raised.log" "${out}")
  if(failed)
    message(FATAL_ERROR "${what} failed; the whole output in ${SCRATCH}/version_raised.log:\n${out}")
  endif()
endfunction()

run("configuring" "${CMAKE_COMMAND}" --preset dev -DTESSARIN_TEST_IDENTITY_REBUILD=OFF -DTESSARIN_TEST_REPRODUCIBLE=OFF
  -DTESSARIN_BUILD_BENCH=OFF)
run("the first build" "${CMAKE_COMMAND}" --build --preset dev)

set(header "${SCRATCH}/resources/app_identity.h")
file(READ "${header}" identity)
if(NOT identity MATCHES "#define APP_VERSION_REVISION ([0-9]+)\n")
  message(FATAL_ERROR "no revision in ${header}")
endif()
math(EXPR raised "${CMAKE_MATCH_1} + 1")
string(REPLACE "${CMAKE_MATCH_0}" "#define APP_VERSION_REVISION ${raised}\n" identity "${identity}")
file(WRITE "${header}" "${identity}")

run("the build after raising the revision to ${raised}" "${CMAKE_COMMAND}" --build --preset dev)
run("the suite at revision ${raised}" ctest --preset dev)
message(STATUS "revision raised to ${raised}: built, and every test passes")
