# libcsv ships no pkg-config file: its header and library by name, as the imported target
# Libcsv::Libcsv.

find_path(LIBCSV_INCLUDE_DIR NAMES csv.h)
find_library(LIBCSV_LIBRARY NAMES csv)

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(Libcsv REQUIRED_VARS LIBCSV_LIBRARY LIBCSV_INCLUDE_DIR)
mark_as_advanced(LIBCSV_INCLUDE_DIR LIBCSV_LIBRARY)

if(Libcsv_FOUND AND NOT TARGET Libcsv::Libcsv)
  add_library(Libcsv::Libcsv UNKNOWN IMPORTED)
  set_target_properties(Libcsv::Libcsv PROPERTIES
    IMPORTED_LOCATION "${LIBCSV_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${LIBCSV_INCLUDE_DIR}")
endif()
