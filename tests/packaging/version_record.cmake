# Reads a compiled version record back with the Windows resource compiler
# and checks every field; given the resource script, compiles it first and
# also checks the icon group.
#   -DWINDRES=... -DRC=<configured Tessarin.rc> -DVERSION=<major.minor.revision> -DSCRATCH=<folder>
#   -DWINDRES=... -DRES=<compiled resources>     -DVERSION=<major.minor.revision> -DSCRATCH=<folder>
file(MAKE_DIRECTORY "${SCRATCH}")
# The version as the record writes it: numbers apart, and as text with the
# minor number in two digits and the revision in four, "1.00.0002" for 1.0.2.
string(REPLACE "." ";" numbers "${VERSION}")
list(GET numbers 0 major)
list(GET numbers 1 minor)
list(GET numbers 2 revision)
math(EXPR minor_digits "100 + ${minor}")
math(EXPR revision_digits "10000 + ${revision}")
string(SUBSTRING "${minor_digits}" 1 2 minor_digits)
string(SUBSTRING "${revision_digits}" 1 4 revision_digits)
set(numbers "${major}, ${minor}, 0, ${revision}")
set(text "${major}.${minor_digits}.${revision_digits}")
if(RC)
  set(RES "${SCRATCH}/Tessarin.res")
  execute_process(
    COMMAND "${WINDRES}" --preprocessor=cpp -i "${RC}" -O res -o "${RES}"
    RESULT_VARIABLE compiled)
  if(NOT compiled EQUAL 0)
    message(FATAL_ERROR "the resource script does not compile: ${compiled}")
  endif()
endif()
execute_process(
  COMMAND "${WINDRES}" -i "${RES}" -O rc -o "${SCRATCH}/readback.rc"
  RESULT_VARIABLE read)
if(NOT read EQUAL 0)
  message(FATAL_ERROR "the compiled record does not read back: ${read}")
endif()
file(READ "${SCRATCH}/readback.rc" record)

# The whole version record, every field of it, exactly as read back.
string(CONFIGURE [=[1 VERSIONINFO
 FILEVERSION @numbers@
 PRODUCTVERSION @numbers@
 FILEFLAGSMASK 0x3f
 FILEOS 0x40004
 FILETYPE 0x1
BEGIN
  BLOCK "StringFileInfo"
  BEGIN
    BLOCK "080404B0"
    BEGIN
      VALUE "CompanyName", "Tessarin Gear Tools"
      VALUE "FileDescription", "Movelant"
      VALUE "FileVersion", "@text@"
      VALUE "InternalName", "Tessarin"
      VALUE "OriginalFilename", "Tessarin.exe"
      VALUE "ProductName", "Kavrento"
      VALUE "ProductVersion", "@text@"
    END
  END
  BLOCK "VarFileInfo"
  BEGIN
    VALUE "Translation", 0x804, 1200
  END
END
]=] expected_record @ONLY)
string(FIND "${record}" "1 VERSIONINFO" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the compiled file has no version record:\n${record}")
endif()
string(SUBSTRING "${record}" ${at} -1 version_record)
string(REGEX REPLACE "\r" "" version_record "${version_record}")
string(FIND "${version_record}" "\nEND\n" end)
math(EXPR end "${end} + 5")
string(SUBSTRING "${version_record}" 0 ${end} version_record)
if(NOT version_record STREQUAL expected_record)
  message(FATAL_ERROR "the version record differs.\nexpected:\n${expected_record}\nread back:\n${version_record}")
endif()

if(NOT RC)
  message(STATUS "version record as expected")
  return()
endif()
set(expected
  "LANGUAGE 4, 2"
  # The icon group: six images in their order, with their sizes and depths.
  "0, 1, 6,"
  "\"\\040\\040\\000\\000\", 1, 8,"
  "\"\\020\\020\\000\\000\", 1, 8,"
  "\"\\200\\200\\000\\000\", 1, 32,"
  "\"\\060\\060\\000\\000\", 1, 32,"
  "\"\\040\\040\\000\\000\", 1, 32,"
  "\"\\020\\020\\000\\000\", 1, 32,")
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
