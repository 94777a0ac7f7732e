# Rooms: libraries whose headers are reached only by linking them. A room's folder is seen
# through a link of the room's own name in the build tree (build/rooms/NAME/NAME), and that
# link's parent is the only include path the room gives its users: linking the operator room
# makes "operator/Operator.hpp" visible and nothing beside it. Who links whom is who may include
# whom, and the compiler keeps it.
function(kestrivon_room_root name folder)
    set(root ${CMAKE_BINARY_DIR}/rooms/${name})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${folder} ${root}/${name} SYMBOLIC)
    set(KESTRIVON_ROOM_ROOT ${root} PARENT_SCOPE)
endfunction()

# kestrivon_room(TARGET NAME FOLDER [APART PART sources...] [PROGRAMS sources...]): a static
# library of FOLDER's sources. The sources APART make a second library, PART, that sees the
# room's own headers and links nothing the room links. The PROGRAMS' entries stay out of it.
function(kestrivon_room target name folder)
    cmake_parse_arguments(ROOM "" "" "APART;PROGRAMS" ${ARGN})
    kestrivon_room_root(${name} ${folder})
    file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
    if(ROOM_PROGRAMS)
        list(REMOVE_ITEM sources ${ROOM_PROGRAMS})
    endif()
    if(ROOM_APART)
        list(POP_FRONT ROOM_APART part)
        list(REMOVE_ITEM sources ${ROOM_APART})
        add_library(${part} STATIC ${ROOM_APART})
        target_include_directories(${part} PRIVATE ${KESTRIVON_ROOM_ROOT})
    endif()
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${KESTRIVON_ROOM_ROOT})
    # A room's files share most of their headers: compiled a batch at a time, they parse them
    # once per batch instead of once per file.
    set_target_properties(${target} PROPERTIES UNITY_BUILD ON)
endfunction()
