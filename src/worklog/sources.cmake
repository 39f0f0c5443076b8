list(APPEND VELTARO_CORE_SOURCES
  worklog/WorkRecord.cpp
  worklog/WorkComputations.cpp
)
