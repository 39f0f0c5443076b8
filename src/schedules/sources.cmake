list(APPEND VELTARO_CORE_SOURCES
  schedules/ScheduleRecord.cpp
)
