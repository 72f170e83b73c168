# Windows builds: the programs' resources (icon and version information), and for a build made
# on Linux with mingw-w64 the test set-up: GoogleTest compiled from Debian's sources, and Wine as
# the emulator that runs the test programs.

enable_language(RC)

# Zelvar and Korinset are window programs (no console window); korin is a console program.
# Each gets the program icon, its version information and its manifest as Windows resources.
function(zelvar_windows_resources target description window_program)
  if(NOT TARGET ${target})
    return()
  endif()
  set(ZELVAR_RC_NAME ${target})
  set(ZELVAR_RC_DESCRIPTION "${description}")
  set(ZELVAR_RC_ICON "${CMAKE_SOURCE_DIR}/resources/icons/zelvar.ico")
  set(ZELVAR_RC_MANIFEST "${CMAKE_BINARY_DIR}/windows-resources/${target}.manifest")
  configure_file(${CMAKE_SOURCE_DIR}/cmake/windows/program.manifest.in ${ZELVAR_RC_MANIFEST} @ONLY)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/windows/program.rc.in
                 ${CMAKE_BINARY_DIR}/windows-resources/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/windows-resources/${target}.rc)
  set_source_files_properties(${CMAKE_BINARY_DIR}/windows-resources/${target}.rc PROPERTIES
                              OBJECT_DEPENDS "${ZELVAR_RC_MANIFEST};${ZELVAR_RC_ICON}")
  if(window_program)
    set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
  endif()
endfunction()

if(NOT CMAKE_CROSSCOMPILING)
  return()
endif()

