# Vantor.exe: the logic libraries over the real platform, the Windows-only
# sources (dialogs, tray window, start-up) and the resources. GUI subsystem,
# runtime linked statically so that only Windows' own DLLs are needed.
vantor_win32_sources(vantor_win32)
add_executable(Vantor WIN32 ${vantor_win32} $<TARGET_OBJECTS:vantor_resources>)
target_include_directories(Vantor PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(Vantor PRIVATE vantor_app vantor_contacts vantor_highlight vantor_accents
  vantor_dates vantor_inject vantor_text vantor_platform)
# The map says what every library and object adds to the file: the size
# report reads it.
target_link_options(Vantor PRIVATE -static -Wl,-Map=${CMAKE_BINARY_DIR}/Vantor.map)
if(CMAKE_BUILD_TYPE STREQUAL "Release")
  target_link_options(Vantor PRIVATE -s)
endif()
