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

# The whole desktop entry, every key of it: a wrong Terminal= or Exec= would
# still look like an entry.
file(READ "${SCRATCH}/root/usr/share/applications/tessarin.desktop" entry)
set(expected_entry [=[[Desktop Entry]
Type=Application
Name=公法线长度计算
Name[en]=Kavrento
GenericName=Base tangent length calculator
GenericName[zh_CN]=齿轮公法线长度计算器
Comment=Span tooth count k and base tangent length Wk of spur gears
Comment[zh_CN]=计算变位直齿轮的跨测齿数 k 和公法线长度 Wk
Exec=Tessarin
Icon=tessarin
Terminal=false
Categories=Education;Engineering;Science;
]=])
if(NOT entry STREQUAL expected_entry)
  message(FATAL_ERROR "the desktop entry differs.\nexpected:\n${expected_entry}\ninstalled:\n${entry}")
endif()
foreach(field IN ITEMS "Package: tessarin" "Version: 1.0.2" "libqt6widgets6")
  string(FIND "${control}" "${field}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "the package control lacks ${field}:\n${control}")
  endif()
endforeach()
message(STATUS "package contents as expected")
