list(APPEND VELTARO_CORE_SOURCES
  worklog/WorkRecord.cpp
  worklog/WorkComputations.cpp
  worklog/WorkFind.cpp
)
list(APPEND VELTARO_UI_SOURCES
  worklog/WorkCardScreen.cpp
  worklog/WorkInstructionsDialog.cpp
  worklog/WorkFindScreen.cpp
)
