# `make deb` (cpack -G DEB in the build folder) makes build/kalvo_<version>_amd64.deb from the
# install rules, with prefix /usr. The program finds its data from its own folder
# (<prefix>/bin/../share/Harnwick/Kalvo), so the same rules serve /usr/local and /usr.

# What Debian asks of every package beside the program: the copyright file, the changelog and
# a manual page, the last two compressed without a timestamp. The version has no Debian
# revision, so the changelog (data/debian/changelog) is a native package's: changelog.gz.
set(package_doc_dir "${CMAKE_BINARY_DIR}/package")
file(CONFIGURE OUTPUT "${package_doc_dir}/copyright" CONTENT
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Kalvo
Source: https://kalvo.example.org/

Files: *
Copyright: 2026 the Kalvo developers
License: proprietary
 All rights reserved.
")

set(package_gz_files)
foreach(source IN ITEMS "${PROJECT_SOURCE_DIR}/data/debian/changelog"
                        "${PROJECT_SOURCE_DIR}/data/man/kalvo.1")
    get_filename_component(name "${source}" NAME)
    set(output "${package_doc_dir}/${name}.gz")
    add_custom_command(
        OUTPUT "${output}"
        COMMAND gzip -9 -n -c "${source}" > "${output}"
        DEPENDS "${source}"
        VERBATIM)
    list(APPEND package_gz_files "${output}")
endforeach()
add_custom_target(kalvo_package_docs ALL DEPENDS ${package_gz_files})

install(FILES "${package_doc_dir}/copyright" "${package_doc_dir}/changelog.gz"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/kalvo")
install(FILES "${package_doc_dir}/kalvo.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES "${PROJECT_SOURCE_DIR}/data/debian/lintian-overrides"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/lintian/overrides" RENAME kalvo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kalvo)
set(CPACK_PACKAGE_VENDOR "the Kalvo developers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Kalvo developers <developers@kalvo.example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://kalvo.example.org/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Russian typing and vocabulary for Japanese speakers")
set(CPACK_PACKAGE_DESCRIPTION
"Kalvo is a desktop program for Japanese-speaking learners of Russian; its
whole interface is in Japanese. It types Russian in three keyboard layouts
with an on-screen key pad and stress accents, types IPA from rows of
candidates explained in Japanese, and transfers the composed text to the
window last worked in. It keeps word books on a shelf and turns them into
a ten-question typing quiz.")

# The libraries come from dpkg-shlibdeps; what the program loads or draws with at run time it
# names itself: Qt SQL's SQLite driver for the review history, Qt's platform plugins (xcb itself comes with libqt6gui6, Wayland's with
# qt6-wayland) and the faces that set Cyrillic, IPA and the stress marks. Recommended: a
# Japanese face, Noto's only where no other Japanese Gothic is installed; Qt's Japanese texts,
# for its dialogs; xdg-open, which opens the help; and Mozc under fcitx5 or IBus, to type
# Japanese beside Kalvo's own input methods. The help is a PDF, so a viewer is suggested.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, qt6-qpa-plugins, qt6-wayland, fonts-dejavu-core, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fonts-noto-cjk | fonts-japanese-gothic, fcitx5-mozc | ibus-mozc, qt6-translations-l10n, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "evince | okular | qpdfview | mupdf | pdf-viewer")

include(CPack)
