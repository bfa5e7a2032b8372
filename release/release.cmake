# What a Windows user receives: each program with its manifest and version information, and
# one ZIP per architecture holding both programs, README.md and USAGE.txt.
# Include after project(); call AddReleaseResources once per program, after add_executable.
if(NOT WIN32)
  return()
endif()
enable_language(RC)

set(RELEASE_PRODUCT_NAME "_Dirwipe and _Lnkmake")
set(RELEASE_COMPONENT release)

# Embeds the manifest and a VERSIONINFO block naming `description` into `target`, and puts
# the program into the release package.
function(AddReleaseResources target description)
  set(RELEASE_IDENTITY ${PROJECT_NAME}.${target})
  set(versionParts ${PROJECT_VERSION_MAJOR} ${PROJECT_VERSION_MINOR} ${PROJECT_VERSION_PATCH})
  if(PROJECT_VERSION_TWEAK STREQUAL "")
    list(APPEND versionParts 0)
  else()
    list(APPEND versionParts ${PROJECT_VERSION_TWEAK})
  endif()
  list(JOIN versionParts "," RELEASE_VERSION_COMMAS)
  list(JOIN versionParts "." RELEASE_VERSION4)
  # Texts as each format needs them: XML entities in the manifest, doubled quotes and
  # backslashes in the resource script.
  string(REPLACE "&" "&amp;" RELEASE_DESCRIPTION_XML "${description}")
  string(REPLACE "<" "&lt;" RELEASE_DESCRIPTION_XML "${RELEASE_DESCRIPTION_XML}")
  string(REPLACE ">" "&gt;" RELEASE_DESCRIPTION_XML "${RELEASE_DESCRIPTION_XML}")
  string(REPLACE "\\" "\\\\" RELEASE_DESCRIPTION_RC "${description}")
  string(REPLACE "\"" "\"\"" RELEASE_DESCRIPTION_RC "${RELEASE_DESCRIPTION_RC}")
  # The file name is known for certain only at generation, whenever OUTPUT_NAME is set.
  set(RELEASE_FILE_NAME "$<TARGET_FILE_NAME:${target}>")
  set(RELEASE_BASE_NAME "$<TARGET_FILE_BASE_NAME:${target}>")

  set(out ${CMAKE_CURRENT_BINARY_DIR}/release/${target})
  set(RELEASE_MANIFEST ${out}.manifest)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/app.manifest.in ${RELEASE_MANIFEST} @ONLY)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/resources.rc.in ${out}.rc.in @ONLY)
  file(GENERATE OUTPUT ${out}.rc INPUT ${out}.rc.in)

  # Its own object library, so that the directory's C++ options never reach windres.
  add_library(${target}_resources OBJECT ${out}.rc)
  set_target_properties(${target}_resources PROPERTIES COMPILE_OPTIONS "")
  set_source_files_properties(${out}.rc PROPERTIES OBJECT_DEPENDS ${RELEASE_MANIFEST})
  target_link_libraries(${target} PRIVATE ${target}_resources)

  install(TARGETS ${target} RUNTIME DESTINATION . COMPONENT ${RELEASE_COMPONENT})
endfunction()

# Text files get Windows line ends; README.md is taken when present at install time.
install(CODE "set(RELEASE_TEXTS \"${CMAKE_SOURCE_DIR}/README.md;${CMAKE_CURRENT_LIST_DIR}/USAGE.txt\")"
        COMPONENT ${RELEASE_COMPONENT})
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/install-texts.cmake COMPONENT ${RELEASE_COMPONENT})

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(releaseArchitecture win64)
else()
  set(releaseArchitecture win32)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME "_Dirwipe-_Lnkmake")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME "_Dirwipe-_Lnkmake-${PROJECT_VERSION}-${releaseArchitecture}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${RELEASE_PRODUCT_NAME}")
# Only what is marked for the release: never the test programs or GoogleTest's files.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};${RELEASE_COMPONENT};/")
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
