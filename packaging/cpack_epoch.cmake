# Read by cpack before it packs (CPACK_PROJECT_CONFIG_FILE). CPack's Debian
# generator dates every member of the packages (the files, the control
# archive, the ar members) SOURCE_DATE_EPOCH when it is set, and writes the
# gzip headers without a time; so two builds of one commit give the same
# bytes. Taken from the environment when a builder sets it, else the time of
# the last commit of the source tree, else the date of the changelog's newest
# entry (a source without git).
if(NOT "$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
  execute_process(COMMAND git -C "${CPACK_TARVO_SOURCE_DIR}" log -1 --format=%ct
    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(NOT epoch MATCHES "^[0-9]+$")
    execute_process(COMMAND dpkg-parsechangelog -l "${CPACK_TARVO_SOURCE_DIR}/packaging/changelog"
      -S Timestamp OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
  if(NOT epoch MATCHES "^[0-9]+$")
    message(FATAL_ERROR "no SOURCE_DATE_EPOCH: neither git nor dpkg-parsechangelog gave the "
      "source's date; set SOURCE_DATE_EPOCH")
  endif()
  set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
endif()
