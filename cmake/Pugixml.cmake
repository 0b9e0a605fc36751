# kelto_pugixml: Debian's library for the native build; for emscripten its
# source, which scripts/install-deps.sh unpacks with apt-get source, is
# compiled along with the core.
if(EMSCRIPTEN)
  set(KELTO_PUGIXML_SOURCE "" CACHE PATH "pugixml's source folder (the one holding src/pugixml.cpp)")
  if(NOT EXISTS "${KELTO_PUGIXML_SOURCE}/src/pugixml.cpp")
    message(FATAL_ERROR "KELTO_PUGIXML_SOURCE must name pugixml's source folder; scripts/install-deps.sh unpacks it")
  endif()
  add_library(kelto_pugixml STATIC ${KELTO_PUGIXML_SOURCE}/src/pugixml.cpp)
  target_include_directories(kelto_pugixml SYSTEM PUBLIC ${KELTO_PUGIXML_SOURCE}/src)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(PUGIXML REQUIRED IMPORTED_TARGET pugixml)
  add_library(kelto_pugixml INTERFACE)
  target_link_libraries(kelto_pugixml INTERFACE PkgConfig::PUGIXML)
endif()
