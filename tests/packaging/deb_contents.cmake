# Builds the Debian package, unpacks it into a scratch root and checks that
# the program, its desktop entry and its icons land where a desktop finds them.
#   -DCPACK=... -DCONFIG=<CPackConfig.cmake> -DSCRATCH=<folder>
file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}/root")
execute_process(COMMAND "${CPACK}" --config "${CONFIG}" -B "${SCRATCH}" RESULT_VARIABLE packed)
if(NOT packed EQUAL 0)
  message(FATAL_ERROR "cpack failed: ${packed}")
endif()
file(GLOB debs "${SCRATCH}/tessarin_*.deb")
list(LENGTH debs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one tessarin_*.deb, found: ${debs}")
endif()
execute_process(COMMAND dpkg-deb -x "${debs}" "${SCRATCH}/root" RESULT_VARIABLE unpacked)
execute_process(COMMAND dpkg-deb -f "${debs}" Package Version Depends OUTPUT_VARIABLE control)
if(NOT unpacked EQUAL 0)
  message(FATAL_ERROR "dpkg-deb -x failed")
endif()

foreach(path IN ITEMS
    usr/bin/Tessarin
    usr/share/applications/tessarin.desktop
    usr/share/icons/hicolor/16x16/apps/tessarin.png
    usr/share/icons/hicolor/32x32/apps/tessarin.png
    usr/share/icons/hicolor/48x48/apps/tessarin.png
    usr/share/icons/hicolor/128x128/apps/tessarin.png
    usr/share/icons/hicolor/256x256/apps/tessarin.png)
  if(NOT EXISTS "${SCRATCH}/root/${path}")
    message(FATAL_ERROR "the package lacks /${path}")
  endif()
endforeach()

file(READ "${SCRATCH}/root/usr/share/applications/tessarin.desktop" entry)
foreach(line IN ITEMS "Name=公法线长度计算" "Exec=Tessarin" "Icon=tessarin" "Type=Application")
  string(FIND "${entry}" "${line}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "the desktop entry lacks ${line}")
  endif()
endforeach()
foreach(field IN ITEMS "Package: tessarin" "Version: 1.0.2" "libqt6widgets6")
  string(FIND "${control}" "${field}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "the package control lacks ${field}:\n${control}")
  endif()
endforeach()
message(STATUS "package contents as expected")
