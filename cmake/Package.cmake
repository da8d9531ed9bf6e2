# The Debian package, built by scripts/package.sh from a Release tree
# installed under /usr.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/scenewright)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME scenewright)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Scenewright authors")
set(CPACK_PACKAGE_CONTACT "Scenewright maintainers <maintainers@scenewright.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "author the scripts of Atmosphere 3D web worlds")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Scenewright maintainers <maintainers@scenewright.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The summary line comes first; this is the text below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Scenewright is a desktop authoring tool for Atmosphere 3D web worlds. A world
builder lists the things of a world that a script must talk to, hangs
triggers (proximity, click, world first loads) and actions (rotate, move,
fade, animate textures, chat, sound, go to another world, pop up a URL,
viewpoint animations) on them, edits the world's fog, glare, sounds and
welcome message, and Scenewright generates the Atmosphere JavaScript that
makes the world behave so.
.
The command-line tools scenewright-gen and scenewright-sim generate a
project's script and run it in a simulated world. Sample worlds are in
/usr/share/scenewright/examples.")
# The libraries the programs link against are found by dpkg-shlibdeps; Qt's
# platform plugins and a font are loaded at run time, where it cannot see
# them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core")

include(CPack)
