# Makes build-windows/quillmere-<version>-windows-x64.msi with wixl from the
# program's installed tree. Its codes are derived from the version and the
# last commit's time, so the same commit gives the same installer.
#
#   cmake -DBUILD_DIR=... -DVERSION=... -DSOURCE_DATE_EPOCH=... -P make-msi.cmake
set(stage ${BUILD_DIR}/msi/Quillmere)
file(REMOVE_RECURSE ${BUILD_DIR}/msi)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${stage} --strip
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
file(GLOB_RECURSE files RELATIVE ${BUILD_DIR}/msi ${stage}/*)
list(SORT files)
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
set(msi ${BUILD_DIR}/quillmere-${VERSION}-windows-x64.msi)
# wixl takes the files' places relative to where it runs.
execute_process(COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH}
                        wixl --arch x64 -D SourceDir=Quillmere -D Win64=yes -o ${msi} quillmere.wxs files.wxs
                WORKING_DIRECTORY ${BUILD_DIR}/msi COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "Made ${msi}")
