list(APPEND VELTARO_CORE_SOURCES
  projects/ProjectRecord.cpp
  projects/ProjectFind.cpp
  projects/ProjectRtf.cpp
)
list(APPEND VELTARO_UI_SOURCES
  projects/ProjectReportScreen.cpp
  projects/ProjectCardScreen.cpp
  projects/ProjectFindScreen.cpp
  projects/ProjectRtfDialog.cpp
)
