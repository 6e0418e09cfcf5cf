# Install step for the offline page: the page under share/channelflow and
# the menu entry, whose command names the page where it was installed. Does
# nothing but say so when the page has not been built.
if(NOT EXISTS "${CHANNELFLOW_WEB_PAGE}")
  message(STATUS "Not installing the offline page: ${CHANNELFLOW_WEB_PAGE} is not built (./dev web)")
  return()
endif()
set(page_dir "${CMAKE_INSTALL_PREFIX}/${CHANNELFLOW_DATADIR}/channelflow")
file(INSTALL "${CHANNELFLOW_WEB_PAGE}" DESTINATION "${page_dir}")
file(READ "${CHANNELFLOW_WEB_ENTRY}" entry)
string(REPLACE "/usr/share/channelflow/" "${page_dir}/" entry "${entry}")
get_filename_component(entry_name "${CHANNELFLOW_WEB_ENTRY}" NAME)
get_filename_component(page_build_dir "${CHANNELFLOW_WEB_PAGE}" DIRECTORY)
set(staged "${page_build_dir}/${entry_name}")
file(WRITE "${staged}" "${entry}")
file(INSTALL "${staged}" DESTINATION "${CMAKE_INSTALL_PREFIX}/${CHANNELFLOW_DATADIR}/applications")
