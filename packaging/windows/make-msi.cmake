# Makes build-windows/quillmere-<version>-windows-x64.msi with wixl from the
# program's installed tree. Its codes, names and file times are derived from
# the version and the last commit, so the same commit gives the same tables
# and files; only the summary's revision and times are wixl's own.
#
#   cmake -DBUILD_DIR=... -DVERSION=... -DSOURCE_DATE_EPOCH=... -P make-msi.cmake
set(stage ${BUILD_DIR}/msi/Quillmere)
file(REMOVE_RECURSE ${BUILD_DIR}/msi)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${stage}
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
file(GLOB_RECURSE files RELATIVE ${BUILD_DIR}/msi ${stage}/*)
list(SORT files)
# The installer's cabinet keeps each file's time: the last commit's.
execute_process(COMMAND touch -d @${SOURCE_DATE_EPOCH} ${files} WORKING_DIRECTORY ${BUILD_DIR}/msi
                COMMAND_ERROR_IS_FATAL ANY)
string(REPLACE ";" "\n" file_list "${files}")
file(WRITE ${BUILD_DIR}/msi/files.txt "${file_list}\n")

# Windows Installer wants three numbers: 1.00 is 1.0.0.
string(REGEX REPLACE "^([0-9]+)\\.0*([0-9]+)$" "\\1.\\2.0" PRODUCT_VERSION ${VERSION})
set(namespace 6ba7b810-9dad-11d1-80b4-00c04fd430c8)
string(UUID PRODUCT_CODE NAMESPACE ${namespace} NAME "org.quillmere.Quillmere product ${VERSION}" TYPE SHA1 UPPER)
string(UUID PACKAGE_CODE NAMESPACE ${namespace} NAME "org.quillmere.Quillmere package ${VERSION} ${SOURCE_DATE_EPOCH}" TYPE SHA1 UPPER)
string(UUID FOLDER_CODE NAMESPACE ${namespace} NAME "org.quillmere.Quillmere folder" TYPE SHA1 UPPER)
string(UUID SHORTCUT_CODE NAMESPACE ${namespace} NAME "org.quillmere.Quillmere shortcut" TYPE SHA1 UPPER)
configure_file(${CMAKE_CURRENT_LIST_DIR}/quillmere.wxs.in ${BUILD_DIR}/msi/quillmere.wxs @ONLY)

execute_process(COMMAND wixl-heat --prefix Quillmere/ --directory-ref INSTALLDIR --component-group ProgramFiles
                          --var var.SourceDir --win64
                INPUT_FILE ${BUILD_DIR}/msi/files.txt OUTPUT_FILE ${BUILD_DIR}/msi/files.wxs COMMAND_ERROR_IS_FATAL ANY)
# wixl-heat names the folders afresh each time: number them instead.
file(READ ${BUILD_DIR}/msi/files.wxs heat)
string(REGEX MATCHALL "dir[0-9A-F]+" folders "${heat}")
list(REMOVE_DUPLICATES folders)
set(number 0)
foreach(folder IN LISTS folders)
    math(EXPR number "${number} + 1")
    string(REPLACE "${folder}" "folder${number}" heat "${heat}")
endforeach()
file(WRITE ${BUILD_DIR}/msi/files.wxs "${heat}")

set(msi ${BUILD_DIR}/quillmere-${VERSION}-windows-x64.msi)
# wixl takes the files' places relative to where it runs.
execute_process(COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH}
                        wixl --arch x64 -D SourceDir=Quillmere -D Win64=yes -o ${msi} quillmere.wxs files.wxs
                WORKING_DIRECTORY ${BUILD_DIR}/msi COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "Made ${msi}")
