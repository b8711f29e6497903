# Builds the Debian package, unpacks it into a scratch root and checks that
# the program, its desktop entry, metainfo, manual and icons land where a
# desktop finds them, and that Debian's own tools find nothing to say:
# lintian, appstreamcli and desktop-file-validate.
#   -DCPACK=... -DCONFIG=<CPackConfig.cmake> -DVERSION=<version> -DSCRATCH=<folder>
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
execute_process(COMMAND dpkg-deb -f "${debs}" Package Version Section Depends Recommends OUTPUT_VARIABLE control)
if(NOT unpacked EQUAL 0)
  message(FATAL_ERROR "dpkg-deb -x failed")
endif()

foreach(path IN ITEMS
    usr/bin/Tessarin
    usr/share/applications/org.example.tessarin.desktop
    usr/share/metainfo/org.example.tessarin.metainfo.xml
    usr/share/man/man1/Tessarin.1.gz
    usr/share/doc/tessarin/copyright
    usr/share/doc/tessarin/changelog.gz
    usr/share/doc/tessarin/guide-zh_CN.html
    usr/share/doc/tessarin/guide-en.html
    usr/share/icons/hicolor/16x16/apps/org.example.tessarin.png
    usr/share/icons/hicolor/32x32/apps/org.example.tessarin.png
    usr/share/icons/hicolor/48x48/apps/org.example.tessarin.png
    usr/share/icons/hicolor/128x128/apps/org.example.tessarin.png
    usr/share/icons/hicolor/256x256/apps/org.example.tessarin.png)
  if(NOT EXISTS "${SCRATCH}/root/${path}")
    message(FATAL_ERROR "the package lacks /${path}")
  endif()
endforeach()

# Every picture the guides show lies beside them.
foreach(guide IN ITEMS guide-zh_CN.html guide-en.html)
  file(READ "${SCRATCH}/root/usr/share/doc/tessarin/${guide}" html)
  string(REGEX MATCHALL "src=\"[^\"]*\"" pictures "${html}")
  if(NOT pictures)
    message(FATAL_ERROR "${guide} shows no picture")
  endif()
  foreach(picture IN LISTS pictures)
    string(REGEX REPLACE "^src=\"(.*)\"$" "\\1" picture "${picture}")
    if(NOT EXISTS "${SCRATCH}/root/usr/share/doc/tessarin/${picture}")
      message(FATAL_ERROR "${guide} shows ${picture}, which the package lacks")
    endif()
  endforeach()
endforeach()

# The whole desktop entry, every key of it: a wrong Terminal= or Exec= would
# still look like an entry.
set(entry_file "${SCRATCH}/root/usr/share/applications/org.example.tessarin.desktop")
file(READ "${entry_file}" entry)
set(expected_entry [=[[Desktop Entry]
Type=Application
Name=公法线长度计算
Name[en]=Kavrento
GenericName=Base tangent length calculator
GenericName[zh_CN]=齿轮公法线长度计算器
Comment=Span tooth count k and base tangent length Wk of spur gears
Comment[zh_CN]=计算变位直齿轮的跨测齿数 k 和公法线长度 Wk
Keywords=gear;spur gear;span;base tangent length;span measurement;profile shift;inspection;
Keywords[zh_CN]=齿轮;直齿轮;公法线;公法线长度;跨测齿数;变位;齿轮检验;
Exec=Tessarin
Icon=org.example.tessarin
Terminal=false
Categories=Science;Engineering;
StartupWMClass=Tessarin
]=])
if(NOT entry STREQUAL expected_entry)
  message(FATAL_ERROR "the desktop entry differs.\nexpected:\n${expected_entry}\ninstalled:\n${entry}")
endif()
foreach(field IN ITEMS "Package: tessarin" "Version: ${VERSION}" "Section: science" "libqt6widgets6" "Depends: fonts-noto-cjk | "
    "Recommends: fonts-liberation2")
  string(FIND "${control}" "${field}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "the package control lacks ${field}:\n${control}")
  endif()
endforeach()
# A software centre names the program as its menu does, and lists the release packaged.
file(READ "${SCRATCH}/root/usr/share/metainfo/org.example.tessarin.metainfo.xml" metainfo)
foreach(text IN ITEMS "<name>Kavrento</name>" "<name xml:lang=\"zh_CN\">公法线长度计算</name>"
    "<release version=\"${VERSION}\"")
  string(FIND "${metainfo}" "${text}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "the metainfo lacks ${text}")
  endif()
endforeach()
# Debian's own checks, each with nothing left to say.
function(clean_run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(failed)
    message(FATAL_ERROR "${what} failed (${failed}):\n${out}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()
clean_run("desktop-file-validate" desktop-file-validate "${entry_file}")
if(NOT out STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate has something to say:\n${out}")
endif()
# The metainfo checked as installed: its launchable is a desktop entry beside it.
clean_run("appstreamcli validate-tree" appstreamcli validate-tree --no-net --pedantic "${SCRATCH}/root")
# Every remark counts, the informational and pedantic ones too.
string(REGEX MATCHALL "(^|\n)[A-Z]: [^\n]*" remarks "${out}")
if(remarks)
  message(FATAL_ERROR "appstreamcli validate has something to say:\n${out}")
endif()
clean_run("lintian" lintian -EviIL +pedantic --tag-display-limit 0 "${debs}")
string(REGEX MATCHALL "(^|\n)[A-Z]: [^\n]*" remarks "${out}")
if(remarks)
  message(FATAL_ERROR "lintian has something to say:\n${out}")
endif()
message(STATUS "package contents as expected")
