# Changes the version in a scratch copy of the sources, after a first build,
# and checks that the next build carries it everywhere: the version record,
# the package version and the About window.
#   -DSOURCE=<project> -DSCRATCH=<folder>
file(REMOVE_RECURSE "${SCRATCH}")
file(COPY "${SOURCE}/" DESTINATION "${SCRATCH}/src"
  PATTERN ".git" EXCLUDE
  PATTERN "build" EXCLUDE)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(failed)
    message(FATAL_ERROR "${ARGN} failed:\n${out}")
  endif()
endfunction()

# A plain, unoptimised build of just the probe: quick, and all this needs.
run("${CMAKE_COMMAND}" -S "${SCRATCH}/src" -B "${SCRATCH}/build" -G Ninja -DCMAKE_BUILD_TYPE=
  -DBUILD_TESTING=ON -DTESSARIN_TEST_IDENTITY_REBUILD=OFF)
run("${CMAKE_COMMAND}" --build "${SCRATCH}/build" --target identity_probe)

set(header "${SCRATCH}/src/resources/app_identity.h")
file(READ "${header}" identity)
string(REPLACE "#define APP_VERSION_REVISION 2\n" "#define APP_VERSION_REVISION 3\n" changed "${identity}")
if(changed STREQUAL identity)
  message(FATAL_ERROR "the revision is not 2 in ${header}; this check expects 1.0.2")
endif()
file(WRITE "${header}" "${changed}")

# Only a build, as after any edit: it must notice the header by itself.
run("${CMAKE_COMMAND}" --build "${SCRATCH}/build" --target identity_probe)

file(READ "${SCRATCH}/build/resources/Tessarin.rc" record)
file(READ "${SCRATCH}/build/CPackConfig.cmake" package)
execute_process(COMMAND "${SCRATCH}/build/tests/identity_probe" OUTPUT_VARIABLE about RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "identity_probe failed: ${failed}")
endif()
foreach(place IN ITEMS
    "record|FILEVERSION 1,0,0,3"
    "record|\"FileVersion\", \"1.00.0003\""
    "record|\"ProductVersion\", \"1.00.0003\""
    "package|set(CPACK_PACKAGE_VERSION \"1.0.3\")"
    "about|版本 1.0.3")
  string(FIND "${place}" "|" bar)
  string(SUBSTRING "${place}" 0 ${bar} where)
  math(EXPR bar "${bar} + 1")
  string(SUBSTRING "${place}" ${bar} -1 text)
  string(FIND "${${where}}" "${text}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "after the revision changed to 3, the ${where} lacks: ${text}\n${${where}}")
  endif()
endforeach()
message(STATUS "the version record, the package and the About window follow the identity")
