# Writes the record-holder file of the training, 12 empty slots of 15 spaces,
# unless it is there already (the records set on this build stay).
#   cmake -DFILE=<path> -P blank_record_holders.cmake
if(NOT EXISTS "${FILE}")
  string(REPEAT " " 180 blank)
  file(WRITE "${FILE}" "${blank}")
endif()
