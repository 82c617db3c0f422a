# The files the program ships beside its executables (help and the like) live in one folder:
# share/quillmar under the install prefix, and build/share/quillmar in a build folder, where the
# programs find them while they are being worked on (platform::programDataFolder).
set(QM_PROGRAM_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/quillmar)
set(QM_PROGRAM_DATA_BUILD_DIR ${PROJECT_BINARY_DIR}/${CMAKE_INSTALL_DATADIR}/quillmar)
file(MAKE_DIRECTORY ${QM_PROGRAM_DATA_BUILD_DIR})

# Where the data folder is seen from an installed executable in bin/ ...
file(RELATIVE_PATH QM_PROGRAM_DATA_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${QM_PROGRAM_DATA_INSTALL_DIR})
# ... and from one in a build folder's src/<subsystem>/ or tests/<subsystem>/.
file(RELATIVE_PATH QM_PROGRAM_DATA_FROM_BUILD ${PROJECT_BINARY_DIR}/src/subsystem
     ${QM_PROGRAM_DATA_BUILD_DIR})

# qm_add_program_data(FILES file... [DESTINATION subfolder])
# Copies the files into the build folder's data folder (again whenever one changes) and installs
# them into the installed one.
function(qm_add_program_data)
    cmake_parse_arguments(D "" "DESTINATION" "FILES" ${ARGN})
    foreach(file IN LISTS D_FILES)
        get_filename_component(name ${file} NAME)
        configure_file(${file} ${QM_PROGRAM_DATA_BUILD_DIR}/${D_DESTINATION}/${name} COPYONLY)
    endforeach()
    install(FILES ${D_FILES} DESTINATION ${QM_PROGRAM_DATA_INSTALL_DIR}/${D_DESTINATION})
endfunction()
