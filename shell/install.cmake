# Installation as a desktop program: the executable, its desktop entry and its icon on Linux;
# the icon and version record as a Windows resource, and no console window, on Windows.
include(GNUInstallDirs)

if(WIN32)
    target_sources(rideriddle PRIVATE rideriddle.rc)
    # The resource compiler looks for the icon named in rideriddle.rc on its include path.
    target_include_directories(rideriddle PRIVATE
        $<$<COMPILE_LANGUAGE:RC>:${PROJECT_SOURCE_DIR}/assets>)
    set_target_properties(rideriddle PROPERTIES WIN32_EXECUTABLE ON)
endif()

install(TARGETS rideriddle RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(UNIX AND NOT APPLE)
    install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/rideriddle.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${PROJECT_SOURCE_DIR}/assets/rideriddle.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps)
endif()
