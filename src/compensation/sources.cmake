list(APPEND VELTARO_CORE_SOURCES
  compensation/PaySummary.cpp
  compensation/MonthlyStats.cpp
  compensation/ProjectReport.cpp
  compensation/Compensation.cpp
)
list(APPEND VELTARO_UI_SOURCES
  compensation/StatsChart.cpp
  compensation/ProjectCostChart.cpp
  compensation/PaySummarySetupScreen.cpp
  compensation/PaySummaryScreen.cpp
  compensation/MonthlyStatsScreen.cpp
)
