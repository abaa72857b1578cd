# The time stamped into archives: SOURCE_DATE_EPOCH when the release sets it,
# else the time of the commit built, so that two builds of one commit agree.
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
