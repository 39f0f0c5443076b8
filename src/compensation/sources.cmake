list(APPEND VELTARO_CORE_SOURCES
  compensation/Common.cpp
  compensation/PaySummary.cpp
  compensation/MonthlyStats.cpp
)
