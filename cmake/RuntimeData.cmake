# Assembles the run-time folder build/data: generated pictures and sounds, the two fonts,
# the level files and the first score table.

set(KESTRIVON_DATA ${CMAKE_BINARY_DIR}/data)

file(GLOB KESTRIVON_ASSETGEN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/assetgen/*.cpp)
add_executable(assetgen ${KESTRIVON_ASSETGEN_SOURCES})
# The asset list, the sound slots and the cell values come from the shared room, and nothing else
# of the game.
find_package(Threads REQUIRED)
target_link_libraries(assetgen PRIVATE kestrivon_common sfml-graphics sfml-audio sfml-system
    Threads::Threads)
# Its many small files share their headers: compiled a batch at a time, they parse them once. The
# sounds make one batch and the pictures another, so that each toolkit's names (synth::pi and
# picture::pi) stay apart and the two batches compile side by side.
set_target_properties(assetgen PROPERTIES UNITY_BUILD ON UNITY_BUILD_MODE GROUP)
foreach(source ${KESTRIVON_ASSETGEN_SOURCES})
    set(batch pictures)
    if(source MATCHES "/(Biquad|Instruments|Noise|Reverb|Synth|EffectArt|MusicArt|VoiceArt)\\.cpp$")
        set(batch sounds)
    endif()
    set_source_files_properties(${source} PROPERTIES UNITY_GROUP ${batch})
endforeach()
set_target_properties(assetgen PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

# Every file the generator writes, as common/AssetList.hpp lists them: the quoted names of
# pictures and sounds. The generator runs again only when one is missing or when the generator
# itself was rebuilt.
set(KESTRIVON_ASSET_LIST ${CMAKE_SOURCE_DIR}/src/common/AssetList.hpp)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${KESTRIVON_ASSET_LIST})
file(READ ${KESTRIVON_ASSET_LIST} KESTRIVON_ASSET_TEXT)
string(REGEX MATCHALL "\"[^\"]+\\.(wav|WAV|png|jpg)\"" KESTRIVON_GENERATED "${KESTRIVON_ASSET_TEXT}")
string(REPLACE "\"" "" KESTRIVON_GENERATED "${KESTRIVON_GENERATED}")
list(TRANSFORM KESTRIVON_GENERATED PREPEND ${KESTRIVON_DATA}/)
add_custom_command(OUTPUT ${KESTRIVON_GENERATED}
    COMMAND ${CMAKE_COMMAND} -E env ALSOFT_DRIVERS=null $<TARGET_FILE:assetgen> ${KESTRIVON_DATA}
    DEPENDS assetgen
    COMMENT "Generating pictures and sounds into ${KESTRIVON_DATA}"
    VERBATIM)

set(KESTRIVON_FONT_DIR /usr/share/fonts/truetype/dejavu)
set(KESTRIVON_FONTS ${KESTRIVON_DATA}/Font/Text.ttf ${KESTRIVON_DATA}/Font/Title.ttf
    ${KESTRIVON_DATA}/Font/COPYRIGHT-DejaVu.txt)
add_custom_command(OUTPUT ${KESTRIVON_FONTS}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KESTRIVON_DATA}/Font
    COMMAND ${CMAKE_COMMAND} -E copy ${KESTRIVON_FONT_DIR}/DejaVuSansMono.ttf ${KESTRIVON_DATA}/Font/Text.ttf
    COMMAND ${CMAKE_COMMAND} -E copy ${KESTRIVON_FONT_DIR}/DejaVuSans-Bold.ttf ${KESTRIVON_DATA}/Font/Title.ttf
    COMMAND ${CMAKE_COMMAND} -E copy /usr/share/doc/fonts-dejavu-core/copyright
            ${KESTRIVON_DATA}/Font/COPYRIGHT-DejaVu.txt
    DEPENDS ${KESTRIVON_FONT_DIR}/DejaVuSansMono.ttf ${KESTRIVON_FONT_DIR}/DejaVuSans-Bold.ttf
    VERBATIM)

file(GLOB KESTRIVON_LEVEL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/level/*.txt)
set(KESTRIVON_LEVELS)
foreach(level ${KESTRIVON_LEVEL_SOURCES})
    get_filename_component(name ${level} NAME)
    add_custom_command(OUTPUT ${KESTRIVON_DATA}/level/${name}
        COMMAND ${CMAKE_COMMAND} -E copy ${level} ${KESTRIVON_DATA}/level/${name}
        DEPENDS ${level}
        VERBATIM)
    list(APPEND KESTRIVON_LEVELS ${KESTRIVON_DATA}/level/${name})
endforeach()

# The web console's page, served by kestrivon-console --web from data/web/.
file(GLOB KESTRIVON_WEB_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/web/*)
list(TRANSFORM KESTRIVON_WEB_SOURCES REPLACE ".*/" "${KESTRIVON_DATA}/web/" OUTPUT_VARIABLE KESTRIVON_WEB)
add_custom_command(OUTPUT ${KESTRIVON_WEB}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/data/web ${KESTRIVON_DATA}/web
    DEPENDS ${KESTRIVON_WEB_SOURCES}
    VERBATIM)
add_custom_target(web_page ALL DEPENDS ${KESTRIVON_WEB})
if(TARGET kestrivon-console)
    add_dependencies(kestrivon-console web_page)
endif()

add_custom_target(runtime_data ALL DEPENDS ${KESTRIVON_GENERATED} ${KESTRIVON_FONTS} ${KESTRIVON_LEVELS})

# The shipped score table seeds build/data once; later builds keep the player's scores.
add_custom_target(score_table ALL
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR}/data/Score.txt
            -DDESTINATION=${KESTRIVON_DATA}/Score.txt -P ${CMAKE_SOURCE_DIR}/cmake/CopyIfMissing.cmake
    VERBATIM)

# The game and its data, in one target so that one build compiles the game while the generator
# runs: the targets of a build preset are built one after another.
add_custom_target(game)
add_dependencies(game kestrivon runtime_data score_table)
