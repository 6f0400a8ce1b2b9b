# Read by cpack while it packages (CPACK_PROJECT_CONFIG_FILE). The Python module is a shared
# object without a SONAME, as Python modules are; CPack warns about each such file when it
# writes the package's shlibs file, which lists libquillomorph only, as it should.
set(CMAKE_SUPPRESS_DEVELOPER_WARNINGS ON)
