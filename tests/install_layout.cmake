# Installs the build into a scratch prefix and checks that everything lands where the
# program and the desktop look for it.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(file bin/strevo lib/strevo/strevo lib/strevo/wert3.txt bin/strevo-cli lib/strevo/strevo-cli
             share/applications/io.github.strevo.Strevo.desktop
             share/metainfo/io.github.strevo.Strevo.metainfo.xml
             share/icons/hicolor/48x48/apps/strevo.png share/icons/hicolor/128x128/apps/strevo.png
             share/icons/hicolor/256x256/apps/strevo.png share/icons/hicolor/scalable/apps/strevo.svg
             share/man/man1/strevo.1.gz share/man/man1/strevo-cli.1.gz
             share/doc/strevo/copyright)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "missing after install: ${file}")
  endif()
endforeach()
foreach(program strevo strevo-cli)
  if(NOT IS_SYMLINK "${PREFIX}/bin/${program}")
    message(FATAL_ERROR "bin/${program} is not a link to the program")
  endif()
  file(READ_SYMLINK "${PREFIX}/bin/${program}" target)
  if(NOT target STREQUAL "../lib/strevo/${program}")
    message(FATAL_ERROR "bin/${program} points to ${target}")
  endif()
endforeach()
# Started through the link, the program finds its table (the smoke test reads it).
execute_process(COMMAND "${CMAKE_COMMAND}" -E env QT_QPA_PLATFORM=offscreen STREVO_SMOKE_TEST=1
                        "${PREFIX}/bin/strevo"
                RESULT_VARIABLE smoke ERROR_VARIABLE smokeOutput OUTPUT_QUIET)
if(NOT smoke EQUAL 0)
  message(FATAL_ERROR "the installed program failed its smoke test (${smoke}): ${smokeOutput}")
endif()
# Started through its link, strevo-cli computes the example (whose checks are not all met).
execute_process(COMMAND "${PREFIX}/bin/strevo-cli"
                        "${CMAKE_CURRENT_LIST_DIR}/core/design/halle_nord.strevo"
                RESULT_VARIABLE cli OUTPUT_VARIABLE cliOutput ERROR_VARIABLE cliError)
string(FIND "${cliOutput}" "\"format\": \"strevo-ergebnis\"" cliFormat)
if(NOT cli EQUAL 1 OR cliFormat EQUAL -1)
  message(FATAL_ERROR "the installed strevo-cli failed on the example (${cli}): ${cliError}")
endif()
file(READ "${PREFIX}/share/applications/io.github.strevo.Strevo.desktop" entry)
foreach(line "Exec=strevo" "Icon=strevo" "Categories=Science;Engineering;")
  string(FIND "${entry}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "desktop entry lacks ${line}")
  endif()
endforeach()
file(SIZE "${PREFIX}/share/icons/hicolor/128x128/apps/strevo.png" iconSize)
if(iconSize LESS 500)
  message(FATAL_ERROR "the icon is empty")
endif()
file(REMOVE_RECURSE "${PREFIX}")
