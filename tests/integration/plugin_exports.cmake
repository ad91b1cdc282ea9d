# Checks the plug-in library's export table, and on Windows its imports.
#   cmake -DLIBRARY=<file> -DFORMAT=pe|elf -DTOOL=<objdump or nm> -P plugin_exports.cmake
# PE: the export names must be exactly the 18 entry points, undecorated, and
# the imported DLLs exactly the system DLLs listed below (no libstdc++,
# libgcc or libwinpthread beside the DLL). ELF: the defined dynamic symbols
# must be exactly the 18 entry points. The tools run in the C locale: their
# headings are translated elsewhere.

set(expected_exports
  APCCleanUp APCFolderCreate APCFolderInitMenu APCGetPlugName APCSendClose APCSendCreate
  APCSendInitMenu APCSendPost APCSetup APCStartUp APCVersionInfo APCViewClose APCViewCreate
  APCViewInitMenu APCViewLoadMail NeverFollow NeverPrecede Version)
set(expected_imports ADVAPI32.DLL COMCTL32.DLL COMDLG32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL SHELL32.DLL USER32.DLL)

function(compare what actual expected)
  list(SORT actual)
  list(SORT expected)
  if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "${what} differ\n  expected: ${expected}\n  found:    ${actual}")
  endif()
  list(LENGTH actual n)
  message(STATUS "${what}: ${n} as expected")
endfunction()

if(NOT EXISTS "${LIBRARY}")
  message(FATAL_ERROR "no library at ${LIBRARY}")
endif()

if(FORMAT STREQUAL "pe")
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C ${TOOL} -p ${LIBRARY} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${TOOL} failed")
  endif()
  string(REPLACE "\n" ";" lines "${dump}")
  set(exports)
  set(imports)
  set(in_names FALSE)
  foreach(line IN LISTS lines)
    if(line MATCHES "\\[Ordinal/Name Pointer\\] Table")
      set(in_names TRUE)
    elseif(in_names AND line MATCHES "^[ \t]*\\[ *[0-9]+\\] (.+)$")
      list(APPEND exports "${CMAKE_MATCH_1}")
    elseif(in_names)
      set(in_names FALSE)
    endif()
    if(line MATCHES "DLL Name: (.+)$")
      string(TOUPPER "${CMAKE_MATCH_1}" dll)
      list(APPEND imports "${dll}")
    endif()
  endforeach()
  compare("exported names" "${exports}" "${expected_exports}")
  compare("imported DLLs" "${imports}" "${expected_imports}")
else()
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C ${TOOL} -D --defined-only --format=posix ${LIBRARY} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${TOOL} failed")
  endif()
  string(REPLACE "\n" ";" lines "${dump}")
  set(exports)
  foreach(line IN LISTS lines)
    if(line MATCHES "^([^ ]+) [A-Za-z] ")
      list(APPEND exports "${CMAKE_MATCH_1}")
    endif()
  endforeach()
  compare("exported names" "${exports}" "${expected_exports}")
endif()
