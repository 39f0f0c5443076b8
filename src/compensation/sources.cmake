list(APPEND VELTARO_CORE_SOURCES
  compensation/Common.cpp
  compensation/PaySummary.cpp
  compensation/MonthlyStats.cpp
  compensation/ProjectReport.cpp
)
list(APPEND VELTARO_UI_SOURCES
  compensation/MenuRiepilogoPagamenti.cpp
  compensation/RiepPagamenti.cpp
  compensation/StatsChart.cpp
  compensation/Statistiche.cpp
)
