# Compiles the program file's resource script with the Windows resource
# compiler, reads the compiled record back and checks its fields.
#   -DWINDRES=... -DRC=<configured Tessarin.rc> -DSCRATCH=<folder>
file(MAKE_DIRECTORY "${SCRATCH}")
execute_process(
  COMMAND "${WINDRES}" --preprocessor=cpp -i "${RC}" -O res -o "${SCRATCH}/Tessarin.res"
  RESULT_VARIABLE compiled)
if(NOT compiled EQUAL 0)
  message(FATAL_ERROR "the resource script does not compile: ${compiled}")
endif()
execute_process(
  COMMAND "${WINDRES}" -i "${SCRATCH}/Tessarin.res" -O rc -o "${SCRATCH}/readback.rc"
  RESULT_VARIABLE read)
if(NOT read EQUAL 0)
  message(FATAL_ERROR "the compiled record does not read back: ${read}")
endif()
file(READ "${SCRATCH}/readback.rc" record)

set(expected
  "FILEVERSION 1, 0, 0, 2"
  "PRODUCTVERSION 1, 0, 0, 2"
  "BLOCK \"080404B0\""
  "VALUE \"FileVersion\", \"1.00.0002\""
  "VALUE \"ProductVersion\", \"1.00.0002\""
  "VALUE \"ProductName\", \"Kavrento\""
  "VALUE \"InternalName\", \"Tessarin\""
  "VALUE \"OriginalFilename\", \"Tessarin.exe\""
  "VALUE \"CompanyName\", \"Tessarin Gear Tools\""
  "VALUE \"Translation\", 0x804, 1200"
  "LANGUAGE 4, 2"
  # The icon group: six images in their order, with their sizes and depths.
  "0, 1, 6,"
  "\"\\040\\040\\000\\000\", 1, 8,"
  "\"\\020\\020\\000\\000\", 1, 8,"
  "\"\\200\\200\\000\\000\", 1, 32,"
  "\"\\060\\060\\000\\000\", 1, 32,"
  "\"\\040\\040\\000\\000\", 1, 32,"
  "\"\\020\\020\\000\\000\", 1, 32,")
set(position 0)
foreach(line IN LISTS expected)
  string(FIND "${record}" "${line}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "the compiled record lacks: ${line}")
  endif()
endforeach()

# The icon images are listed in the group in the file's order.
string(REGEX MATCHALL "Element no [0-9]" elements "${record}")
list(LENGTH elements count)
if(NOT count EQUAL 6)
  message(FATAL_ERROR "the icon group has ${count} images, not 6")
endif()
message(STATUS "version record and icon group as expected")
