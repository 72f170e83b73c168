# Runs at install time, after the program folder is complete: the desktop entries and the icons
# in the user's data folder, the `korin` link in ~/.local/bin, and the folder's manifest.
#
# Set ZELVAR_DESKTOP_INTEGRATION=0 in the environment of `cmake --install` to install the folder
# alone. With DESTDIR (staging for a package) every path below is placed under DESTDIR.

cmake_policy(PUSH) # this script's policies stay in it
cmake_policy(VERSION 3.25)


set(zelvar_destdir "$ENV{DESTDIR}")
set(zelvar_prefix "${CMAKE_INSTALL_PREFIX}")
set(zelvar_folder "${zelvar_destdir}${zelvar_prefix}")
set(zelvar_manifest "folder\t-\t${zelvar_prefix}")

# The folder's own files, as the install rules before this script copied them.
foreach(zelvar_path IN LISTS CMAKE_INSTALL_MANIFEST_FILES)
  cmake_path(SET zelvar_path NORMALIZE "${zelvar_path}") # DESTINATION . gives ".../prefix/./file"
  string(FIND "${zelvar_path}" "${zelvar_folder}/" zelvar_at)
  if(zelvar_at EQUAL 0 AND EXISTS "${zelvar_path}")
    string(LENGTH "${zelvar_destdir}" zelvar_cut)
    string(SUBSTRING "${zelvar_path}" ${zelvar_cut} -1 zelvar_final)
    file(SHA256 "${zelvar_path}" zelvar_hash)
    list(APPEND zelvar_manifest "file\t${zelvar_hash}\t${zelvar_final}")
  endif()
endforeach()

# Exec of a desktop entry: the path in double quotes with ", `, $ and \ escaped, % doubled, and
# every backslash doubled once more for the entry's string escapes.
function(zelvar_exec_field path out)
  set(text "${path}")
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\"" "\\\"" text "${text}")
  string(REPLACE "`" "\\`" text "${text}")
  string(REPLACE "$" "\\$" text "${text}")
  string(REPLACE "%" "%%" text "${text}")
  set(text "\"${text}\"")
  string(REPLACE "\\" "\\\\" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(zelvar_integrate "${ZELVAR_DESKTOP_INTEGRATION}")
if("$ENV{ZELVAR_DESKTOP_INTEGRATION}" STREQUAL "0")
  set(zelvar_integrate OFF)
endif()
if(zelvar_integrate AND "$ENV{HOME}" STREQUAL "")
  message(WARNING "HOME is not set: no desktop entries, icons or korin link installed")
  set(zelvar_integrate OFF)
endif()

if(zelvar_integrate)
  if(NOT "$ENV{XDG_DATA_HOME}" STREQUAL "")
    set(zelvar_data_home "$ENV{XDG_DATA_HOME}")
  else()
    set(zelvar_data_home "$ENV{HOME}/.local/share")
  endif()
  set(zelvar_bin_home "$ENV{HOME}/.local/bin")

  # Desktop entries for the two window programs.
  foreach(zelvar_program Zelvar Korinset)
    if(NOT zelvar_program IN_LIST ZELVAR_PROGRAMS)
      continue()
    endif()
    string(TOLOWER "${zelvar_program}" zelvar_id)
    set(ZELVAR_EXEC_PATH "${zelvar_prefix}/${zelvar_program}")
    string(REPLACE "\\" "\\\\" ZELVAR_EXEC_PATH "${ZELVAR_EXEC_PATH}")
    zelvar_exec_field("${zelvar_prefix}/${zelvar_program}" ZELVAR_EXEC)
    set(zelvar_entry "${zelvar_data_home}/applications/${zelvar_id}.desktop")
    configure_file("${ZELVAR_SOURCE_DIR}/packaging/${zelvar_id}.desktop.in"
                   "${zelvar_destdir}${zelvar_entry}" @ONLY)
    message(STATUS "Installing: ${zelvar_destdir}${zelvar_entry}")
    file(SHA256 "${zelvar_destdir}${zelvar_entry}" zelvar_hash)
    list(APPEND zelvar_manifest "file\t${zelvar_hash}\t${zelvar_entry}")
  endforeach()

  # The icon at every size into the user's hicolor theme.
  file(GLOB_RECURSE zelvar_icons RELATIVE "${zelvar_folder}/icons/hicolor"
       "${zelvar_folder}/icons/hicolor/*")
  foreach(zelvar_icon IN LISTS zelvar_icons)
    set(zelvar_to "${zelvar_data_home}/icons/hicolor/${zelvar_icon}")
    get_filename_component(zelvar_dir "${zelvar_destdir}${zelvar_to}" DIRECTORY)
    file(MAKE_DIRECTORY "${zelvar_dir}")
    file(COPY_FILE "${zelvar_folder}/icons/hicolor/${zelvar_icon}" "${zelvar_destdir}${zelvar_to}")
    file(SHA256 "${zelvar_destdir}${zelvar_to}" zelvar_hash)
    list(APPEND zelvar_manifest "file\t${zelvar_hash}\t${zelvar_to}")
  endforeach()
  if(zelvar_icons)
    message(STATUS "Installing: icons into ${zelvar_destdir}${zelvar_data_home}/icons/hicolor")
  endif()

  # korin on the PATH: a link, never over a file that is not a link.
  if("korin" IN_LIST ZELVAR_PROGRAMS)
    set(zelvar_link "${zelvar_bin_home}/korin")
    if(EXISTS "${zelvar_destdir}${zelvar_link}" AND NOT IS_SYMLINK "${zelvar_destdir}${zelvar_link}")
      message(WARNING "${zelvar_destdir}${zelvar_link} exists and is no link: left as it is; "
                      "korin is at ${zelvar_prefix}/korin")
    else()
      file(MAKE_DIRECTORY "${zelvar_destdir}${zelvar_bin_home}")
      file(REMOVE "${zelvar_destdir}${zelvar_link}")
      file(CREATE_LINK "${zelvar_prefix}/korin" "${zelvar_destdir}${zelvar_link}" SYMBOLIC)
      message(STATUS "Installing: ${zelvar_destdir}${zelvar_link} -> ${zelvar_prefix}/korin")
      list(APPEND zelvar_manifest "link\t-\t${zelvar_link}")
      string(REPLACE ":" ";" zelvar_path_list "$ENV{PATH}")
      if(NOT zelvar_bin_home IN_LIST zelvar_path_list)
        message(STATUS "Note: ${zelvar_bin_home} is not on PATH; add it to call korin by name")
      endif()
    endif()
  endif()
endif()

list(JOIN zelvar_manifest "\n" zelvar_text)
file(WRITE "${zelvar_folder}/install-manifest.txt"
     "# What the installation put where; uninstall.sh removes these.\n${zelvar_text}\n")
message(STATUS "Installing: ${zelvar_folder}/install-manifest.txt")

cmake_policy(POP)
