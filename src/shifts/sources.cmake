list(APPEND VELTARO_CORE_SOURCES
  shifts/DailyShiftRecord.cpp
  shifts/WeeklyShiftRecord.cpp
  shifts/ShiftFind.cpp
)
list(APPEND VELTARO_UI_SOURCES
  shifts/WeeklyShiftScreen.cpp
  shifts/ShiftFindScreen.cpp
  shifts/ShiftScreen.cpp
)