# GoogleTest has no MinGW build in Debian: it is compiled here from the `googletest` package's
# sources, under the names find_package(GTest) gives.
set(ZELVAR_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest's sources")
if(ZELVAR_BUILD_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${ZELVAR_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  foreach(library gtest gtest_main gmock gmock_main)
    if(NOT TARGET GTest::${library})
      add_library(GTest::${library} ALIAS ${library})
    endif()
  endforeach()
  set(GTest_FOUND TRUE)
endif()

# The folders a Windows program of this build loads its DLLs from: Qt's, and the toolchain's
# C++ runtime.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                OUTPUT_VARIABLE ZELVAR_LIBSTDCXX_DLL OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
                OUTPUT_VARIABLE ZELVAR_WINPTHREAD_DLL OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT IS_ABSOLUTE "${ZELVAR_WINPTHREAD_DLL}")
  set(ZELVAR_WINPTHREAD_DLL /usr/${ZELVAR_MINGW_PREFIX}/lib/libwinpthread-1.dll)
endif()
get_filename_component(ZELVAR_WINPTHREAD_DLL "${ZELVAR_WINPTHREAD_DLL}" REALPATH)
get_filename_component(ZELVAR_LIBSTDCXX_DLL "${ZELVAR_LIBSTDCXX_DLL}" REALPATH)
get_filename_component(ZELVAR_LIBSTDCXX_DIR "${ZELVAR_LIBSTDCXX_DLL}" DIRECTORY)
set(ZELVAR_RUNTIME_DLLS
    ${ZELVAR_LIBSTDCXX_DIR}/libstdc++-6.dll
    ${ZELVAR_LIBSTDCXX_DIR}/libgcc_s_seh-1.dll
    ${ZELVAR_WINPTHREAD_DLL})
foreach(dll IN LISTS ZELVAR_RUNTIME_DLLS)
  if(NOT EXISTS ${dll})
    message(FATAL_ERROR "The toolchain's runtime DLL ${dll} is missing")
  endif()
endforeach()
get_filename_component(ZELVAR_WINPTHREAD_DIR "${ZELVAR_WINPTHREAD_DLL}" DIRECTORY)
get_target_property(ZELVAR_QT_CORE_DLL Qt6::Core IMPORTED_LOCATION_RELEASE)
if(NOT ZELVAR_QT_CORE_DLL)
  get_target_property(ZELVAR_QT_CORE_DLL Qt6::Core LOCATION)
endif()
get_filename_component(ZELVAR_QT_BIN_DIR "${ZELVAR_QT_CORE_DLL}" DIRECTORY)
get_filename_component(ZELVAR_QT_PREFIX "${ZELVAR_QT_BIN_DIR}" DIRECTORY)
set(ZELVAR_QT_PLUGIN_DIR ${ZELVAR_QT_PREFIX}/plugins)

# Wine runs the test programs, in a prefix of this build's own.
find_program(ZELVAR_WINE_PROGRAM NAMES wine wine64 REQUIRED)
find_program(ZELVAR_WINESERVER_PROGRAM NAMES wineserver
             PATHS /usr/lib/wine /usr/lib/x86_64-linux-gnu/wine REQUIRED)
set(ZELVAR_WINE ${ZELVAR_WINE_PROGRAM})
set(ZELVAR_WINESERVER ${ZELVAR_WINESERVER_PROGRAM})
set(ZELVAR_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(ZELVAR_WINEPATH "Z:${ZELVAR_QT_BIN_DIR};Z:${ZELVAR_LIBSTDCXX_DIR};Z:${ZELVAR_WINPTHREAD_DIR}")
set(ZELVAR_QT_PLUGIN_PATH "Z:${ZELVAR_QT_PLUGIN_DIR}")
configure_file(${CMAKE_SOURCE_DIR}/cmake/windows/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
               @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
               GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
endif()

# build/windows/dist/Zelvar-<version>-win64/, its zip build/windows/Zelvar-<version>-win64.zip and
# the installer build/windows/Zelvar-<version>-setup.exe (target windows_dist).
set(ZELVAR_DIST_NAME Zelvar-${PROJECT_VERSION}-win64)
set(ZELVAR_DIST_DIR ${CMAKE_BINARY_DIR}/dist/${ZELVAR_DIST_NAME})
set(ZELVAR_DIST_ZIP ${CMAKE_BINARY_DIR}/${ZELVAR_DIST_NAME}.zip)
set(ZELVAR_SETUP_EXE ${CMAKE_BINARY_DIR}/Zelvar-${PROJECT_VERSION}-setup.exe)
# Qt's Japanese texts: the .qm files are the same on every system, so Debian's for this Qt version.
find_file(ZELVAR_QT_TRANSLATION qtbase_ja.qm PATHS /usr/share/qt6/translations
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_program(ZELVAR_MAKENSIS makensis REQUIRED)
# The licence notices shipped with the programs, as name=source.
set(ZELVAR_DIST_LICENSES
    Qt.txt=/usr/share/doc/libqt6core6/copyright
    Qt-translations.txt=/usr/share/doc/qt6-translations-l10n/copyright
    LGPL-3.txt=/usr/share/common-licenses/LGPL-3
    GPL-3.txt=/usr/share/common-licenses/GPL-3
    gcc-runtime.txt=/usr/share/doc/gcc-mingw-w64-base/copyright
    mingw-w64.txt=/usr/share/doc/mingw-w64-common/copyright
    ERFA.txt=${ZELVAR_ERFA_LICENSE})
function(zelvar_windows_dist)
  set(programs)
  set(program_targets)
  foreach(program Zelvar Korinset korin)
    if(TARGET ${program})
      list(APPEND programs $<TARGET_FILE:${program}>)
      list(APPEND program_targets ${program})
    endif()
  endforeach()
  list(JOIN programs "$<SEMICOLON>" programs_arg)
  list(JOIN ZELVAR_DATA_FILES "$<SEMICOLON>" data)
  list(JOIN ZELVAR_RUNTIME_DLLS "$<SEMICOLON>" dlls)
  list(JOIN ZELVAR_DIST_LICENSES "$<SEMICOLON>" licenses)
  set(readme ${CMAKE_SOURCE_DIR}/packaging/windows/README.txt.in)
  set(installer_script ${CMAKE_SOURCE_DIR}/packaging/windows/zelvar.nsi)
  # Made again only when a program, a definition file or the recipe changed.
  add_custom_command(OUTPUT ${ZELVAR_DIST_ZIP} ${ZELVAR_SETUP_EXE}
    COMMAND ${CMAKE_COMMAND} "-DPROGRAMS=${programs_arg}" "-DDATA_FILES=${data}"
            "-DQT_BIN_DIR=${ZELVAR_QT_BIN_DIR}" "-DQT_PLUGIN_DIR=${ZELVAR_QT_PLUGIN_DIR}"
            "-DQT_TRANSLATION=${ZELVAR_QT_TRANSLATION}" "-DRUNTIME_DLLS=${dlls}"
            "-DREADME=${readme}" "-DVERSION=${PROJECT_VERSION}" "-DLICENSES=${licenses}"
            "-DSTRIP=${CMAKE_STRIP}" "-DDIST=${ZELVAR_DIST_DIR}" "-DZIP=${ZELVAR_DIST_ZIP}"
            -P ${CMAKE_SOURCE_DIR}/cmake/windows/make_dist.cmake
    COMMAND ${CMAKE_COMMAND} "-DMAKENSIS=${ZELVAR_MAKENSIS}" "-DSCRIPT=${installer_script}"
            "-DDIST=${ZELVAR_DIST_DIR}" "-DVERSION=${PROJECT_VERSION}"
            "-DICON=${CMAKE_SOURCE_DIR}/resources/icons/zelvar.ico"
            "-DWORK=${CMAKE_BINARY_DIR}/installer" "-DSETUP=${ZELVAR_SETUP_EXE}"
            -P ${CMAKE_SOURCE_DIR}/cmake/windows/make_installer.cmake
    DEPENDS ${program_targets} ${programs} ${ZELVAR_DATA_FILES} ${readme} ${installer_script}
            ${ZELVAR_ERFA_LICENSE}
            ${CMAKE_SOURCE_DIR}/cmake/windows/make_dist.cmake
            ${CMAKE_SOURCE_DIR}/cmake/windows/make_installer.cmake
    COMMENT "Assembling ${ZELVAR_DIST_DIR}, ${ZELVAR_DIST_ZIP} and ${ZELVAR_SETUP_EXE}"
    VERBATIM)
  add_custom_target(windows_dist ALL DEPENDS ${ZELVAR_DIST_ZIP} ${ZELVAR_SETUP_EXE})
endfunction()
