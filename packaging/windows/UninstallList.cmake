# Writes the uninstaller's list for NSIS: one Delete per file of the staged
# program folder, then one RMDir per folder, deepest first. Removing exactly
# what was installed keeps the office's own files (table overrides, settings)
# and with them the program folder.
#   cmake -DSTAGE=folder -DOUTPUT=file.nsh -P UninstallList.cmake
file(GLOB_RECURSE files RELATIVE "${STAGE}" "${STAGE}/*")
list(SORT files)
set(lines "")
set(folders "")
foreach(file IN LISTS files)
    string(REPLACE "/" "\\" native "${file}")
    string(APPEND lines "Delete \"$INSTDIR\\${native}\"\n")
    get_filename_component(folder "${file}" DIRECTORY)
    while(folder)
        list(APPEND folders "${folder}")
        get_filename_component(folder "${folder}" DIRECTORY)
    endwhile()
endforeach()
list(REMOVE_DUPLICATES folders)
# Reverse order puts every folder after the folders inside it.
list(SORT folders)
list(REVERSE folders)
foreach(folder IN LISTS folders)
    string(REPLACE "/" "\\" native "${folder}")
    string(APPEND lines "RMDir \"$INSTDIR\\${native}\"\n")
endforeach()
file(WRITE "${OUTPUT}" "${lines}")
