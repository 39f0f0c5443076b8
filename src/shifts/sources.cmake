list(APPEND VELTARO_CORE_SOURCES
  shifts/DailyShiftRecord.cpp
  shifts/WeeklyShiftRecord.cpp
)
