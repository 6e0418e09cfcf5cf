# cmake -DPAGE=FILE -DDESTINATION=DIR -P CopyIfPresent.cmake
# Copies FILE into DIR when it exists and differs; says so when it does not exist.
get_filename_component(name "${PAGE}" NAME)
if(EXISTS "${PAGE}")
  file(COPY_FILE "${PAGE}" "${DESTINATION}/${name}" ONLY_IF_DIFFERENT)
else()
  message(STATUS "${PAGE} is not built (./dev web): ${name} is not copied")
endif()
