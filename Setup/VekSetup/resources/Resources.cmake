# The program's own resources. The Windows build embeds them with the resource compiler; the native
# build compiles the same files into a table that the posix backend's LoadOwnRcData serves.
set(VEKSETUP_RESOURCE_DIR ${CMAKE_CURRENT_LIST_DIR})
if(WIN32)
    enable_language(RC)
    set(VEKSETUP_RESOURCE_SOURCES ${VEKSETUP_RESOURCE_DIR}/VekSetup.rc)
else()
    set(generated ${CMAKE_CURRENT_BINARY_DIR}/OwnResources.cpp)
    add_custom_command(
        OUTPUT ${generated}
        COMMAND ${CMAKE_COMMAND} -DINPUT=${VEKSETUP_RESOURCE_DIR}/RecordDeskLayout.dst -DOUTPUT=${generated}
                -DRESOURCE_ID=102 -P ${VEKSETUP_RESOURCE_DIR}/EmbedResource.cmake
        DEPENDS ${VEKSETUP_RESOURCE_DIR}/RecordDeskLayout.dst ${VEKSETUP_RESOURCE_DIR}/EmbedResource.cmake
        COMMENT "Embedding the program's resources")
    set(VEKSETUP_RESOURCE_SOURCES ${generated})
endif()
