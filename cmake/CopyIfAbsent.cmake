# Copies every file of SOURCE_DIR into TARGET_DIR unless a file of that name
# is already there.
file(GLOB defaults LIST_DIRECTORIES false "${SOURCE_DIR}/*")
file(MAKE_DIRECTORY "${TARGET_DIR}")
foreach(source IN LISTS defaults)
  get_filename_component(name "${source}" NAME)
  if(NOT EXISTS "${TARGET_DIR}/${name}")
    file(COPY "${source}" DESTINATION "${TARGET_DIR}")
  endif()
endforeach()
