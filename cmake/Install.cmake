# `cmake --install`: the programs in bin/, the voice clips and the lessons in
# share/keltosimu/ (the programs look there, seen from their own folder), the
# guide in share/doc/keltosimu/, the menu entry, icon and .dps file type, and
# the browser edition's site in share/keltosimu/web/ when it was built.
include(GNUInstallDirs)

set(kelto_data_dir ${CMAKE_INSTALL_DATADIR}/keltosimu)
set(kelto_doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/keltosimu)

foreach(program IN ITEMS keltosimu keltosimu-run keltosimu-grade)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

if(TARGET kelto_voice_clips)
  install(DIRECTORY ${KELTO_VOICE_OUTPUT_DIR}/ DESTINATION ${kelto_data_dir}/voice
    FILES_MATCHING PATTERN "*.wav" PATTERN CMakeFiles EXCLUDE)
endif()

install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${kelto_data_dir}/examples
  FILES_MATCHING PATTERN "*.dps" PATTERN "*.txt" PATTERN tools EXCLUDE)

install(FILES ${PROJECT_SOURCE_DIR}/docs/guide.md ${PROJECT_SOURCE_DIR}/docs/grading.md DESTINATION ${kelto_doc_dir})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/images DESTINATION ${kelto_doc_dir})

if(TARGET keltosimu)
  set(desktop ${PROJECT_SOURCE_DIR}/resources/desktop)
  install(FILES ${desktop}/keltosimu.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${desktop}/keltosimu.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${desktop}/keltosimu.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
endif()

# scripts/build-web.sh builds the site outside this build, so whether there is
# one is known only when installing; the node runner is no part of the site.
set(kelto_web_site ${PROJECT_SOURCE_DIR}/build/web)
install(CODE "
  if(EXISTS \"${kelto_web_site}/index.html\")
    file(INSTALL \"${kelto_web_site}/\" DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${kelto_data_dir}/web\"
      PATTERN \"keltosimu-run.*\" EXCLUDE)
  endif()")
