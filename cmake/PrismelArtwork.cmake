# prismel_artwork(<target-name> <output-folder>)
# In a Windows build: runs the host build's `artwork` tool, which writes the picker's icon,
# cursor and bitmaps into <output-folder>, and adds <target-name>, a target that brings them up
# to date. <target-name>_FILES is set in the caller's scope to the files, for the OBJECT_DEPENDS
# of a resource script that includes them (point its include path at <output-folder>).
function(prismel_artwork target folder)
    set(outputs "")
    foreach(name tintview.ico dropper.cur pattern.bmp snap_active.bmp snap.bmp exit.bmp help.bmp)
        list(APPEND outputs ${folder}/${name})
    endforeach()
    add_custom_command(OUTPUT ${outputs}
        COMMAND host::artwork ${folder}
        DEPENDS $<TARGET_FILE:host::artwork>
        COMMENT "Drawing the picker's icon, cursor and bitmaps into ${folder}"
        VERBATIM)
    add_custom_target(${target} DEPENDS ${outputs})
    set(${target}_FILES ${outputs} PARENT_SCOPE)
endfunction()
