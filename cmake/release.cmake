# What a release needs of every build: one version and identity (from
# project() and the lines below) for the version texts and the Windows version
# resources, builds that do not depend on where or when they ran, and
# deliverables without debug sections, their debug information beside them.

set(TORVEN_AUTHOR "Equipo TORVEN")
set(TORVEN_CONTACT "torven@example.org")
set(TORVEN_PRODUCT "TORVEN")
set(TORVEN_COPYRIGHT "© ${TORVEN_AUTHOR}. Código de terceros y sus licencias: ver NOTICE")
set(TORVEN_VERSION_MINOR ${PROJECT_VERSION_MINOR})
if(TORVEN_VERSION_MINOR STREQUAL "")
  set(TORVEN_VERSION_MINOR 0)
endif()
set(TORVEN_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/cmake/templates/torven_version.h.in
               ${TORVEN_GENERATED_DIR}/torven_version.h @ONLY)
include_directories(${TORVEN_GENERATED_DIR})

# The time stamped into archives (torven.oxt): SOURCE_DATE_EPOCH when the
# release sets it, else the time of the commit built, so that two builds of one
# commit agree.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(TORVEN_SOURCE_DATE $ENV{SOURCE_DATE_EPOCH})
else()
  execute_process(COMMAND git -C ${PROJECT_SOURCE_DIR} log -1 --format=%ct
                  OUTPUT_VARIABLE TORVEN_SOURCE_DATE OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE git_failed ERROR_QUIET)
  if(git_failed OR TORVEN_SOURCE_DATE STREQUAL "")
    set(TORVEN_SOURCE_DATE 315532800)  # 1980-01-01, the earliest time a zip holds
  endif()
endif()

# No folder of the build machine in any output (file names in debug
# information and __FILE__), and no time: Windows images get no link time.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
                    -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
if(WIN32)
  add_link_options(-Wl,--no-insert-timestamp)
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} --codepage=65001")
endif()

# Debug information is split off the deliverables of a release build.
if(CMAKE_BUILD_TYPE STREQUAL "Release" AND NOT TORVEN_SANITIZE)
  set(TORVEN_SPLIT_DEBUG ON)
  set(TORVEN_DEBUG_SUFFIX .debug)
else()
  set(TORVEN_SPLIT_DEBUG OFF)
  set(TORVEN_DEBUG_SUFFIX "")
endif()

# The targets whose objects end up in a deliverable get debug information
# (which does not change the code generated).
function(torven_debug_info)
  if(TORVEN_SPLIT_DEBUG)
    foreach(target ${ARGN})
      target_compile_options(${target} PRIVATE -g)
    endforeach()
  endif()
endfunction()

# Ships `target` stripped: the file as linked stays beside it as NAME.debug,
# which the stripped file names in its debug link (gdb and crash tools find
# it there).
function(torven_split_debug target)
  if(TORVEN_SPLIT_DEBUG)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE_NAME:${target}> $<TARGET_FILE_NAME:${target}>.debug
      # -p: keeps a Windows image's time stamp as linked (none), where objcopy
      # would write the time of day.
      COMMAND ${CMAKE_OBJCOPY} --strip-all -p
              --add-gnu-debuglink=$<TARGET_FILE_NAME:${target}>.debug $<TARGET_FILE_NAME:${target}>
      WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
      VERBATIM)
  endif()
endfunction()

# The version resource of a Windows deliverable: its file name, a Spanish
# description, and a comment (the add-ins: their version label).
function(torven_version_resource target file_name description comments)
  if(NOT WIN32)
    return()
  endif()
  set(TORVEN_RC_FILE_NAME ${file_name})
  set(TORVEN_RC_DESCRIPTION ${description})
  set(TORVEN_RC_COMMENTS ${comments})
  get_filename_component(TORVEN_RC_INTERNAL_NAME ${file_name} NAME_WE)
  if(file_name MATCHES "\\.exe$")
    set(TORVEN_RC_FILE_TYPE VFT_APP)
  else()
    set(TORVEN_RC_FILE_TYPE VFT_DLL)
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/templates/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
