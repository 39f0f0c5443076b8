list(APPEND VELTARO_CORE_SOURCES
  schedules/ScheduleRecord.cpp
  schedules/ScheduleFind.cpp
)
list(APPEND VELTARO_UI_SOURCES
  schedules/ScheduleCardScreen.cpp
  schedules/ScheduleFindScreen.cpp
)
