# Installs the game like any Linux game, and packs it as kestrivon_<version>_amd64.deb with CPack
# (`cpack` or the `package` target in the build folder):
#   /usr/games                         the launchers, which start each program from the user's
#                                      own run folder ($XDG_DATA_HOME/kestrivon)
#   /usr/lib/games/kestrivon           the two programs
#   /usr/share/games/kestrivon/data    the read-only data and the shipped score table
# plus desktop entries, icons, AppStream metadata, manual pages, the copyright and changelog.
# Packing needs only what the package holds (the build preset "package", as scripts/package
# builds it), not the tests and benchmarks that the whole build would bring first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(KESTRIVON_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)
set(KESTRIVON_STAGE ${CMAKE_BINARY_DIR}/packaging)
set(KESTRIVON_SHARE share/games/kestrivon/data)
set(KESTRIVON_DOC share/doc/kestrivon)

install(TARGETS kestrivon kestrivon-console RUNTIME DESTINATION lib/games/kestrivon)
install(PROGRAMS ${KESTRIVON_PACKAGING}/kestrivon-launcher DESTINATION games RENAME kestrivon)

# Links made here and installed as links: the console's launcher is the game's, called by its own
# name, and the fonts are the system's (the package depends on fonts-dejavu-core).
file(MAKE_DIRECTORY ${KESTRIVON_STAGE}/Font)
file(CREATE_LINK kestrivon ${KESTRIVON_STAGE}/kestrivon-console SYMBOLIC)
# The font links are relative, from /usr/share/games/kestrivon/data/Font to /usr/share/fonts.
set(KESTRIVON_SYSTEM_FONTS ../../../../fonts/truetype/dejavu)
file(CREATE_LINK ${KESTRIVON_SYSTEM_FONTS}/DejaVuSansMono.ttf ${KESTRIVON_STAGE}/Font/Text.ttf SYMBOLIC)
file(CREATE_LINK ${KESTRIVON_SYSTEM_FONTS}/DejaVuSans-Bold.ttf ${KESTRIVON_STAGE}/Font/Title.ttf SYMBOLIC)
install(FILES ${KESTRIVON_STAGE}/kestrivon-console DESTINATION games)
install(FILES ${KESTRIVON_STAGE}/Font/Text.ttf ${KESTRIVON_STAGE}/Font/Title.ttf
    DESTINATION ${KESTRIVON_SHARE}/Font)

# The data the build generated and copied, without what runs write into it, and the shipped
# table rather than the one this build folder's player has been filling. A folder missing from
# the build fails the package rather than leaving it out.
foreach(folder level Texture music sfx web)
    install(DIRECTORY ${KESTRIVON_DATA}/${folder} DESTINATION ${KESTRIVON_SHARE})
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/data/Score.txt DESTINATION ${KESTRIVON_SHARE})

foreach(program kestrivon kestrivon-console)
    foreach(size 16 24 32 48 64 128 256)
        install(FILES ${KESTRIVON_DATA}/icons/${program}-${size}.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME ${program}.png)
    endforeach()
    install(FILES ${KESTRIVON_PACKAGING}/${program}.desktop DESTINATION share/applications)
endforeach()
install(FILES ${KESTRIVON_PACKAGING}/org.kestrivon.Kestrivon.metainfo.xml DESTINATION share/metainfo)
install(FILES ${KESTRIVON_PACKAGING}/copyright DESTINATION ${KESTRIVON_DOC})

# Manual pages and the changelog go in compressed, reproducibly (no name or time in the header).
set(KESTRIVON_COMPRESSED)
foreach(page kestrivon.6 kestrivon-console.6 changelog)
    add_custom_command(OUTPUT ${KESTRIVON_STAGE}/${page}.gz
        COMMAND gzip -9nc ${KESTRIVON_PACKAGING}/${page} > ${KESTRIVON_STAGE}/${page}.gz
        DEPENDS ${KESTRIVON_PACKAGING}/${page}
        VERBATIM)
    list(APPEND KESTRIVON_COMPRESSED ${KESTRIVON_STAGE}/${page}.gz)
endforeach()
add_custom_target(package_pages ALL DEPENDS ${KESTRIVON_COMPRESSED})
install(FILES ${KESTRIVON_STAGE}/kestrivon.6.gz ${KESTRIVON_STAGE}/kestrivon-console.6.gz
    DESTINATION share/man/man6)
install(FILES ${KESTRIVON_STAGE}/changelog.gz DESTINATION ${KESTRIVON_DOC})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestrivon)
set(CPACK_PACKAGE_VENDOR "The Kestrivon developers")
set(CPACK_PACKAGE_CONTACT "Kestrivon developers <maintainers@kestrivon.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "first-person maze game for two players")
# The long description only: CPack puts the summary on the first line itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"One person walks the maze of an abandoned, irradiated plant in the first
person, takes the five radioactive objects and finds the exit, while a
monster they never see hunts them. The other runs the game from the operator
console, on another machine or in any web browser: they open and close the
doors, scan for the monster and the objects, shock it and restore the power.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link (SFML, the C++ runtime) as dpkg-shlibdeps finds them; the
# fonts, which they open by name, by hand. The web console's libraries are header-only.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-dejavu-core)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
