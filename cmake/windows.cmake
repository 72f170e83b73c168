# Windows builds: the programs' resources (icon and version information), and for a build made
# on Linux with mingw-w64 the test set-up: GoogleTest compiled from Debian's sources, and Wine as
# the emulator that runs the test programs.

enable_language(RC)

# Zelvar and Korinset are window programs (no console window); korin is a console program.
# Each gets the program icon and its version information as a Windows resource.
function(zelvar_windows_resources target description window_program)
  if(NOT TARGET ${target})
    return()
  endif()
  set(ZELVAR_RC_NAME ${target})
  set(ZELVAR_RC_DESCRIPTION "${description}")
  set(ZELVAR_RC_ICON "${CMAKE_SOURCE_DIR}/resources/icons/zelvar.ico")
  configure_file(${CMAKE_SOURCE_DIR}/cmake/windows/program.rc.in
                 ${CMAKE_BINARY_DIR}/windows-resources/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/windows-resources/${target}.rc)
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

# build/windows/dist/ and build/windows/Zelvar-<version>-win64.zip (target windows_dist).
set(ZELVAR_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
set(ZELVAR_DIST_ZIP ${CMAKE_BINARY_DIR}/Zelvar-${PROJECT_VERSION}-win64.zip)
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
  # Made again only when a program, a definition file or the recipe changed.
  add_custom_command(OUTPUT ${ZELVAR_DIST_ZIP}
    COMMAND ${CMAKE_COMMAND} "-DPROGRAMS=${programs_arg}" "-DDATA_FILES=${data}"
            "-DQT_BIN_DIR=${ZELVAR_QT_BIN_DIR}" "-DQT_PLUGIN_DIR=${ZELVAR_QT_PLUGIN_DIR}"
            "-DRUNTIME_DLLS=${dlls}" "-DSTRIP=${CMAKE_STRIP}"
            "-DERFA_LICENSE=${ZELVAR_ERFA_LICENSE}"
            "-DDIST=${ZELVAR_DIST_DIR}" "-DZIP=${ZELVAR_DIST_ZIP}"
            -P ${CMAKE_SOURCE_DIR}/cmake/windows/make_dist.cmake
    DEPENDS ${program_targets} ${programs} ${ZELVAR_DATA_FILES} ${ZELVAR_ERFA_LICENSE}
            ${CMAKE_SOURCE_DIR}/cmake/windows/make_dist.cmake
    COMMENT "Assembling ${ZELVAR_DIST_DIR} and ${ZELVAR_DIST_ZIP}"
    VERBATIM)
  add_custom_target(windows_dist ALL DEPENDS ${ZELVAR_DIST_ZIP})
endfunction()
