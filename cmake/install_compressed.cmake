# install_compressed(<file> <destination> <component>): installs <file>
# compressed as Debian installs manual pages and changelogs. The compression
# runs at install time, so that installing needs nothing built but the
# programs.
function(install_compressed file destination component)
  get_filename_component(name ${file} NAME)
  set(compressed ${CMAKE_CURRENT_BINARY_DIR}/compressed/${name}.gz)
  install(CODE "
    file(MAKE_DIRECTORY \"${CMAKE_CURRENT_BINARY_DIR}/compressed\")
    execute_process(COMMAND gzip -9nc \"${file}\" OUTPUT_FILE \"${compressed}\"
                    COMMAND_ERROR_IS_FATAL ANY)"
    COMPONENT ${component})
  install(FILES ${compressed} DESTINATION ${destination} COMPONENT ${component})
endfunction()
