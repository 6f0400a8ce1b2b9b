# What `cmake --install` puts under the prefix (GNUInstallDirs), and the Debian package
# `cpack -G DEB` makes of it:
#   bin/quillomorph, bin/quillomorph-cli, bin/quillomorph-datagen
#   LIBDIR/libquillomorph.so*, include/quillomorph/quillomorph.h,
#   LIBDIR/cmake/QuilloMorph/ (find_package), LIBDIR/pkgconfig/quillomorph.pc
#   share/quillomorph/data/ (the languages, their manifest and sources, the window's pages)
#   share/applications/quillomorph.desktop, share/icons/hicolor/NxN/apps/quillomorph.png
#   share/man/man1/*.1, share/doc/quillomorph/ (README, LICENSE, copyright)
#   lib/python3/dist-packages/ (the Python module, where it is built)
# Included at the end of the top CMakeLists.txt, once every target exists.
include(CMakePackageConfigHelpers)

# The programs and the library find the data folder relative to themselves (QM_DATA_FROM_*),
# so the same build installs into any prefix.
set(QM_INSTALL_LANGUAGEDIR ${CMAKE_INSTALL_DATADIR}/quillomorph/data)
set(QM_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/QuilloMorph)
set(QM_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/quillomorph)

# --- Programs (quillomorph-cli is installed by cli/) ------------------------------------------
foreach(program IN ITEMS quillomorph_window quillomorph-datagen)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()

# --- The library, its header, the CMake package and the pkg-config file ----------------------
if(NOT QM_FUZZ)
    install(TARGETS quillomorph EXPORT QuilloMorphTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
    install(FILES ${PROJECT_SOURCE_DIR}/include/quillomorph/quillomorph.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quillomorph)
    install(EXPORT QuilloMorphTargets NAMESPACE QuilloMorph::
        DESTINATION ${QM_INSTALL_CMAKEDIR})
    configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/QuilloMorphConfig.cmake.in
        ${PROJECT_BINARY_DIR}/QuilloMorphConfig.cmake
        INSTALL_DESTINATION ${QM_INSTALL_CMAKEDIR}
        PATH_VARS QM_INSTALL_LANGUAGEDIR)
    # The library's SONAME carries MAJOR.MINOR: a package of another minor version does not do.
    write_basic_package_version_file(${PROJECT_BINARY_DIR}/QuilloMorphConfigVersion.cmake
        COMPATIBILITY SameMinorVersion)
    install(FILES ${PROJECT_BINARY_DIR}/QuilloMorphConfig.cmake
                  ${PROJECT_BINARY_DIR}/QuilloMorphConfigVersion.cmake
        DESTINATION ${QM_INSTALL_CMAKEDIR})

    # quillomorph.pc names the prefix it is installed under (--prefix, or the package's /usr),
    # so it is written when installing, from a template made here.
    set(QM_PC_PREFIX "@QM_PC_PREFIX@")
    configure_file(${PROJECT_SOURCE_DIR}/cmake/quillomorph.pc.in
        ${PROJECT_BINARY_DIR}/quillomorph.pc.template @ONLY)
    install(CODE "
        set(QM_PC_PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
        configure_file(\"${PROJECT_BINARY_DIR}/quillomorph.pc.template\"
                       \"${PROJECT_BINARY_DIR}/quillomorph.pc\" @ONLY)")
    install(FILES ${PROJECT_BINARY_DIR}/quillomorph.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endif()

# --- The Python module, where it is built -----------------------------------------------------
if(TARGET quillomorph_python)
    # QM_INSTALL_PYTHONDIR (top CMakeLists.txt): lib/python3/dist-packages, where Debian's
    # python3 looks for a package's modules; the module holds the engine itself.
    install(TARGETS quillomorph_python LIBRARY DESTINATION ${QM_INSTALL_PYTHONDIR})
endif()

# --- The data folder: every language's files, the manifest, the window's pages, the sources --
# The generator's CMake files and tools stay behind, and so does anything a run leaves there
# (trans.log); install(DIRECTORY) reads the folder when installing, so a new language needs
# no change here.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION ${QM_INSTALL_LANGUAGEDIR}
    FILES_MATCHING
        PATTERN "*.alf" PATTERN "*.syl" PATTERN "*.ex" PATTERN "*.lin" PATTERN "*.bin"
        PATTERN "languages.txt" PATTERN "banner.html" PATTERN "help.html" PATTERN "picture.png"
        PATTERN "russian.model" PATTERN "russian.model.licence.txt"
        PATTERN "cmake" EXCLUDE PATTERN "tools" EXCLUDE PATTERN "src" EXCLUDE)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/src/ DESTINATION ${QM_INSTALL_LANGUAGEDIR}/src
    FILES_MATCHING PATTERN "*.txt")

# --- Desktop entry, icons, manual pages, documentation ----------------------------------------
if(TARGET quillomorph_window)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/quillomorph.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    foreach(size IN LISTS QM_ICON_SIZES)
        install(FILES ${PROJECT_BINARY_DIR}/app/icons/${size}/quillomorph.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
endif()

foreach(page IN ITEMS quillomorph-cli quillomorph quillomorph-datagen)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/man/${page}.1.in
        ${PROJECT_BINARY_DIR}/man/${page}.1 @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/man/${page}.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
              ${PROJECT_SOURCE_DIR}/packaging/copyright
    DESTINATION ${QM_INSTALL_DOCDIR})

# --- The Debian package: cpack -G DEB in the build folder -------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillomorph)
set(CPACK_PACKAGE_VENDOR "The QuilloMorph developers")
set(CPACK_PACKAGE_CONTACT "The QuilloMorph developers <quillomorph@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "foreign names written in Russian, Russian in Latin letters")
set(CPACK_PACKAGE_DESCRIPTION
    "QuilloMorph writes foreign names in Russian: type a name, pick its language\n\
(English, German, French, Spanish, Italian, Polish, Japanese, Chinese pinyin) and\n\
it lists every transcription its rules allow. It also writes Russian in Latin\n\
letters and reads such Latin transliteration back into Cyrillic.\n\
.\n\
The package holds the window (quillomorph), the command-line front end for batch\n\
work (quillomorph-cli), the generator of the language files (quillomorph-datagen),\n\
the language data with its rule sources, and the C++ library with its header,\n\
CMake package and pkg-config file.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
# The package installs under /usr, whatever prefix the build folder was configured with; it is
# staged through DESTDIR, so that the install rules see CMAKE_INSTALL_PREFIX /usr (which the
# .pc file names).
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The window's serif face, Qt's own Russian texts, and xdg-open for the help page.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-paratype, qt6-translations-l10n, xdg-utils")
if(TARGET quillomorph_python)
    set(CPACK_DEBIAN_PACKAGE_SUGGESTS "python3")
endif()
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/CPackProject.cmake)
include(CPack)
