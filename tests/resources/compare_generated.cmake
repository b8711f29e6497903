# Runs the resource generator into a scratch folder and compares every file
# it writes with the committed copy in resources/: the same bytes, or else
# the same pictures (image_compare).
set(expected Tessarin.ico about.bmp tessarin-128.png tessarin-16.png tessarin-256.png tessarin-32.png tessarin-48.png)

file(REMOVE_RECURSE "${SCRATCH}")
execute_process(COMMAND "${GENERATOR}" "${SCRATCH}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "resource_generator failed: ${result}")
endif()

file(GLOB generated RELATIVE "${SCRATCH}" "${SCRATCH}/*")
list(SORT generated)
if(NOT generated STREQUAL expected)
  message(FATAL_ERROR "resource_generator wrote ${generated}, expected ${expected}")
endif()
set(differing "")
foreach(name IN LISTS expected)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${SCRATCH}/${name}" "${SOURCE}/${name}"
                  RESULT_VARIABLE same)
  if(NOT same EQUAL 0)
    # Not the same bytes: the same pictures, up to a few edge pixels?
    execute_process(COMMAND "${IMAGE_COMPARE}" "${SCRATCH}/${name}" "${SOURCE}/${name}"
                    RESULT_VARIABLE alike OUTPUT_VARIABLE report)
    if(NOT alike EQUAL 0)
      list(APPEND differing "${name}: ${report}")
    endif()
  endif()
endforeach()
if(differing)
  message(FATAL_ERROR "resources/ differs from the drawing code in:\n${differing}\n"
                      "Redraw with: cmake --build --preset dev --target regenerate_resources")
endif()
