list(APPEND VELTARO_CORE_SOURCES
  shifts/DailyShiftRecord.cpp
  shifts/WeeklyShiftRecord.cpp
  shifts/ShiftFind.cpp
)
list(APPEND VELTARO_UI_SOURCES
  shifts/Turni.cpp
  shifts/Settimanale.cpp
  shifts/TrovaTurni.cpp
)
